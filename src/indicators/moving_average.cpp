#include "indicators/moving_average.h"

#include <cassert>
#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>

namespace varnolt {
namespace {

constexpr std::string_view kPeriodBoxes[] = {"edav1", "edav2", "edav3"};
constexpr std::string_view kColorLabels[] = {"lbav1", "lbav2", "lbav3"};

using PriceField = int32_t Bar::*;

constexpr PriceField kCloses[] = {&Bar::close};
constexpr PriceField kHighsLows[] = {&Bar::high, &Bar::low};

// The lines of one period, one per price field, in the pen already selected. The window starts
// early enough for the line to begin at the first displayed bar, or at bar `period` when fewer
// bars precede it. Averages are whole numbers: the sum divided with truncation.
void DrawPeriod(const IndicatorContext& context, const IndicatorFrame& frame, int period,
                std::span<const PriceField> fields) {
  assert(fields.size() <= 2);  // closes, or highs and lows
  const BarTable& bars = context.data.bars;
  const int start = frame.First() - period >= 0 ? frame.First() - period + 1 : 1;
  const int first_point = start + period - 1;
  int64_t sums[2] = {};
  SegmentPen pens[2] = {SegmentPen(context.canvas), SegmentPen(context.canvas)};
  for (size_t f = 0; f < fields.size(); ++f) {
    for (int i = start; i <= first_point; ++i) sums[f] += bars[i].*fields[f];
    pens[f].Start(frame.Point(first_point, sums[f] / period));
  }
  for (int j = first_point + 1; j <= frame.Last(); ++j) {
    for (size_t f = 0; f < fields.size(); ++f) {
      sums[f] += int64_t{bars[j].*fields[f]} - bars[j - period].*fields[f];
      pens[f].To(frame.Point(j, sums[f] / period));
    }
  }
}

// Lines 1 to 3 in order, each period read just before its line so that a bad box ends the
// drawing with the lines before it already drawn.
DrawingResult DrawAverages(const IndicatorContext& context, std::span<const PriceField> fields) {
  const IndicatorFrame frame(context);
  const PenGuard pen_guard(context.canvas);
  for (size_t k = 0; k < std::size(kPeriodBoxes); ++k) {
    const int period = IntParameter(context.controls, kMovingAverageBoxes, kPeriodBoxes[k]);
    // 0 switches a line off; a negative period has no window at all. A line needs `period`
    // bars before its first point.
    if (period <= 0 || frame.Last() < period) continue;
    context.canvas.SetPen(context.controls.ColorOf(kColorLabels[k]), PenStyle::kSolid, 1,
                          PenMode::kNotXor);
    DrawPeriod(context, frame, period, fields);
  }
  return {};
}

}  // namespace

DrawingResult DrawMovingAverage(const IndicatorContext& context) {
  return DrawAverages(context, kCloses);
}

// Per bar the high line's segment comes before the low line's, both in the line's colour.
DrawingResult DrawMovingAverageHighLow(const IndicatorContext& context) {
  return DrawAverages(context, kHighsLows);
}

}  // namespace varnolt
