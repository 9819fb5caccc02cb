#include "indicators/percent_r.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "indicators/oscillator_frame.h"
#include "indicators/window_extremes.h"

namespace varnolt {
namespace {

// The percent scale upside down: a close at the period's high reads 0, at the top of the band.
constexpr double kInvertedTop = kPercentBottom;

constexpr double kInvertedBottom = kPercentTop;

// %R of `bar` over the n bars ending there: where the close stands below the period's highest
// high, in percent of the period's range. Nothing for a range of zero.
template <typename Bars>
std::optional<double> PercentRAt(const Bars& bars, int bar, int n) {
  int32_t highest = bars[bar].high;
  int32_t lowest = bars[bar].low;
  for (int j = bar - n + 1; j < bar; ++j) {
    highest = std::max(highest, bars[j].high);
    lowest = std::min(lowest, bars[j].low);
  }
  const int64_t range = int64_t{highest} - lowest;
  if (range == 0) return std::nullopt;
  return static_cast<double>(int64_t{highest} - bars[bar].close) * 100 / static_cast<double>(range);
}

// The chart's boxes.
struct PercentRParameters {
  int period;
  int upper_level;
  int lower_level;
};

PercentRParameters ReadPercentRParameters(const ControlValues& controls) {
  return {IntParameter(controls, kPercentRBoxes, "edr"),
          IntParameter(controls, kPercentRBoxes, "edru"),
          IntParameter(controls, kPercentRBoxes, "edrd")};
}

}  // namespace

int PercentRWarmUp(const ControlValues& controls) {
  return std::max(ComputedIntParameter(controls, kPercentRBoxes, "edr") - 1, 0);
}

int CalcPercentR(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return PercentRWarmUp(controls);
  const int n = ComputedIntParameter(controls, kPercentRBoxes, "edr");
  if (n < 1) throw ComputationFault("%R period below 1");
  for (int i = 1; i < n && i <= bars; ++i) series[i].s1 = 0;
  if (n > bars) return 0;
  // The window extremes of every bar at once, in O(1) per bar whatever the period; the series
  // holds at most kScreeningCapacity bars, so fixed buffers serve every stock.
  const size_t count = static_cast<size_t>(std::min(bars, kScreeningCapacity));
  std::array<int32_t, kScreeningCapacity> highs, lows, highest, lowest, scratch;
  for (size_t k = 0; k < count; ++k) {
    highs[k] = series[static_cast<int>(k) + 1].high;
    lows[k] = series[static_cast<int>(k) + 1].low;
  }
  SlidingHighest(std::span(highs).first(count), n, highest, scratch);
  SlidingLowest(std::span(lows).first(count), n, lowest, scratch);
  for (size_t k = static_cast<size_t>(n) - 1; k < count; ++k) {
    ScreeningEntry& entry = series[static_cast<int>(k) + 1];
    const int64_t range = int64_t{highest[k]} - lowest[k];
    if (range == 0) throw ComputationFault("%R over a zero range");
    entry.s1 = static_cast<float>(static_cast<double>(int64_t{highest[k]} - entry.close) * 100 /
                                  static_cast<double>(range));
  }
  return 0;
}

DrawingResult DrawPercentR(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const ControlValues& controls = context.controls;
  const PercentRParameters parameters = ReadPercentRParameters(controls);
  const int n = parameters.period;
  const Color colour = controls.ColorOf("lbr");
  const IndicatorFrame frame = OscillatorFrame(context, kInvertedTop, kInvertedBottom);
  DrawPercentLevels(context, frame, parameters.upper_level, parameters.lower_level);
  if (n < 1) return DrawingFailed(kSkewedDataMessage);
  std::vector<double> values(frame.Last() + 1, 0.0);
  OscillatorLine line(context, frame, colour);
  for (int i = std::max(frame.First(), n); i <= frame.Last(); ++i) {
    const std::optional<double> value = PercentRAt(context.data.bars, i, n);
    if (!value) return DrawingFailed(kSkewedDataMessage);
    values[i] = *value;
    line.Add(i, *value);
  }
  WriteListing(context, "%Rｵｼﾚｰﾀｰ ", {values});
  return {};
}

}  // namespace varnolt
