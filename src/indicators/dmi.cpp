#include "indicators/dmi.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "indicators/oscillator_frame.h"

namespace varnolt {
namespace {

constexpr const char* kHeader = "ﾃﾞｨﾚｸｼｮﾅﾙ･ﾑｰﾌﾞﾒﾝﾄ , -DI , +DI , ADX , ADXR ";

// One bar's directional movement and true range against the bar before it.
struct Movement {
  double plus = 0;
  double minus = 0;
  double range = 0;
};

// Works on price bars and on screening entries alike: both carry high, low and close.
template <typename Entry>
Movement MovementOf(const Entry& bar, const Entry& previous) {
  const int64_t up = int64_t{bar.high} - previous.high;
  const int64_t down = int64_t{previous.low} - bar.low;
  Movement movement;
  // Only the larger of the two moves counts, and only when it is a rise (up) or a fall (down).
  if (up != down && (up > 0 || down > 0)) {
    if (up > down) {
      movement.plus = static_cast<double>(up);
    } else {
      movement.minus = static_cast<double>(down);
    }
  }
  const int64_t range = std::max({int64_t{bar.high} - previous.close,
                                  int64_t{previous.close} - bar.low, int64_t{bar.high} - bar.low});
  movement.range = static_cast<double>(range);
  return movement;
}

// Running sums of +DM, -DM and true range over the ±DI period: either smoothed (the oldest
// share decays by 1/w each bar) or a plain moving window.
struct MovementSums {
  double plus = 0;
  double minus = 0;
  double range = 0;

  void Add(const Movement& movement) {
    plus += movement.plus;
    minus += movement.minus;
    range += movement.range;
  }
  void Smooth(int period, const Movement& next) {
    plus = plus * (period - 1) / period + next.plus;
    minus = minus * (period - 1) / period + next.minus;
    range = range * (period - 1) / period + next.range;
  }
  void Slide(const Movement& oldest, const Movement& next) {
    plus = plus - oldest.plus + next.plus;
    minus = minus - oldest.minus + next.minus;
    range = range - oldest.range + next.range;
  }
};

// Moves the sums on from `bar` to the next bar.
template <typename Bars>
void Advance(MovementSums& sums, bool cumulative, int period, const Bars& bars, int bar) {
  const Movement next = MovementOf(bars[bar + 1], bars[bar]);
  if (cumulative) {
    sums.Smooth(period, next);
  } else {
    sums.Slide(MovementOf(bars[bar - period + 1], bars[bar - period]), next);
  }
}

// Directional movement index from ±DI: how much of the movement goes one way.
double Dx(double plus_di, double minus_di) {
  return std::fabs(plus_di - minus_di) * 100 / (plus_di + minus_di);
}

// The chart's boxes and switches.
struct DmiParameters {
  int period;
  int adx_period;
  int lower_level;
  int upper_level;  // also sets the top of the scale
  bool cumulative;
  bool with_adxr;
};

DmiParameters ReadDmiParameters(const ControlValues& controls) {
  return {IntParameter(controls, kDmiBoxes, "edpmdi"),
          IntParameter(controls, kDmiBoxes, "edadx"),
          IntParameter(controls, kDmiBoxes, "eddmisup"),
          IntParameter(controls, kDmiBoxes, "eddmisup2"),
          controls.Checked("cbrsi"),
          controls.Checked("cbadxr")};
}

}  // namespace

int DmiWarmUp(const ControlValues& controls) {
  const int64_t period = ComputedIntParameter(controls, kDmiBoxes, "edpmdi");
  const int64_t adx_period = ComputedIntParameter(controls, kDmiBoxes, "edadx");
  const int64_t warm_up =
      controls.Checked("cbadxr") ? 2 * adx_period + period - 1 : period + adx_period - 1;
  return static_cast<int>(std::clamp<int64_t>(warm_up, 0, INT32_MAX));
}

int CalcDMI(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return DmiWarmUp(controls);
  const int period = ComputedIntParameter(controls, kDmiBoxes, "edpmdi");
  const int adx_period = ComputedIntParameter(controls, kDmiBoxes, "edadx");
  const bool cumulative = controls.Checked("cbrsi");
  const bool with_adxr = controls.Checked("cbadxr");

  for (int bar = 1; bar <= bars; ++bar) {
    ScreeningEntry& entry = series[bar];
    entry.s1 = entry.s2 = entry.s3 = entry.s4 = 0;
  }
  if (period < 1 || adx_period < 1) throw ComputationFault("DMI period below 1");
  if (bars <= period) return 0;

  MovementSums sums;
  for (int bar = 2; bar <= period + 1; ++bar) sums.Add(MovementOf(series[bar], series[bar - 1]));
  // The last adx_period DX values, for the moving ADX window (never more than there are bars).
  std::vector<double> recent_dx(static_cast<size_t>(std::min(adx_period, bars)), 0.0);
  double adx_sum = 0;
  for (int bar = period + 1; bar <= bars; ++bar) {
    ScreeningEntry& entry = series[bar];
    const double plus_di = CheckedDivide(sums.plus * 100, sums.range);
    const double minus_di = CheckedDivide(sums.minus * 100, sums.range);
    entry.s1 = static_cast<float>(plus_di);
    entry.s2 = static_cast<float>(minus_di);
    if (plus_di + minus_di == 0) return static_cast<int>(kFailureCode);
    const double dx = Dx(plus_di, minus_di);

    const int count = bar - period;  // DX values so far, this one included
    double& slot = recent_dx[static_cast<size_t>((count - 1) % adx_period)];
    if (count <= adx_period) {
      adx_sum += dx;
    } else if (cumulative) {
      adx_sum = (adx_period - 1) * adx_sum / adx_period + dx;
    } else {
      adx_sum = adx_sum - slot + dx;  // slot still holds the DX of adx_period bars ago
    }
    slot = dx;
    if (count >= adx_period) entry.s3 = static_cast<float>(adx_sum / adx_period);
    if (with_adxr && bar >= 2 * int64_t{adx_period} + period) {
      entry.s4 = (series[bar - adx_period].s3 + entry.s3) / 2;
    }
    if (bar < bars) Advance(sums, cumulative, period, series, bar);
  }
  return 0;
}

namespace {

// The lines of one drawing, per bar number, 0 where a line has not started.
struct DmiLines {
  int start = 0;  // first ±DI bar
  int64_t adx_start = 0;
  int64_t adxr_start = 0;
  std::vector<double> plus_di;
  std::vector<double> minus_di;
  std::vector<double> adx;
  std::vector<double> adxr;
};

// Fills the lines up to the last bar; false at a bar whose true range or directional movement
// sums to 0, where the lines cannot go on.
bool ComputeLines(const BarTable& bars, int first, int last, int period, int adx_period,
                  bool cumulative, bool with_adxr, DmiLines& lines) {
  const size_t size = static_cast<size_t>(std::max(last, 0)) + 1;
  lines.plus_di.assign(size, 0.0);
  lines.minus_di.assign(size, 0.0);
  lines.adx.assign(size, 0.0);
  lines.adxr.assign(size, 0.0);
  const int64_t start64 = std::max<int64_t>(first, int64_t{period} + 1);
  lines.adx_start = start64 + adx_period - 1;
  lines.adxr_start = lines.adx_start + adx_period;
  if (start64 > last) {
    lines.start = last + 1;  // no line at all
    return true;
  }
  const int start = static_cast<int>(start64);
  lines.start = start;

  std::vector<double> dx(size, 0.0);
  MovementSums sums;
  for (int bar = start - period + 1; bar <= start; ++bar) {
    sums.Add(MovementOf(bars[bar], bars[bar - 1]));
  }
  for (int bar = start; bar <= last; ++bar) {
    if (sums.range == 0) return false;
    const double plus_di = sums.plus * 100 / sums.range;
    const double minus_di = sums.minus * 100 / sums.range;
    if (plus_di + minus_di == 0) return false;
    lines.plus_di[bar] = plus_di;
    lines.minus_di[bar] = minus_di;
    dx[bar] = Dx(plus_di, minus_di);
    if (bar < last) Advance(sums, cumulative, period, bars, bar);
  }
  if (lines.adx_start > last) return true;
  // The drawn ADX is always smoothed, whichever sums ±DI use.
  const int adx_start = static_cast<int>(lines.adx_start);
  double sum = 0;
  for (int bar = start; bar <= adx_start; ++bar) sum += dx[bar];
  lines.adx[adx_start] = sum / adx_period;
  for (int bar = adx_start + 1; bar <= last; ++bar) {
    sum = (adx_period - 1) * sum / adx_period + dx[bar];
    lines.adx[bar] = sum / adx_period;
  }
  if (!with_adxr) return true;
  for (int64_t bar = lines.adxr_start; bar <= last; ++bar) {
    lines.adxr[bar] = (lines.adx[bar - adx_period] + lines.adx[bar]) / 2;
  }
  return true;
}

}  // namespace

DrawingResult DrawDMI(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const ControlValues& controls = context.controls;
  const DmiParameters parameters = ReadDmiParameters(controls);
  const int period = parameters.period;
  const int adx_period = parameters.adx_period;
  const int lower_level = parameters.lower_level;
  const int upper_level = parameters.upper_level;
  const bool cumulative = parameters.cumulative;
  const bool with_adxr = parameters.with_adxr;

  // The scale leaves a tenth of the upper reference level as headroom above it.
  const IndicatorFrame frame =
      OscillatorFrame(context, static_cast<double>(int64_t{upper_level} * 11 / 10), -10);
  DrawReferenceLines(context, frame, {0, lower_level, upper_level});
  DmiLines lines;
  // A period below 1 leaves an empty window whose true range is 0. Every line is worked out
  // before any is drawn, so a failure leaves only the reference lines on the chart.
  if (period < 1 || adx_period < 1 ||
      !ComputeLines(context.data.bars, frame.First(), frame.Last(), period, adx_period, cumulative,
                    with_adxr, lines)) {
    return DrawingFailed(kSkewedDataMessage);
  }

  const int last = frame.Last();
  DrawValueLine(context, frame, controls.ColorOf("lbpdi"), lines.plus_di, lines.start, last);
  DrawValueLine(context, frame, controls.ColorOf("lbmdi"), lines.minus_di, lines.start, last);
  DrawValueLine(context, frame, controls.ColorOf("lbadx"), lines.adx, lines.adx_start, last);
  if (with_adxr) {
    DrawValueLine(context, frame, controls.ColorOf(std::string("cbadxr").append(kColorSuffix)),
                  lines.adxr, lines.adxr_start, last);
  }
  WriteListing(context, kHeader, {lines.minus_di, lines.plus_di, lines.adx, lines.adxr});
  return {};
}

}  // namespace varnolt
