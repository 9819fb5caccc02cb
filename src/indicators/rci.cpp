#include "indicators/rci.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/numbers.h"
#include "indicators/oscillator_frame.h"
#include "indicators/rci_ranks.h"

namespace varnolt {
namespace {

constexpr int kLongestPeriod = 500;

// The chart's boxes; an empty period box switches its line off.
struct RciParameters {
  std::array<int, 3> periods;
  int level;  // drawn at +level and −level
};

RciParameters ReadRciParameters(const ControlValues& controls) {
  return {{IntParameter(controls, kRciBoxes, "edRci1"), IntParameter(controls, kRciBoxes, "edRci2"),
           IntParameter(controls, kRciBoxes, "edrci3")},
          IntParameter(controls, kRciBoxes, "edRci4")};
}

}  // namespace

int RciWarmUp(const ControlValues& controls) {
  return std::max(ComputedIntParameter(controls, kRciBoxes, "edRci1") - 1, 0);
}

int CalcRCI(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return RciWarmUp(controls);
  const int period = ComputedIntParameter(controls, kRciBoxes, "edRci1");
  // The drawing refuses periods above 500; a condition with such a period fails the stock.
  // Fewer than two bars have no rank correlation.
  if (period < 2 || period > kLongestPeriod) throw ComputationFault("RCI period out of range");
  for (int bar = 1; bar <= bars; ++bar) series[bar].s1 = 0;
  if (period > bars) return 0;

  RankWindow window(period);
  for (int bar = 1; bar <= bars; ++bar) {
    window.Add(series[bar].close);
    if (bar >= period) {
      series[bar].s1 = static_cast<float>(RankCorrelation(window.ScaledSquareSum(), period));
    }
  }
  return 0;
}

namespace {

// Draws one line from bar max(first, period) to the last bar and keeps its listed values
// (hundredths) in `table`. False when the period is 1: one bar has no rank correlation.
bool DrawLine(const IndicatorContext& context, const IndicatorFrame& frame, int period,
              Color colour, std::vector<double>& table) {
  const BarTable& bars = context.data.bars;
  const int last = frame.Last();
  if (period <= 0 || period > last) return true;
  const int start = std::max(frame.First(), period);
  if (start > last) return true;
  if (period == 1) return false;

  RankWindow window(period);
  for (int bar = start - period + 1; bar < start; ++bar) window.Add(bars[bar].close);
  OscillatorLine line(context, frame, colour);
  for (int bar = start; bar <= last; ++bar) {
    window.Add(bars[bar].close);
    // Kept in hundredths; the line is drawn at whole percents cut toward zero.
    const int64_t hundredths =
        RoundHalfEven(RankCorrelation(window.ScaledSquareSum(), period) * 100);
    table[bar] = static_cast<double>(hundredths) / 100;
    line.AddPoint(frame.Point(bar, hundredths / 100));
  }
  return true;
}

}  // namespace

DrawingResult DrawRCI(const IndicatorContext& context) {
  const ControlValues& controls = context.controls;
  const RciParameters parameters = ReadRciParameters(controls);
  const std::array<int, 3>& periods = parameters.periods;
  const int level = parameters.level;
  const std::array<Color, 3> colours = {controls.ColorOf("lbrci1"), controls.ColorOf("lbrci2"),
                                        controls.ColorOf("lbrci3")};
  if (std::ranges::any_of(periods, [](int period) { return period > kLongestPeriod; })) {
    return DrawingFailed(kPeriodTooLongMessage);
  }
  const PenGuard pen_guard(context.canvas);

  // −100 % to 100 % with a tenth spare above and below.
  const IndicatorFrame frame = OscillatorFrame(context, kPercentTop, -kPercentTop);
  DrawReferenceLines(context, frame, {0, 100, -100, level, -static_cast<int64_t>(level)});
  std::array<std::vector<double>, 3> tables;
  for (size_t k = 0; k < tables.size(); ++k) {
    tables[k].assign(frame.Last() + 1, 0.0);
    if (!DrawLine(context, frame, periods[k], colours[k], tables[k])) {
      return DrawingFailed(kSkewedDataMessage);
    }
  }
  WriteListing(context,
               "RCI 周期 , " + std::to_string(periods[0]) + " , " + std::to_string(periods[1]) +
                   " , " + std::to_string(periods[2]),
               {tables[0], tables[1], tables[2]});
  return {};
}

}  // namespace varnolt
