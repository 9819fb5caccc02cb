#include "indicators/deviation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

#include "base/numbers.h"
#include "indicators/moving_average.h"
#include "indicators/oscillator_frame.h"

namespace varnolt {
namespace {

// The chart's boxes; an empty period box switches its line off.
struct DeviationParameters {
  std::array<int, 3> periods;
  int level;  // percent, drawn above and below the zero line
};

DeviationParameters ReadDeviationParameters(const ControlValues& controls) {
  return {{IntParameter(controls, kDeviationBoxes, "edkai1"),
           IntParameter(controls, kDeviationBoxes, "edkai2"),
           IntParameter(controls, kDeviationBoxes, "edkai3")},
          IntParameter(controls, kDeviationBoxes, "edKai4")};
}

// Calls visit(bar, average) for each bar from `start` to `last`, with the mean of the closes of
// the `period` bars ending at that bar (start ≥ period). The window sum stays in whole yen, so
// moving it along adds no rounding. Stops early when `visit` returns false.
template <typename CloseOf, typename Visit>
void ForEachAverage(const CloseOf& close_of, int period, int start, int last, const Visit& visit) {
  int64_t sum = 0;
  for (int bar = start - period + 1; bar <= start; ++bar) sum += close_of(bar);
  for (int bar = start; bar <= last; ++bar) {
    if (bar > start) sum += int64_t{close_of(bar)} - close_of(bar - period);
    if (!visit(bar, static_cast<double>(sum) / period)) return;
  }
}

// The two periods of the screening modes: slot 1's and slot 2's.
std::array<int, 2> ComputedPeriods(const ControlValues& controls,
                                   std::span<const ParameterBox> boxes) {
  return {ComputedIntParameter(controls, boxes, boxes[0].name),
          ComputedIntParameter(controls, boxes, boxes[1].name)};
}

int AveragesWarmUp(const ControlValues& controls, std::span<const ParameterBox> boxes) {
  const std::array<int, 2> periods = ComputedPeriods(controls, boxes);
  return std::max(std::max(periods[0], periods[1]) - 1, 0);
}

// Both screening modes: slot 1 from the first period, slot 2 from the second; 0 where a
// period has no full window yet or is not above 0.
int CalcMovingAverages(ScreeningSeries& series, int bars, const ControlValues& controls,
                       std::span<const ParameterBox> boxes, bool deviation) {
  if (bars == 0) return AveragesWarmUp(controls, boxes);
  const std::array<int, 2> periods = ComputedPeriods(controls, boxes);
  const std::array<float ScreeningEntry::*, 2> slots = {&ScreeningEntry::s1, &ScreeningEntry::s2};
  const auto close_of = [&series](int bar) { return series[bar].close; };
  for (size_t k = 0; k < periods.size(); ++k) {
    const int n = periods[k];
    float ScreeningEntry::*const slot = slots[k];
    const int unset = n <= 0 ? bars : std::min(bars, n - 1);
    for (int bar = 1; bar <= unset; ++bar) series[bar].*slot = 0;
    if (n <= 0 || n > bars) continue;
    ForEachAverage(close_of, n, n, bars, [&](int bar, double average) {
      const double value =
          deviation ? CheckedDivide((series[bar].close - average) * 100, average) : average;
      series[bar].*slot = static_cast<float>(value);
      return true;
    });
  }
  return 0;
}

}  // namespace

int MovingAveragesWarmUp(const ControlValues& controls) {
  return AveragesWarmUp(controls, kMovingAverageBoxes);
}

int MovingAveragesDeviationWarmUp(const ControlValues& controls) {
  return AveragesWarmUp(controls, kDeviationBoxes);
}

int CalcMovingAveragesAverages(ScreeningSeries& series, int bars, const ControlValues& controls) {
  return CalcMovingAverages(series, bars, controls, kMovingAverageBoxes, false);
}

int CalcMovingAveragesDeviation(ScreeningSeries& series, int bars, const ControlValues& controls) {
  return CalcMovingAverages(series, bars, controls, kDeviationBoxes, true);
}

namespace {

// One deviation line of the drawing: its values in hundredths of a percent per bar (single
// precision, 0 before `start`), from bar `start` on.
struct DeviationLine {
  int period = 0;
  Color colour;
  int start = 0;
  std::vector<float> values;
};

// Fills the line's values from bar max(first, period) to the last bar and widens the running
// extremes by them. False when a moving average of zero leaves no finite deviation.
bool ComputeLine(const BarTable& bars, int first, DeviationLine& line, float& largest,
                 float& smallest) {
  const int last = bars.Count();
  line.values.assign(last + 1, 0.0f);
  line.start = std::max(first, line.period);
  if (line.period <= 0 || line.start > last) {
    line.start = last + 1;  // line off
    return true;
  }
  bool finite = true;
  const auto close_of = [&bars](int bar) { return bars[bar].close; };
  ForEachAverage(close_of, line.period, line.start, last, [&](int bar, double average) {
    const auto value = static_cast<float>((bars[bar].close - average) * 10000 / average);
    if (!std::isfinite(value)) return finite = false;
    line.values[bar] = value;
    largest = std::max(largest, value);
    smallest = std::min(smallest, value);
    return true;
  });
  return finite;
}

// A dotted reference line like the other oscillators', labelled with the level in percent
// (hundredths / 100) rather than with the plotted number.
void DrawPercentLine(const IndicatorContext& context, const IndicatorFrame& frame, int64_t level) {
  Canvas& canvas = context.canvas;
  const int width = canvas.Width();
  const int y = frame.Y(level);
  canvas.SetPen(kBlack, PenStyle::kDot);
  canvas.Line(30, y, width - 30, y);
  const std::string label = FormatShortest(static_cast<double>(level) / 100);
  canvas.TextOut(width - 29, y - canvas.TextExtent(label).height / 2, label);
}

std::vector<double> InPercent(const std::vector<float>& hundredths) {
  std::vector<double> percent(hundredths.size());
  for (size_t i = 0; i < hundredths.size(); ++i)
    percent[i] = static_cast<double>(hundredths[i]) / 100;
  return percent;
}

}  // namespace

DrawingResult DrawDeviation(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const ControlValues& controls = context.controls;
  const DeviationParameters parameters = ReadDeviationParameters(controls);
  std::array<DeviationLine, 3> lines;
  const std::array<std::string_view, 3> colour_names = {"lbkai1", "lbkai2", "lbkai3"};
  for (size_t k = 0; k < lines.size(); ++k) {
    lines[k].period = parameters.periods[k];
    lines[k].colour = controls.ColorOf(colour_names[k]);
  }
  // A level of −3 % means the same pair of lines as 3 %.
  const int64_t level = std::abs(int64_t{parameters.level}) * 100;

  // The extremes start at 0, so the scale always holds the zero line.
  float largest = 0;
  float smallest = 0;
  for (DeviationLine& line : lines) {
    if (!ComputeLine(context.data.bars, context.data.first_shown, line, largest, smallest)) {
      return DrawingFailed(kSkewedDataMessage);
    }
  }

  const int64_t spread = RoundHalfEven((static_cast<double>(largest) - smallest) / 10);
  int64_t upper = RoundHalfEven(largest + static_cast<double>(spread));
  int64_t lower = RoundHalfEven(smallest - static_cast<double>(spread));
  if (upper == lower) {  // every deviation (about) 0: one unit each way keeps the mapping sound
    ++upper;
    --lower;
  }
  const IndicatorFrame frame =
      OscillatorFrame(context, static_cast<double>(upper), static_cast<double>(lower));

  const int64_t top = RoundHalfEven(largest);
  const int64_t bottom = RoundHalfEven(smallest);
  context.canvas.SetBrush(kWhite);  // the labels' background
  DrawPercentLine(context, frame, 0);
  DrawPercentLine(context, frame, top);
  DrawPercentLine(context, frame, bottom);
  // The level lines only where the data reach beyond them.
  if (level < top) DrawPercentLine(context, frame, level);
  if (bottom < -level) DrawPercentLine(context, frame, -level);

  for (const DeviationLine& line : lines) {
    if (line.start > frame.Last()) continue;
    OscillatorLine pen(context, frame, line.colour);
    for (int bar = line.start; bar <= frame.Last(); ++bar) pen.Add(bar, line.values[bar]);
  }

  if (ListingWanted(controls)) {
    WriteListing(
        context,
        "移動平均線乖離率 周期 , " + std::to_string(lines[0].period) + " , " +
            std::to_string(lines[1].period) + " , " + std::to_string(lines[2].period),
        {InPercent(lines[0].values), InPercent(lines[1].values), InPercent(lines[2].values)});
  }
  return {};
}

}  // namespace varnolt
