#pragma once

// What every oscillator drawing shares: its own fixed value scale over the whole region band,
// dotted reference lines with their level labels, the not-xor line pen, and the listing of
// values on the statistics page when "オシレーター表示" (cbshowosci) is checked.
//
// A drawing runs in this order:
//   parameters read; const PenGuard pen_guard(context.canvas);
//   IndicatorFrame frame = OscillatorFrame(context, kPercentTop, kPercentBottom);
//   DrawPercentLevels(context, frame, upper, lower);
//   OscillatorLine line(context, frame, colour); line.Add(bar, value) per bar,
//     or DrawValueLine(context, frame, colour, values, from, to);
//   WriteListing(context, header, {table1, table2});   // only when the drawing completed

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "chart/canvas.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The percent oscillators' scale: 0 to 100 with a tenth spare above and below.
inline constexpr double kPercentTop = 110;
inline constexpr double kPercentBottom = -10;

// An oscillator's value scale, upper at the top of the band and lower at its bottom (upper
// may be below lower, as %R's inverted scale is). The full band height: no date-label reserve.
IndicatorFrame OscillatorFrame(const IndicatorContext& context, double upper, double lower);

// A black dotted line in copy mode across the plot width (x = 30 to width − 30) at the
// level's row, and the level as text just right of it, centred on the line.
void DrawReferenceLine(const IndicatorContext& context, const IndicatorFrame& frame, int64_t level);
// The same for each level, in the given order.
void DrawReferenceLines(const IndicatorContext& context, const IndicatorFrame& frame,
                        std::initializer_list<int64_t> levels);

// The percent oscillators' levels: 0, 100, 50, then the upper and lower levels of the boxes.
void DrawPercentLevels(const IndicatorContext& context, const IndicatorFrame& frame, int64_t upper,
                       int64_t lower);

// A solid not-xor pen of the colour: drawing the same line twice removes it.
void SetOscillatorPen(Canvas& canvas, Color colour);

// Where a value is plotted: rounded half to even, then mapped. Callers pass finite values.
PixelPoint OscillatorPoint(const IndicatorFrame& frame, int bar, double value);

// One oscillator line drawn as its points come: the not-xor pen of its colour is selected at
// once, the first point places the pen and each later one draws a segment to it.
class OscillatorLine {
 public:
  OscillatorLine(const IndicatorContext& context, const IndicatorFrame& frame, Color colour);
  void Add(int bar, double value) { AddPoint(OscillatorPoint(frame_, bar, value)); }
  void AddPoint(PixelPoint point);

 private:
  const IndicatorFrame& frame_;
  SegmentPen pen_;
  bool started_ = false;
};

// Where a line starts: the later of the earliest bar wanted (the first displayed one, say) and
// a period-based start, or one past the last bar when the period reaches beyond every bar.
int StartBar(int64_t earliest, int64_t from_period, int last);

// values[from..to] as one line; nothing, not even the pen, when from > to.
void DrawValueLine(const IndicatorContext& context, const IndicatorFrame& frame, Color colour,
                   std::span<const double> values, int64_t from, int to);

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
