#pragma once

#include <optional>
#include <vector>

#include "chart/canvas.h"
#include "chart/price_chart.h"
#include "chart/region_map.h"
#include "screening/signals.h"
#include "series/bar_table.h"

namespace varnolt {

// Where the signal marks of a data set go: the price chart's mapping as the basic settings
// page describes it (regions, upper and lower price, right margin, calendar spacing). Nothing
// when the regions are out of range or the prices give no scale. Throws ConversionError when a
// box does not read.
std::optional<RegionFrame> SignalFrame(const LoadedSeries& data, const PriceChartBoxes& boxes,
                                       int width, int height);

// One mark: a green arrow whose point touches the bar's price, above it pointing down for a
// buy set and below it pointing up for a sell set, and the set's number "[n]" beyond the arrow.
// Leaves the text colour black and the pen one pixel wide.
void DrawSignal(const LoadedSeries& data, const RegionFrame& frame, bool calendar,
                const SignalMark& mark, Canvas& canvas);

// Every mark, in order; nothing when the frame cannot be made.
void DrawSignals(const LoadedSeries& data, const PriceChartBoxes& boxes,
                 const std::vector<SignalMark>& marks, Canvas& canvas);

}  // namespace varnolt
