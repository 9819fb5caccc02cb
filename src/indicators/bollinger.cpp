#include "indicators/bollinger.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/numbers.h"

namespace varnolt {
namespace {

constexpr Color kMiddleColor = kGreen;

constexpr Color kBandColor = kBlue;

// The period, which the screening reads too.
int Period(const ControlValues& controls) {
  return IntParameter(controls, kBollingerBoxes, "edVo1");
}

// The chart's boxes.
struct BollingerParameters {
  int period;
  double width;  // in standard deviations either side of the mean
};

BollingerParameters ReadBollingerParameters(const ControlValues& controls) {
  return {Period(controls), RealParameter(controls, kBollingerBoxes, "edVo2")};
}

struct MeanDeviation {
  double mean = 0;
  double deviation = 0;  // population standard deviation
};

// Mean and population standard deviation of the `period` closes ending at bar `end`, both sums
// accumulated from 0 in bar order so that drawing and screening agree to the last bit.
template <typename CloseOf>
MeanDeviation WindowStatistics(CloseOf close_of, int end, int period) {
  const int begin = end - period + 1;
  double sum = 0;
  for (int i = begin; i <= end; ++i) sum += close_of(i);
  const double mean = sum / period;
  double squares = 0;
  for (int i = begin; i <= end; ++i) {
    const double difference = close_of(i) - mean;
    squares += difference * difference;
  }
  return {mean, std::sqrt(squares / period)};
}

}  // namespace

int BollingerWarmUp(const ControlValues& controls) {
  const int period = Period(controls);
  // A period below 1 would divide by a zero count; the stock fails as it does for equal closes.
  if (period <= 0) throw ComputationFault("Bollinger period below 1");
  return period - 1;
}

int CalcBollinger(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return BollingerWarmUp(controls);
  const int period = Period(controls);
  if (period <= 0) throw ComputationFault("Bollinger period below 1");

  for (int i = 1; i <= std::min(period - 1, bars); ++i) {
    series[i].s1 = 0;
    series[i].s2 = 0;
    series[i].s3 = 0;
  }
  const auto close_of = [&](int bar) { return static_cast<double>(series[bar].close); };
  for (int j = period; j <= bars; ++j) {
    const MeanDeviation at = WindowStatistics(close_of, j, period);
    ScreeningEntry& entry = series[j];
    // Equal closes leave no deviation to measure the distance in: the division fails.
    entry.s1 = static_cast<float>(CheckedDivide(close_of(j) - at.mean, at.deviation));
    entry.s2 = static_cast<float>(at.mean);
    entry.s3 = static_cast<float>(at.deviation);
  }
  return 0;
}

DrawingResult DrawBollinger(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const IndicatorFrame frame(context);
  const BollingerParameters parameters = ReadBollingerParameters(context.controls);
  const int period = parameters.period;
  const double width = parameters.width;
  // Without a positive period there is nothing to average; without a bar after the first
  // full window there is no segment.
  if (period <= 0) return {};
  const int start = std::max(frame.First(), period);
  if (start >= frame.Last()) return {};

  const BarTable& bars = context.data.bars;
  const auto close_of = [&](int bar) { return static_cast<double>(bars[bar].close); };
  const auto point = [&](int bar, int m, const MeanDeviation& at) {
    // A band far off the scale (an absurd width) is held where the row arithmetic cannot
    // overflow; it is off the image either way.
    constexpr int64_t kFar = int64_t{1} << 40;
    const int64_t value = RoundHalfEven(m * at.deviation * width + at.mean);
    return frame.Point(bar, std::clamp(value, -kFar, kFar));
  };

  // Lower band, middle line, upper band, in that order for every bar.
  constexpr int kMultiples[] = {-1, 0, 1};
  SegmentPen pens[3] = {SegmentPen(context.canvas), SegmentPen(context.canvas),
                        SegmentPen(context.canvas)};
  const MeanDeviation first = WindowStatistics(close_of, start, period);
  for (int line = 0; line < 3; ++line) pens[line].Start(point(start, kMultiples[line], first));
  for (int i = start + 1; i <= frame.Last(); ++i) {
    const MeanDeviation current = WindowStatistics(close_of, i, period);
    for (int line = 0; line < 3; ++line) {
      const int m = kMultiples[line];
      context.canvas.SetPen(m == 0 ? kMiddleColor : kBandColor, PenStyle::kSolid, 1,
                            PenMode::kNotXor);
      pens[line].To(point(i, m, current));
    }
  }
  return {};
}

}  // namespace varnolt
