#include "indicators/parabolic.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

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

// `if_true` or `if_false` by a mask on their bits, which compilers keep free of jumps.
float Pick(bool condition, float if_true, float if_false) {
  const uint32_t mask = 0u - static_cast<uint32_t>(condition);
  return std::bit_cast<float>((std::bit_cast<uint32_t>(if_true) & mask) |
                              (std::bit_cast<uint32_t>(if_false) & ~mask));
}

// The stop-and-reverse recurrence, kept in single precision as the screening results have
// always been: each new value is worked out wider and stored as a float.
class Parabolic {
 public:
  // Bar 1 opens a short position with its high as the stop.
  Parabolic(const ParabolicParameters& factors, int32_t high, int32_t low)
      : factors_(factors),
        sar_(static_cast<float>(high)),
        ep_(static_cast<float>(low)),
        lowest_(low),
        highest_(high),
        af_(factors.start) {}

  // Advances over the next bar.
  void Step(int32_t high, int32_t low) {
    sar_ = static_cast<float>(double{sar_} + (double{ep_} - double{sar_}) * double{af_});
    // Whether the bar makes a new extreme is as good as random, so the new extreme point and
    // factor are picked without a branch.
    const bool extends = long_ ? high > double{ep_} : low < double{ep_};
    ep_ = Pick(extends, static_cast<float>(long_ ? high : low), ep_);
    af_ = Pick(extends,
               std::min(static_cast<float>(double{af_} + double{factors_.step}), factors_.limit),
               af_);
    lowest_ = std::min(lowest_, low);
    highest_ = std::max(highest_, high);
    const bool reverses = long_ ? low < double{sar_} : double{sar_} < high;
    if (!reverses) return;
    // The stop jumps to the far end of the trend just ended, the extreme point to its near end.
    sar_ = static_cast<float>(long_ ? highest_ : lowest_);
    ep_ = static_cast<float>(long_ ? lowest_ : highest_);
    long_ = !long_;
    lowest_ = low;
    highest_ = high;
    af_ = factors_.start;
  }

  float Sar() const { return sar_; }
  bool Long() const { return long_; }

 private:
  ParabolicParameters factors_;
  float sar_;
  float ep_;
  int32_t lowest_;
  int32_t highest_;
  float af_;
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
  Parabolic parabolic(factors, series[1].high, series[1].low);
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
  Parabolic parabolic(factors, bars[1].high, bars[1].low);
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
