#include "indicators/parabolic.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "base/numbers.h"
#include "indicators/float_rounding.h"
#include "indicators/near_halfway.h"
#include "indicators/oscillator_frame.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Rungs enough for the ladders of usual parameters, such as 0.02 by 0.02 up to 0.2.
constexpr size_t kUsualRungs = 32;

// The largest factor the fast stop takes: up to 1 − 2^-10 its error bound stays small.
constexpr float kFastFactorLimit = 1 - 0x1p-10f;

// `value` rounded to single precision, as a double; a tie, which the fast steps rule out, goes
// up. A float's last place is bit 29 of a double's, so it is one integer addition and a mask,
// quicker than the conversion there and back, on the bits. For positive normal floats.
double RoundedToFloat(double value) {
  constexpr int64_t kHalf = int64_t{1} << 28;
  constexpr int64_t kKept = ~((int64_t{1} << 29) - 1);
#if defined(__SSE2__)
  // In the vector unit, where the arithmetic is: a trip through an integer register would
  // lengthen the chain from one bar's stop to the next.
  const __m128i bits = _mm_castpd_si128(_mm_set_sd(value));
  return _mm_cvtsd_f64(_mm_castsi128_pd(
      _mm_and_si128(_mm_add_epi64(bits, _mm_set1_epi64x(kHalf)), _mm_set1_epi64x(kKept))));
#else
  return std::bit_cast<double>((std::bit_cast<int64_t>(value) + kHalf) & kKept);
#endif
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
//
// The screening takes a faster way to the same stops, Step<true>: sar + (ep − sar)·af as
// sar·(1 − af) + ep·af, one rounded step fewer after the stop of the bar before, ep·af being
// ready before it. With prices of 1 or more and factors between 0 and 1, both ways lie within
// a few units in the last place of the exact value, so where the fast value rounds to the same
// float as every double that close (nearly always), it is the same float as the plain one's.
// Whether that held on every bar is only looked at once the walk is over, and the walk is done
// again plainly if not: a branch on every bar would cost more than the rare second walk.
class Parabolic {
 public:
  // Bar 1 opens a short position with its high as the stop; `bars` bounds how far the factor
  // can climb.
  Parabolic(const ParabolicParameters& factors, int32_t high, int32_t low, int bars)
      : sar_(static_cast<float>(high)), ep_(AsFloat(low)), lowest_(low), highest_(high) {
    // Room for the usual ladders from the start: growing the list step by step would cost
    // more than a walk over a few hundred bars.
    rungs_.reserve(kUsualRungs);
    // The plain stop's steps round (ep − sar)·af off by up to 2·|ep − sar|·af units of 2^-53,
    // which with sar above ep is at most sar·af ≤ stop·af / (1 − af); every other step, the
    // fast ones and 1 − af included, by at most the stop's own size: the stop's ulp each.
    // Counted in the fast value's ulps, which may be half as large, and doubled for safety.
    float factor = factors.start;
    float largest = 0;
    for (int rung = 0; rung == 0 || rung < bars; ++rung) {  // the start at least
      if (rung > 0) {
        const float next =
            std::min(static_cast<float>(double{factor} + double{factors.step}), factors.limit);
        if (std::bit_cast<uint32_t>(next) == std::bit_cast<uint32_t>(factor)) break;
        factor = next;
      }
      rungs_.push_back({factor, 1 - double{factor}});
      largest = std::max(largest, factor);
      settled_ &= factor > 0 && factor <= kFastFactorLimit;
    }
    const double ratio = std::max(1.0, largest / (1 - double{largest}));
    stop_ulps_ = 4 * (4 + 2 * static_cast<uint64_t>(std::ceil(ratio)));
    settled_ &= std::min(high, low) >= 1;
  }

  // Advances over the next bar, the plain way or the fast one; the fast one keeps the stop
  // before its rounding to single precision in `record`.
  template <bool kFast>
  void Step(int32_t high, int32_t low, double* record = nullptr) {
    const double ep = static_cast<double>(ep_);
    int64_t price = long_ ? high : low;
    if constexpr (kFast) {
      const double stop = sar_ * rungs_[rung_].complement + ep * rungs_[rung_].factor;
      *record = stop;
      sar_ = RoundedToFloat(stop);
      // Prices below 1 would let the stop fall to where floats are spaced otherwise; prices
      // up to 2^24 are floats as they are.
      price_range_ |= static_cast<uint32_t>(high - 1) | static_cast<uint32_t>(low - 1);
    } else {
      sar_ = static_cast<float>(sar_ + (ep - sar_) * rungs_[rung_].factor);
      price = AsFloat(static_cast<int32_t>(price));
    }
    const bool extends = long_ ? high > ep_ : low < ep_;
    ep_ = Pick(extends, price, ep_);
    rung_ = std::min(rung_ + static_cast<size_t>(extends), rungs_.size() - 1);
    lowest_ = std::min(lowest_, low);
    highest_ = std::max(highest_, high);
    const bool reverses = long_ ? low < sar_ : sar_ < high;
    if (!reverses) return;
    // The stop jumps to the far end of the trend just ended, the extreme point to its near end.
    sar_ = static_cast<float>(long_ ? highest_ : lowest_);
    ep_ = AsFloat(long_ ? lowest_ : highest_);
    long_ = !long_;
    lowest_ = low;
    highest_ = high;
    rung_ = 0;
  }

  float Sar() const { return static_cast<float>(sar_); }
  bool Long() const { return long_; }
  // Whether the fast steps so far may give the plain steps' stops: the parameters and prices
  // allow them; the recorded stops are to be checked too.
  bool Settled() const { return settled_ & (price_range_ < (uint32_t{1} << 24)); }
  // The most the recorded fast stops may lie from the plain ones, in units in the last place.
  uint64_t StopUlps() const { return stop_ulps_; }

 private:
  double sar_;  // a float's value
  int64_t ep_;
  int32_t lowest_;
  int32_t highest_;
  // The factor after 0, 1, 2, … new extremes, the last one staying, each with 1 − factor.
  struct Rung {
    double factor;  // a float's value
    double complement;
  };
  std::vector<Rung> rungs_;
  size_t rung_ = 0;
  bool long_ = false;
  bool settled_ = true;
  uint32_t price_range_ = 0;  // the fast steps' prices less 1, or-ed together
  uint64_t stop_ulps_ = 0;
};

}  // namespace

// The walk starts at bar 1 whatever the parameters; a year of bars gives it time to settle.
int ParabolicWarmUp(const ControlValues&) {
  return 250;
}

int CalcParabolic(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return ParabolicWarmUp(controls);
  const ParabolicParameters factors = ReadParabolicParameters(controls);
  // With prices of 1 or more and factors between 0 and 1 the stop stays between the prices,
  // finite.
  Parabolic fast(factors, series[1].high, series[1].low, bars);
  if (fast.Settled()) {
    double stops[kScreeningCapacity + 1];
    for (int i = 2; i <= bars; ++i) {
      fast.Step<true>(series[i].high, series[i].low, &stops[i]);
      series[i].s1 = fast.Long() ? 1.0f : -1.0f;
    }
    if (fast.Settled() && AllRoundToOneFloat(&stops[2], bars - 1, fast.StopUlps())) return 0;
  }
  Parabolic parabolic(factors, series[1].high, series[1].low, bars);
  for (int i = 2; i <= bars; ++i) {
    parabolic.Step<false>(series[i].high, series[i].low);
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
    parabolic.Step<false>(bars[i].high, bars[i].low);
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
