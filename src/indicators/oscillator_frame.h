#pragma once

// What every oscillator drawing shares: its own fixed value scale over the whole region band,
// dotted reference lines with their level labels, the not-xor line pen, and the listing of
// values on the statistics page when "オシレーター表示" (cbshowosci) is checked.
//
// A drawing runs in this order:
//   IndicatorFrame frame = OscillatorFrame(context, 110, -10);
//   DrawReferenceLines(context, frame, {0, 100, 50, upper, lower});
//   SetOscillatorPen(context.canvas, colour);   // then SegmentPen over OscillatorPoint(...)
//   ...
//   ResetPen(context.canvas);
//   WriteListing(context, header, {table1, table2});   // only when the drawing completed

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "chart/canvas.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// An oscillator's value scale, upper at the top of the band and lower at its bottom (upper
// may be below lower, as %R's inverted scale is). The full band height: no date-label reserve.
IndicatorFrame OscillatorFrame(const IndicatorContext& context, double upper, double lower);

// A black dotted line in copy mode across the plot width (x = 30 to width − 30) at the
// level's row, and the level as text just right of it, centred on the line.
void DrawReferenceLine(const IndicatorContext& context, const IndicatorFrame& frame, int64_t level);
// The same for each level, in the given order.
void DrawReferenceLines(const IndicatorContext& context, const IndicatorFrame& frame,
                        std::initializer_list<int64_t> levels);

// A solid not-xor pen of the colour: drawing the same line twice removes it.
void SetOscillatorPen(Canvas& canvas, Color colour);

// Where a value is plotted: rounded half to even, then mapped. Callers pass finite values.
PixelPoint OscillatorPoint(const IndicatorFrame& frame, int bar, double value);

// Whether the values go to the statistics page.
bool ListingWanted(const ControlValues& controls);

// A listed value: rounded to hundredths, without trailing zeros ("45.67", "50", "0.5").
std::string ListingNumber(double value);

// When cbshowosci is checked: clears the statistics page and writes the header, then one line
// per displayed bar, its compact date followed by each column's value at that bar, joined by
// " , ". A column is a per-bar table indexed by bar number (entry 0 unused) holding 0 where its
// line has not started. Writes nothing otherwise.
void WriteListing(const IndicatorContext& context, std::string_view header,
                  std::initializer_list<std::span<const double>> columns);

}  // namespace varnolt
