#include "indicators/parabolic.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "base/numbers.h"
#include "indicators/oscillator_frame.h"

namespace varnolt {
namespace {

// The acceleration factors: where they start, how much each new extreme adds, and their cap.
struct ParabolicParameters {
  float start;
  float step;
  float limit;
};

ParabolicParameters ReadParabolicParameters(const ControlValues& controls) {
  return {static_cast<float>(RealParameter(controls, kParabolicBoxes, "edpal1")),
          static_cast<float>(RealParameter(controls, kParabolicBoxes, "edpal2")),
          static_cast<float>(RealParameter(controls, kParabolicBoxes, "edpal3"))};
}

// A price as the recurrence holds it, in a float, kept as the whole number that float is.
int64_t AsFloat(int32_t price) {
  return static_cast<int64_t>(static_cast<float>(price));
}

// `if_true` or `if_false` by a mask: compilers like to turn a choice into a jump, which the
// branch predictor, on data as good as random, would guess wrong half of the time.
int64_t Pick(bool condition, int64_t if_true, int64_t if_false) {
  return if_false ^ ((if_false ^ if_true) & -static_cast<int64_t>(condition));
}

// The stop-and-reverse recurrence, kept in single precision as the screening results have
// always been: each new value is worked out wider and stored as a float.
//
// Each bar the stop, the extreme point and the acceleration factor move on from their values
// of the bar before; the slowest of those three chains sets the pace. So the extreme point is
// compared and picked as an integer (the whole number its float holds), the factor is a rung
// on the ladder start, start + step, … up to the limit, worked out beforehand, and whether a
// bar makes a new extreme, as good as random, picks them without a branch.
class Parabolic {
 public:
  // Bar 1 opens a short position with its high as the stop; `bars` bounds how far the factor
  // can climb.
  Parabolic(const ParabolicParameters& factors, int32_t high, int32_t low, int bars)
      : factors_(factors),
        sar_(static_cast<float>(high)),
        ep_(AsFloat(low)),
        lowest_(low),
        highest_(high) {
    float factor = factors.start;
    ladder_.push_back(factor);
    for (int rung = 1; rung < bars; ++rung) {
      const float next =
          std::min(static_cast<float>(double{factor} + double{factors.step}), factors.limit);
      if (std::bit_cast<uint32_t>(next) == std::bit_cast<uint32_t>(factor)) break;
      factor = next;
      ladder_.push_back(factor);
    }
  }

  // Advances over the next bar.
  void Step(int32_t high, int32_t low) {
    const double af = ladder_[rung_];
    sar_ = static_cast<float>(double{sar_} + (static_cast<double>(ep_) - double{sar_}) * af);
    const bool extends = long_ ? high > ep_ : low < ep_;
    ep_ = Pick(extends, AsFloat(long_ ? high : low), ep_);
    rung_ += static_cast<size_t>(extends & (rung_ + 1 < ladder_.size()));
    lowest_ = std::min(lowest_, low);
    highest_ = std::max(highest_, high);
    const bool reverses = long_ ? low < double{sar_} : double{sar_} < high;
    if (!reverses) return;
    // The stop jumps to the far end of the trend just ended, the extreme point to its near end.
    sar_ = static_cast<float>(long_ ? highest_ : lowest_);
    ep_ = AsFloat(long_ ? lowest_ : highest_);
    long_ = !long_;
    lowest_ = low;
    highest_ = high;
    rung_ = 0;
  }

  float Sar() const { return sar_; }
  bool Long() const { return long_; }

 private:
  ParabolicParameters factors_;
  float sar_;
  int64_t ep_;
  int32_t lowest_;
  int32_t highest_;
  std::vector<float> ladder_;  // the factor after 0, 1, 2, … new extremes; the last one stays
  size_t rung_ = 0;
  bool long_ = false;
};

}  // namespace

// The walk starts at bar 1 whatever the parameters; a year of bars gives it time to settle.
int ParabolicWarmUp(const ControlValues&) {
  return 250;
}

int CalcParabolic(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return ParabolicWarmUp(controls);
  const ParabolicParameters factors = ReadParabolicParameters(controls);
  Parabolic parabolic(factors, series[1].high, series[1].low, bars);
  for (int i = 2; i <= bars; ++i) {
    parabolic.Step(series[i].high, series[i].low);
    if (!std::isfinite(parabolic.Sar())) throw ComputationFault("parabolic stop overflow");
    series[i].s1 = parabolic.Long() ? 1.0f : -1.0f;
  }
  return 0;
}

DrawingResult DrawParabolic(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  if (context.data.bars.Count() == 0) return {};
  const ParabolicParameters factors = ReadParabolicParameters(context.controls);
  const Color buy = context.controls.ColorOf("lbpalb");
  const Color sell = context.controls.ColorOf("lbpals");
  const IndicatorFrame frame(context);
  const BarTable& bars = context.data.bars;
  Canvas& canvas = context.canvas;
  DrawingResult result;
  Parabolic parabolic(factors, bars[1].high, bars[1].low, frame.Last());
  for (int i = 2; i <= frame.Last(); ++i) {
    parabolic.Step(bars[i].high, bars[i].low);
    if (i < frame.First()) continue;
    // Only absurd factors overflow single precision; nothing is drawn from such a stop.
    if (!std::isfinite(parabolic.Sar())) {
      result = DrawingFailed(kSkewedDataMessage);
      break;
    }
    const PixelPoint p = frame.Point(i, RoundHalfEven(parabolic.Sar()));
    const Color colour = parabolic.Long() ? buy : sell;
    // The outline in the dot's colour too, so the whole 4 × 4 square shows the side.
    canvas.SetPen(colour);
    canvas.SetBrush(colour);
    canvas.Rectangle(p.x - 2, p.y - 2, p.x + 2, p.y + 2);
  }
  return result;
}

}  // namespace varnolt
