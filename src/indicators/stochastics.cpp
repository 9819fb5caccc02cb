#include "indicators/stochastics.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "indicators/oscillator_frame.h"
#include "indicators/window_extremes.h"

namespace varnolt {
namespace {

constexpr const char* kHeader = "ｽﾄｷｬｽﾄﾃｲｸｽ , %K , %D , ｽﾛｰ%D ";

// Where the close stands in the range of the last k bars: close − lowest low over highest
// high − lowest low, kept as integers so the %D sums stay exact.
struct Raw {
  int64_t numerator = 0;
  int64_t denominator = 0;
};

// Works on price bars and on screening entries alike. Needs bar ≥ period ≥ 1.
template <typename Bars>
Raw RawAt(const Bars& bars, int bar, int period) {
  int64_t highest = bars[bar].high;
  int64_t lowest = bars[bar].low;
  for (int j = bar - period + 1; j < bar; ++j) {
    highest = std::max<int64_t>(highest, bars[j].high);
    lowest = std::min<int64_t>(lowest, bars[j].low);
  }
  return {bars[bar].close - lowest, highest - lowest};
}

struct Periods {
  int k = 9;
  int d = 3;
  int s = 0;  // 0: no slow %D
  // A period below 1 leaves an empty window: its range, or its sum of ranges, is 0.
  bool Valid() const { return k >= 1 && d >= 1 && s >= 0; }
};

Periods ReadPeriods(const ControlValues& controls) {
  return {IntParameter(controls, kStochasticsBoxes, "edstk"),
          IntParameter(controls, kStochasticsBoxes, "edstd"),
          IntParameter(controls, kStochasticsBoxes, "edstsd")};
}

// The chart's boxes: the periods the screening reads as well, and the reference levels.
struct StochasticsParameters {
  Periods periods;
  int upper_level;
  int lower_level;
};

StochasticsParameters ReadStochasticsParameters(const ControlValues& controls) {
  return {ReadPeriods(controls), IntParameter(controls, kStochasticsBoxes, "edstup"),
          IntParameter(controls, kStochasticsBoxes, "edstdown")};
}

}  // namespace

int StochasticsWarmUp(const ControlValues& controls) {
  const Periods periods = ReadPeriods(controls);
  const int64_t k = periods.k;
  const int64_t d = periods.d;
  const int64_t s = periods.s;
  const int64_t warm_up = s != 0 ? k + d + s - 3 : k + d - 2;
  return static_cast<int>(std::clamp<int64_t>(warm_up, 0, INT32_MAX));
}

int CalcStochastics(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return StochasticsWarmUp(controls);
  const Periods periods = ReadPeriods(controls);
  const int64_t k = periods.k;
  const int64_t d = periods.d;
  const int64_t s = periods.s;
  if (!periods.Valid()) throw ComputationFault("stochastics period below 1");

  const int64_t d_start = k + d - 1;
  const int64_t slow_start = k + d + s - 2;
  for (int bar = 1; bar <= bars; ++bar) {
    ScreeningEntry& entry = series[bar];
    if (bar < k) entry.s1 = 0;
    if (bar < d_start) entry.s2 = 0;
    entry.s3 = 0;
  }
  // The raw values, %D and slow %D of the last d and s bars, for the moving sums.
  std::vector<Raw> recent_raw(static_cast<size_t>(std::min<int64_t>(d, bars)));
  std::vector<double> recent_d(
      static_cast<size_t>(std::min<int64_t>(std::max(s, int64_t{1}), bars)));
  Raw raw_sum;
  double d_sum = 0;
  size_t raw_slot = 0;
  size_t d_slot = 0;
  if (k > bars) return 0;
  // The window extremes of every bar at once, in O(1) per bar whatever the period; the series
  // holds at most kScreeningCapacity bars, so fixed buffers serve every stock.
  const size_t count = static_cast<size_t>(std::min(bars, kScreeningCapacity));
  std::array<int32_t, kScreeningCapacity> highs, lows, highest, lowest, scratch;
  for (size_t i = 0; i < count; ++i) {
    highs[i] = series[static_cast<int>(i) + 1].high;
    lows[i] = series[static_cast<int>(i) + 1].low;
  }
  SlidingHighest(std::span(highs).first(count), periods.k, highest, scratch);
  SlidingLowest(std::span(lows).first(count), periods.k, lowest, scratch);
  for (int bar = periods.k; bar <= static_cast<int>(count); ++bar) {
    ScreeningEntry& entry = series[bar];
    const Raw raw = {entry.close - int64_t{lowest[bar - 1]},
                     int64_t{highest[bar - 1]} - lowest[bar - 1]};
    if (raw.denominator == 0) return static_cast<int>(kFailureCode);
    entry.s1 = static_cast<float>(static_cast<double>(raw.numerator) * 100 / raw.denominator);

    // Ring positions move on by one a bar rather than by a division (bar − k) mod d.
    Raw& oldest_raw = recent_raw[raw_slot];
    raw_slot = raw_slot + 1 == recent_raw.size() ? 0 : raw_slot + 1;
    raw_sum.numerator += raw.numerator - oldest_raw.numerator;
    raw_sum.denominator += raw.denominator - oldest_raw.denominator;
    oldest_raw = raw;
    if (bar < d_start) continue;
    const double percent_d = CheckedDivide(static_cast<double>(raw_sum.numerator) * 100,
                                           static_cast<double>(raw_sum.denominator));
    entry.s2 = static_cast<float>(percent_d);

    if (s == 0) continue;
    double& oldest_d = recent_d[d_slot];
    d_slot = d_slot + 1 == recent_d.size() ? 0 : d_slot + 1;
    d_sum += percent_d - oldest_d;
    oldest_d = percent_d;
    if (bar >= slow_start) entry.s3 = static_cast<float>(d_sum / static_cast<double>(s));
  }
  return 0;
}

DrawingResult DrawStochastics(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const ControlValues& controls = context.controls;
  const StochasticsParameters parameters = ReadStochasticsParameters(controls);
  const Periods& periods = parameters.periods;
  const IndicatorFrame frame = OscillatorFrame(context, kPercentTop, kPercentBottom);
  DrawPercentLevels(context, frame, parameters.upper_level, parameters.lower_level);
  if (!periods.Valid()) return DrawingFailed(kSkewedDataMessage);

  const BarTable& bars = context.data.bars;
  const int64_t k = periods.k;
  const int64_t d = periods.d;
  const int64_t s = periods.s;
  const int first = frame.First();
  const int last = frame.Last();
  // %D is worked out s − 1 bars before the first displayed bar when slow %D averages it, and
  // each %D needs the raw values of the d bars up to it.
  const int d_start = StartBar(s > 0 ? first - s + 1 : first, k + d - 1, last);
  const int d_shown = StartBar(first, k + d - 1, last);
  const int k_start = StartBar(first, k, last);
  const int raw_start = StartBar(d_start - d + 1, k, last);
  const int slow_start = StartBar(first, k + d + s - 2, last);

  const size_t size = static_cast<size_t>(std::max(last, 0)) + 1;
  std::vector<Raw> raw(size);
  for (int bar = raw_start; bar <= last; ++bar) raw[bar] = RawAt(bars, bar, periods.k);
  std::vector<double> percent_k(size, 0.0);
  std::vector<double> percent_d(size, 0.0);
  std::vector<double> slow_d(size, 0.0);

  // A zero range ends the drawing at that bar; what was drawn before it stays.
  if (controls.Checked("cbstk")) {
    int bar = k_start;
    for (; bar <= last && raw[bar].denominator != 0; ++bar) {
      percent_k[bar] = static_cast<double>(raw[bar].numerator) * 100 / raw[bar].denominator;
    }
    DrawValueLine(context, frame, controls.ColorOf("lbstk"), percent_k, k_start, bar - 1);
    if (bar <= last) return DrawingFailed(kSkewedDataMessage);
  }

  int bar = d_start;
  for (; bar <= last; ++bar) {
    int64_t numerator = 0;
    int64_t denominator = 0;
    for (int j = bar - periods.d + 1; j <= bar; ++j) {
      numerator += raw[j].numerator;
      denominator += raw[j].denominator;
    }
    if (denominator == 0) break;
    percent_d[bar] = static_cast<double>(numerator) * 100 / static_cast<double>(denominator);
  }
  DrawValueLine(context, frame, controls.ColorOf("lbstd"), percent_d, d_shown, bar - 1);
  if (bar <= last) return DrawingFailed(kSkewedDataMessage);

  if (s > 0) {
    for (int j = slow_start; j <= last; ++j) {
      double sum = 0;
      for (int i = j - periods.s + 1; i <= j; ++i) sum += percent_d[i];
      slow_d[j] = sum / periods.s;
    }
    DrawValueLine(context, frame, controls.ColorOf("lbstsd"), slow_d, slow_start, last);
  }
  // %D before the first displayed bar only fed slow %D; the listing starts at the first bar.
  WriteListing(context, kHeader, {percent_k, percent_d, slow_d});
  return {};
}

}  // namespace varnolt
