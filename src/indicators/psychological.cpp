#include "indicators/psychological.h"

#include <algorithm>
#include <vector>

#include "indicators/oscillator_frame.h"

namespace varnolt {
namespace {

// The chart's boxes.
struct PsychologicalParameters {
  int period;
  int upper_level;
  int lower_level;
};

PsychologicalParameters ReadPsychologicalParameters(const ControlValues& controls) {
  return {IntParameter(controls, kPsychologicalBoxes, "edpsy"),
          IntParameter(controls, kPsychologicalBoxes, "edpsyu"),
          IntParameter(controls, kPsychologicalBoxes, "edpsyd")};
}

template <typename Bars>
bool Rises(const Bars& bars, int bar) {
  return bars[bar - 1].close < bars[bar].close;
}

// Counts the rising closes of the n bars ending at each bar in turn, sliding the window one
// bar at a time.
template <typename Bars>
class RisingCount {
 public:
  // The window of the n bars ending at `bar` (bar > n, so every close has a predecessor).
  RisingCount(const Bars& bars, int bar, int n) : bars_(bars), bar_(bar), n_(n) {
    for (int j = bar - n + 1; j <= bar; ++j) count_ += Rises(bars, j) ? 1 : 0;
  }
  void Advance() {
    ++bar_;
    count_ += (Rises(bars_, bar_) ? 1 : 0) - (Rises(bars_, bar_ - n_) ? 1 : 0);
  }
  // The share of rising closes in percent.
  double Value() const { return count_ * 100.0 / n_; }

 private:
  const Bars& bars_;
  int bar_;
  int n_;
  int count_ = 0;
};

}  // namespace

int PsychologicalWarmUp(const ControlValues& controls) {
  return std::max(ComputedIntParameter(controls, kPsychologicalBoxes, "edpsy"), 0);
}

int CalcPsychological(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return PsychologicalWarmUp(controls);
  const int n = ComputedIntParameter(controls, kPsychologicalBoxes, "edpsy");
  if (n < 1) throw ComputationFault("psychological period below 1");
  for (int i = 1; i <= n && i <= bars; ++i) series[i].s1 = 0;
  if (n >= bars) return 0;
  RisingCount<ScreeningSeries> count(series, n + 1, n);
  series[n + 1].s1 = static_cast<float>(count.Value());
  for (int i = n + 2; i <= bars; ++i) {
    count.Advance();
    series[i].s1 = static_cast<float>(count.Value());
  }
  return 0;
}

DrawingResult DrawPsychological(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const ControlValues& controls = context.controls;
  const PsychologicalParameters parameters = ReadPsychologicalParameters(controls);
  const int n = parameters.period;
  const Color colour = controls.ColorOf("lbpsy");
  const IndicatorFrame frame = OscillatorFrame(context, kPercentTop, kPercentBottom);
  DrawPercentLevels(context, frame, parameters.upper_level, parameters.lower_level);
  // A share of no bars has no value.
  if (n < 1) return DrawingFailed(kSkewedDataMessage);
  std::vector<double> values(frame.Last() + 1, 0.0);
  if (n < frame.Last()) {
    const int start = std::max(frame.First(), n + 1);
    OscillatorLine line(context, frame, colour);
    RisingCount<BarTable> count(context.data.bars, start, n);
    for (int i = start; i <= frame.Last(); ++i) {
      if (i > start) count.Advance();
      values[i] = count.Value();
      line.Add(i, values[i]);
    }
  }
  WriteListing(context, "ｻｲｺﾛｼﾞｶﾙ ﾗｲﾝ ", {values});
  return {};
}

}  // namespace varnolt
