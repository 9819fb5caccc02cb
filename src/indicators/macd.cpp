#include "indicators/macd.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "base/numbers.h"
#include "indicators/float_rounding.h"
#include "indicators/oscillator_frame.h"

namespace varnolt {
namespace {

constexpr const char* kHeader = "MACD , 第１線（２周期の乖離） , 第2線（第１線の移動平均）";

struct MacdParameters {
  int fast = 5;
  int slow = 20;
  int signal = 0;  // 0 or below: no signal line

  // Both averages need at least one close; a period below 1 divides by 0 or indexes before
  // bar 1.
  bool Valid() const { return fast >= 1 && slow >= 1; }
  // The first bar with both averages.
  int64_t MacdStart() const { return std::max(fast, slow); }
  int64_t SignalStart() const { return MacdStart() + signal - 1; }
};

MacdParameters ReadMacdParameters(const ControlValues& controls) {
  return {IntParameter(controls, kMacdBoxes, "edmacd1"),
          IntParameter(controls, kMacdBoxes, "edmacd2"),
          IntParameter(controls, kMacdBoxes, "edmacd3")};
}

// An exponential average of closes, kept in single precision as the tables hold it: the plain
// mean of the first n closes, then each close pulls it 2 / (n + 1) of the way towards itself.
class Ema {
 public:
  explicit Ema(int period) : period_(period), step_(2 / (period + 1.0)) {}

  // The close of the next bar; bars come in order from bar 1.
  void Add(int bar, int32_t close) {
    if (bar <= period_) {
      sum_ += close;
      if (bar == period_) value_ = static_cast<float>(static_cast<double>(sum_) / period_);
      return;
    }
    const double previous = value_;
    // The division by period + 1 would stand in the chain from one bar to the next.
    // Multiplying by 2 / (period + 1) instead is off by at most 3 roundings of the step,
    // which for closes of one sign is at most twice the new value: where that cannot change
    // the float it is the same float. Otherwise, and for tiny values, the division.
    const double step = (close - previous) * step_;
    const double fast = previous + step;
    if (std::abs(step) <= 2 * std::abs(fast) &&
        (fast == 0 || (std::abs(fast) >= 0x1p-120 && RoundsToOneFloat(fast, 16)))) {
      value_ = static_cast<float>(fast);
      return;
    }
    value_ = static_cast<float>(previous + (close - previous) * 2 / (period_ + 1.0));
  }
  float Value() const { return value_; }

 private:
  int period_;
  double step_;  // 2 / (period + 1)
  int64_t sum_ = 0;
  float value_ = 0;
};

// MACD of bars 1..count into macd(bar), 0 before both averages exist. The averages start at
// bar 1 whatever part of the series is shown. `close(bar)` reads a close; `macd(bar)` is a
// reference to the bar's table entry.
template <typename CloseAt, typename MacdAt>
void FillMacd(const MacdParameters& periods, int count, CloseAt close, MacdAt macd) {
  Ema fast(periods.fast);
  Ema slow(periods.slow);
  for (int bar = 1; bar <= count; ++bar) {
    fast.Add(bar, close(bar));
    slow.Add(bar, close(bar));
    macd(bar) = bar >= periods.MacdStart()
                    ? static_cast<float>(static_cast<double>(fast.Value()) - slow.Value())
                    : 0.0f;
  }
}

// The signal line, the plain mean of the last g MACD values, into signal(bar) from its first
// bar on; entries before it are left as they are. The moving sum adds and removes the same
// single-precision values in double precision, which keeps it equal to a fresh sum.
template <typename MacdAt, typename SignalAt>
void FillSignal(const MacdParameters& periods, int count, MacdAt macd, SignalAt signal) {
  const int64_t g = periods.signal;
  if (g <= 0 || periods.SignalStart() > count) return;
  const int start = static_cast<int>(periods.SignalStart());
  double sum = 0;
  for (int bar = start - periods.signal + 1; bar < start; ++bar) sum += macd(bar);
  for (int bar = start; bar <= count; ++bar) {
    sum += macd(bar);
    signal(bar) = static_cast<float>(sum / static_cast<double>(g));
    sum -= macd(bar - periods.signal + 1);
  }
}

}  // namespace

int MacdWarmUp(const ControlValues& controls) {
  const MacdParameters periods = ReadMacdParameters(controls);
  const int64_t warm_up = periods.MacdStart() - 1 + (periods.signal > 0 ? periods.signal - 1 : 0);
  return static_cast<int>(std::clamp<int64_t>(warm_up, 0, INT32_MAX));
}

int CalcMACD(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return MacdWarmUp(controls);
  const MacdParameters periods = ReadMacdParameters(controls);
  if (!periods.Valid()) throw ComputationFault("MACD period below 1");

  // FillMacd and FillSignal in one pass: the signal's moving sum adds and removes the same
  // values in the same order, and the two averages overlap with it.
  Ema fast(periods.fast);
  Ema slow(periods.slow);
  const int64_t g = periods.signal;
  const int64_t macd_start = periods.MacdStart();
  // The signal's sum starts g − 1 bars before its first value; without a signal, never.
  const bool signal = g > 0 && periods.SignalStart() <= bars;
  const int64_t sum_start = signal ? periods.SignalStart() - g + 1 : INT64_MAX;
  const int64_t signal_start = signal ? periods.SignalStart() : INT64_MAX;
  double sum = 0;
  for (int bar = 1; bar <= bars; ++bar) {
    ScreeningEntry& entry = series[bar];
    fast.Add(bar, entry.close);
    slow.Add(bar, entry.close);
    const float macd = bar >= macd_start
                           ? static_cast<float>(static_cast<double>(fast.Value()) - slow.Value())
                           : 0.0f;
    entry.s1 = macd;
    entry.s2 = 0;
    if (bar < sum_start) continue;
    sum += macd;
    if (bar < signal_start) continue;
    entry.s2 = static_cast<float>(sum / static_cast<double>(g));
    sum -= series[bar - periods.signal + 1].s1;
  }
  return 0;
}

DrawingResult DrawMACD(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const ControlValues& controls = context.controls;
  const MacdParameters periods = ReadMacdParameters(controls);
  if (!periods.Valid()) return DrawingFailed(kSkewedDataMessage);

  const BarTable& bars = context.data.bars;
  const int first = context.data.first_shown;
  const int last = bars.Count();
  const size_t size = static_cast<size_t>(std::max(last, 0)) + 1;
  std::vector<double> macd(size, 0.0);
  std::vector<double> signal(size, 0.0);
  FillMacd(
      periods, last, [&bars](int bar) { return bars[bar].close; },
      [&macd](int bar) -> double& { return macd[bar]; });
  FillSignal(
      periods, last, [&macd](int bar) { return macd[bar]; },
      [&signal](int bar) -> double& { return signal[bar]; });

  // The scale comes from every MACD value, warm-up bars included, with a tenth of the range
  // spare above and below.
  const int macd_start = StartBar(1, periods.MacdStart(), last);
  double largest = 0;
  double smallest = 0;
  if (macd_start <= last) {
    const auto [low, high] = std::minmax_element(macd.begin() + macd_start, macd.end());
    largest = *high;
    smallest = *low;
  }
  const int64_t spare = RoundHalfEven((largest - smallest) / 10);
  int64_t upper = RoundHalfEven(largest + static_cast<double>(spare));
  int64_t lower = RoundHalfEven(smallest - static_cast<double>(spare));
  // A flat MACD, or one within a unit, would leave the band no range to map onto.
  if (upper == lower) {
    ++upper;
    --lower;
  }
  const IndicatorFrame frame =
      OscillatorFrame(context, static_cast<double>(upper), static_cast<double>(lower));
  DrawReferenceLines(context, frame, {0, RoundHalfEven(largest), RoundHalfEven(smallest)});

  DrawValueLine(context, frame, controls.ColorOf("lbmacd1"), macd,
                StartBar(first, macd_start, last), last);
  if (periods.signal > 0) {
    DrawValueLine(context, frame, controls.ColorOf("lbmacd2"), signal,
                  StartBar(first, periods.SignalStart(), last), last);
  }
  WriteListing(context, kHeader, {macd, signal});
  return {};
}

}  // namespace varnolt
