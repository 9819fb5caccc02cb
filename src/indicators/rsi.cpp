#include "indicators/rsi.h"

#include <algorithm>
#include <array>
#include <optional>
#include <type_traits>
#include <vector>

#include "indicators/float_rounding.h"
#include "indicators/oscillator_frame.h"

namespace varnolt {
namespace {

// The chart's boxes; an empty period box switches its line off.
struct RsiParameters {
  std::array<int, 3> periods;
  int upper_level;
  int lower_level;
  bool cumulative;
};

RsiParameters ReadRsiParameters(const ControlValues& controls) {
  return {{IntParameter(controls, kRsiBoxes, "edRSI1"), IntParameter(controls, kRsiBoxes, "edRSI2"),
           IntParameter(controls, kRsiBoxes, "edRSI3")},
          IntParameter(controls, kRsiBoxes, "edRSIU"),
          IntParameter(controls, kRsiBoxes, "edRSID"),
          controls.Checked("cbrsi")};
}

// The up and down sums of one RSI line in single precision: summed over a first window, then
// moved on bar by bar, either as a window of the last `period` changes or as a running sum
// that lets older changes fade by (period − 1) / period each bar (cbrsi).
class RsiSums {
 public:
  RsiSums(int period, bool cumulative)
      : period_(period),
        cumulative_(cumulative),
        keep_((period - 1) / static_cast<double>(period)) {}

  // A rise of at least one yen counts as up; a fall as down; no change as neither. Picked
  // with a mask of the sign rather than a branch: the direction of a change is as good as
  // random, and a compiler turns a plain comparison into a jump that guesses wrong half of
  // the time.
  static float Up(int64_t change) { return static_cast<float>(change & ~FallMask(change)); }
  static float Down(int64_t change) { return static_cast<float>(-change & FallMask(change)); }
  static int64_t FallMask(int64_t change) { return -static_cast<int64_t>(change < 0); }

  void AddToFirstWindow(int64_t change) {
    up_ += Up(change);
    down_ += Down(change);
  }

  // `change` enters; `leaving`, the change `period` bars earlier, leaves the moving window.
  void Advance(int64_t change, int64_t leaving) {
    if (cumulative_) {
      AdvanceFading(change);
    } else {
      AdvanceWindow(change, leaving);
    }
  }
  // The two kinds of Advance apart, for a loop that knows its kind.
  void AdvanceFading(int64_t change) {
    up_ = Fade(up_, Up(change));
    down_ = Fade(down_, Down(change));
  }
  void AdvanceWindow(int64_t change, int64_t leaving) {
    up_ = up_ - Up(leaving) + Up(change);
    down_ = down_ - Down(leaving) + Down(change);
  }
  bool Cumulative() const { return cumulative_; }

  // sum · (period − 1) / period + added, rounded to a float. Each bar's division would stand
  // in the chain from one bar to the next; multiplying by the fraction instead is off by at
  // most 3 roundings of a sum that `added` (never negative) only makes larger, so where that
  // cannot change the float it is the same float. Tiny sums that a float holds only in part
  // take the division.
  float Fade(float sum, float added) const {
    const double fast = static_cast<double>(sum) * keep_ + added;
    if (fast == 0 || (fast >= 0x1p-120 && RoundsToOneFloat(fast, 16))) {
      return static_cast<float>(fast);
    }
    return FadeByDivision(sum, added);
  }
  float FadeByDivision(float sum, float added) const;

  // The index in percent; none when the window saw no change at all (0 / 0).
  std::optional<double> Value() const {
    const float total = up_ + down_;
    if (total == 0) return std::nullopt;
    return static_cast<double>(up_) * 100 / total;
  }

 private:
  int period_;
  bool cumulative_;
  double keep_;  // (period − 1) / period
  float up_ = 0;
  float down_ = 0;
};

// Out of the loop's line: it runs for a handful of bars in a million.
float RsiSums::FadeByDivision(float sum, float added) const {
  return static_cast<float>(static_cast<double>(sum) * (period_ - 1) / period_ + added);
}

}  // namespace

int RsiWarmUp(const ControlValues& controls) {
  return std::max(ComputedIntParameter(controls, kRsiBoxes, "edRSI1"), 0);
}

int CalcRSI(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return RsiWarmUp(controls);
  const int period = ComputedIntParameter(controls, kRsiBoxes, "edRSI1");
  if (period < 0) throw ComputationFault("negative RSI period");
  const int unset = period == 0 ? bars : std::min(bars, period);
  for (int bar = 1; bar <= unset; ++bar) series[bar].s1 = 0;
  if (period == 0 || period >= bars) return 0;

  RsiSums sums(period, controls.Checked("cbrsi"));
  const auto change = [&series](int bar) {
    return static_cast<int64_t>(series[bar].close) - series[bar - 1].close;
  };
  for (int bar = 2; bar <= period + 1; ++bar) sums.AddToFirstWindow(change(bar));
  // One loop for each kind of sum, so that the choice stays out of the bar-to-bar chain.
  const auto fill = [&](auto cumulative) {
    for (int bar = period + 1;; ++bar) {
      const std::optional<double> value = sums.Value();
      if (!value) throw ComputationFault("RSI window without any change");
      series[bar].s1 = static_cast<float>(*value);
      if (bar == bars) return;
      if constexpr (decltype(cumulative)::value) {
        sums.AdvanceFading(change(bar + 1));
      } else {
        sums.AdvanceWindow(change(bar + 1), change(bar + 1 - period));
      }
    }
  };
  if (sums.Cumulative()) {
    fill(std::true_type{});
  } else {
    fill(std::false_type{});
  }
  return 0;
}

namespace {

int64_t Change(const BarTable& bars, int bar) {
  return static_cast<int64_t>(bars[bar].close) - bars[bar - 1].close;
}

// Draws one line from bar max(first, period + 1) to the last bar and keeps its values in
// `table`. False when a window without any change stops it at that bar.
bool DrawLine(const IndicatorContext& context, const IndicatorFrame& frame, int period,
              bool cumulative, Color colour, std::vector<double>& table) {
  const BarTable& bars = context.data.bars;
  const int last = frame.Last();
  if (period <= 0 || period >= last) return true;  // no bar with a full window of changes
  const int start = std::max(frame.First(), period + 1);
  if (start > last) return true;

  RsiSums sums(period, cumulative);
  for (int bar = start - period + 1; bar <= start; ++bar) sums.AddToFirstWindow(Change(bars, bar));
  OscillatorLine line(context, frame, colour);
  for (int bar = start;; ++bar) {
    const std::optional<double> value = sums.Value();
    if (!value) return false;
    table[bar] = *value;
    line.Add(bar, *value);
    if (bar == last) return true;
    sums.Advance(Change(bars, bar + 1), Change(bars, bar + 1 - period));
  }
}

}  // namespace

DrawingResult DrawRSI(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const ControlValues& controls = context.controls;
  const RsiParameters parameters = ReadRsiParameters(controls);
  const std::array<int, 3>& periods = parameters.periods;
  const std::array<Color, 3> colours = {controls.ColorOf("lbrsi1"), controls.ColorOf("lbRSI2"),
                                        controls.ColorOf("lbrsi3")};

  const IndicatorFrame frame = OscillatorFrame(context, kPercentTop, kPercentBottom);
  DrawPercentLevels(context, frame, parameters.upper_level, parameters.lower_level);
  std::array<std::vector<double>, 3> tables;
  for (size_t k = 0; k < tables.size(); ++k) {
    tables[k].assign(frame.Last() + 1, 0.0);
    if (!DrawLine(context, frame, periods[k], parameters.cumulative, colours[k], tables[k])) {
      return DrawingFailed(kSkewedDataMessage);
    }
  }
  WriteListing(context,
               "RSI 周期 , " + std::to_string(periods[0]) + " , " + std::to_string(periods[1]) +
                   " , " + std::to_string(periods[2]),
               {tables[0], tables[1], tables[2]});
  return {};
}

}  // namespace varnolt
