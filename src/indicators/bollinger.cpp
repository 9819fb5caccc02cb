#include "indicators/bollinger.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "base/numbers.h"
#include "indicators/bollinger_slots.h"
#include "indicators/float_rounding.h"

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

namespace {

// The screening results of bar `j` from the plain two-pass statistics, as they have always been
// worked out.
template <typename CloseOf>
void PlainSlots(ScreeningEntry& entry, CloseOf close_of, int j, int period) {
  const MeanDeviation at = WindowStatistics(close_of, j, period);
  // Equal closes leave no deviation to measure the distance in: the division fails.
  entry.s1 = static_cast<float>(CheckedDivide(close_of(j) - at.mean, at.deviation));
  entry.s2 = static_cast<float>(at.mean);
  entry.s3 = static_cast<float>(at.deviation);
}

// Closes are whole yen, so the window sums of x and x² are exact integers and move along in
// O(1) per bar: p·Σx² − (Σx)² is p² times the variance, exactly. The plain statistics round at
// every step of their two passes; the mean, deviation and distance here are taken only when
// the plain ones, within their error bounds, round to the same floats, and the bar is worked
// out plainly otherwise (well under one bar in a thousand). Fills bars period..bars; needs
// period ≤ bars.
void FillSlots(ScreeningSeries& series, int bars, int period) {
  const auto plain = [&](int j) {
    PlainSlots(
        series[j], [&](int bar) { return static_cast<double>(series[bar].close); }, j, period);
  };
  const int64_t p = period;
  // Closes of magnitude below `bound` keep the arithmetic within its limits: p²·variance, the
  // sum over pairs of (xᵢ − xⱼ)², below 2^63, p·|close − mean| below 2^31 and the error bounds
  // below kMaxRoundingUlps. From the first block of bars that reads a larger close on, the
  // bars are worked out plainly.
  const int64_t bound = std::min<int64_t>(
      int64_t{1} << 21, (static_cast<int64_t>(kMaxRoundingUlps) - p - 21) / (2 * p));
  BollingerUlps ulps;
  // Σx · (1 / p) rounds twice, the plain Σx / p once: together under 3 units of the quotient's
  // binade, 6 of the binade below.
  ulps.mean = 8;
  // The plain sum of squares is off by at most (p + 2) roundings, plus p² times the square of
  // the mean's rounding over p·variance (at least p / 2 when not 0), below one unit for closes
  // under 2^21; the square root halves that, the fast steps add a few more.
  ulps.deviation = static_cast<uint64_t>(p) + 17;

  // The closes read so far, or-ed together: at least the largest of them (a negative close
  // reads as a huge one). The window's Σx and p²·variance = p·Σx² − (Σx)², the latter modulo
  // 2^64: only its value for windows of small closes is used, and that is below 2^63.
  uint32_t closes = 0;
  int64_t sum = 0;
  uint64_t squares = 0;
  for (int i = 1; i <= period; ++i) {
    const int64_t x = series[i].close;
    closes |= static_cast<uint32_t>(x);
    sum += x;
    squares += static_cast<uint64_t>(x * x);
  }
  uint64_t spread =
      static_cast<uint64_t>(p) * squares - static_cast<uint64_t>(sum) * static_cast<uint64_t>(sum);

  // The bars go in blocks: first the exact integers of each window, then the slots.
  constexpr int kBlock = 64;
  int32_t sums[kBlock], distances[kBlock];
  double spreads[kBlock];
  const double inverse_p = 1.0 / static_cast<double>(p);
  for (int from = period; from <= bars; from += kBlock) {
    const int count = std::min(kBlock, bars - from + 1);
    bool equal = false;  // some window has its closes all equal
    uint32_t block_closes = 0;
    const auto record = [&](int n, int64_t x) {
      equal |= spread == 0;
      sums[n] = static_cast<int32_t>(sum);
      distances[n] = static_cast<int32_t>(p * x - sum);  // p · (close − mean), exact
      spreads[n] = static_cast<double>(static_cast<int64_t>(spread));
    };
    // The closes entering the windows of the block and those leaving them.
    const ScreeningEntry* entering = &series[from];
    const ScreeningEntry* leaving = entering - period;  // entry 0 exists, never read
    int n = 0;
    if (from == period) record(n++, entering->close);  // the first window is there already
    for (; n < count; ++n) {
      // x enters, x − δ leaves: Σx grows by δ and p²·variance by
      // p·(x² − (x − δ)²) − (new Σx² − old Σx²) = δ·(p·(x + leaving) − new Σx − old Σx).
      const int64_t x = entering[n].close;
      const int64_t left = leaving[n].close;
      block_closes |= static_cast<uint32_t>(x);
      const int64_t delta = x - left;
      const int64_t before = sum;
      sum += delta;
      spread += static_cast<uint64_t>(delta) * static_cast<uint64_t>(p * (x + left) - sum - before);
      record(n, x);
    }
    closes |= block_closes;
    if (closes >= bound) {
      for (int j = from; j <= bars; ++j) plain(j);
      return;
    }
    if (equal) throw ComputationFault("Bollinger window of equal closes");
    if (count % 2 != 0) {  // the last pair, half used
      sums[count] = sums[count - 1];
      distances[count] = distances[count - 1];
      spreads[count] = spreads[count - 1];
    }
    // The plain close − mean carries the mean's rounding: relative to a distance of at least
    // 1 / p, up to p·|mean| = |Σx| ulps, taken twice over.
    ulps.sigmas = ulps.deviation + 4 + 2 * static_cast<uint64_t>(p) * closes;
    uint64_t unsettled =
        FillBollingerSlots(&series[from], count, {sums, distances, spreads}, inverse_p, ulps);
    for (; unsettled != 0; unsettled &= unsettled - 1) plain(from + std::countr_zero(unsettled));
  }
}

}  // namespace

int CalcBollinger(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return BollingerWarmUp(controls);
  const int period = Period(controls);
  if (period <= 0) throw ComputationFault("Bollinger period below 1");

  for (int i = 1; i <= std::min(period - 1, bars); ++i) {
    series[i].s1 = 0;
    series[i].s2 = 0;
    series[i].s3 = 0;
  }
  if (period > bars) return 0;
  FillSlots(series, bars, period);
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
