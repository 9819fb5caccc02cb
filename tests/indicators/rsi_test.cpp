#include "indicators/rsi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "indicators/oscillator_frame.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::DataOf;
using testing::DrawnSegments;
using testing::LineText;
using testing::RecordingCanvas;

constexpr Color kLime = Color::Rgb(0, 255, 0);
constexpr Color kBlue = Color::Rgb(0, 0, 255);

ScreeningSeries SeriesOf(const std::vector<int32_t>& closes) {
  return testing::SeriesWithLeftovers(closes, {-1});
}

std::vector<float> Slot1(const ScreeningSeries& series, int bars) {
  std::vector<float> values;
  for (int bar = 1; bar <= bars; ++bar) values.push_back(series[bar].s1);
  return values;
}

// Runs CalcRSI over the closes and returns slot 1 of every bar.
std::vector<float> Rsi(const std::vector<int32_t>& closes, const ControlValues& controls) {
  ScreeningSeries series = SeriesOf(closes);
  CalcRSI(series, static_cast<int>(closes.size()), controls);
  return Slot1(series, static_cast<int>(closes.size()));
}

ControlValues RsiControls(std::string period, bool cumulative) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edRSI1", std::move(period));
  controls.SetChecked("cbrsi", cumulative);
  return controls;
}

TEST(RsiComputation, HandCheckedMovingAndCumulativeSums) {
  // Alternating closes: every window of two changes holds one rise and one fall.
  const std::vector<int32_t> alternating = {10, 11, 10, 11, 10, 11};
  EXPECT_EQ(Rsi(alternating, RsiControls("2", false)), (std::vector<float>{0, 0, 50, 50, 50, 50}));
  // Cumulative sums keep half of the older changes each bar: U, D = 1, 1 → 1.5, 0.5 →
  // 0.75, 1.25 → 1.375, 0.625.
  EXPECT_EQ(Rsi(alternating, RsiControls("2", true)),
            (std::vector<float>{0, 0, 50, 75, 37.5, 68.75}));

  // Changes +2, −1, +2, −1.
  const std::vector<int32_t> closes = {10, 12, 11, 13, 12};
  const std::vector<float> moving = Rsi(closes, RsiControls("2", false));
  const std::vector<float> cumulative = Rsi(closes, RsiControls("2", true));
  EXPECT_FLOAT_EQ(moving[2], 200.0f / 3);
  EXPECT_FLOAT_EQ(cumulative[2], 200.0f / 3);
  EXPECT_FLOAT_EQ(moving[3], 200.0f / 3);         // U = 2 − 2 + 2, D = 1
  EXPECT_FLOAT_EQ(cumulative[3], 300.0f / 3.5f);  // U = 1 + 2, D = 0.5
  EXPECT_FLOAT_EQ(moving[4], 200.0f / 3);
  EXPECT_FLOAT_EQ(cumulative[4], 150.0f / 2.75f);  // U = 1.5, D = 0.25 + 1
}

TEST(RsiComputation, WarmUpAndPeriodsOfNothing) {
  const std::vector<int32_t> closes = {10, 12, 11, 11, 15};
  ScreeningSeries series = SeriesOf(closes);
  EXPECT_EQ(CalcRSI(series, 0, RsiControls("14", true)), 14);

  // An empty box means one bar: each change alone, a rise 100 and a fall 0.
  EXPECT_EQ(CalcRSI(series, 0, RsiControls("", true)), 1);
  EXPECT_EQ(Rsi({10, 12, 11, 15}, RsiControls("", false)), (std::vector<float>{0, 100, 0, 100}));

  // Period 0 writes 0 everywhere and needs no history.
  EXPECT_EQ(CalcRSI(series, 0, RsiControls("0", true)), 0);
  EXPECT_EQ(Rsi(closes, RsiControls("0", true)), (std::vector<float>(5, 0)));
  // A period as long as the series leaves every bar at 0.
  EXPECT_EQ(Rsi(closes, RsiControls("5", true)), (std::vector<float>(5, 0)));
}

TEST(RsiComputation, WindowWithoutChangeFails) {
  const ComputationInfo& info = *FindComputation("CalcRSI");
  ScreeningSeries flat = SeriesOf({10, 10, 10, 10});
  EXPECT_THROW(CalcRSI(flat, 4, RsiControls("2", true)), ComputationFault);
  EXPECT_EQ(RunComputation(info, flat, 4, RsiControls("2", true)), kFailureCode);

  // A rise, then no change: moving sums reach a window of no change at bar 4, while the
  // cumulative sums still remember the rise.
  const std::vector<int32_t> closes = {10, 11, 11, 11};
  ScreeningSeries series = SeriesOf(closes);
  EXPECT_EQ(RunComputation(info, series, 4, RsiControls("2", false)), kFailureCode);
  EXPECT_EQ(Rsi(closes, RsiControls("2", true)), (std::vector<float>{0, 0, 100, 100}));

  ScreeningSeries any = SeriesOf(closes);
  EXPECT_THROW(CalcRSI(any, 4, RsiControls("-3", true)), ComputationFault);
}

TEST(RsiComputation, MatchesDirectSumsOnRandomData) {
  std::mt19937 random(20240611);
  // No step of 0, so that even a window of one change has a divisor.
  std::uniform_int_distribution<int> step(1, 30);
  std::bernoulli_distribution fall(0.5);
  std::vector<int32_t> closes = {5000};
  while (closes.size() < 999)
    closes.push_back(closes.back() + (fall(random) ? -1 : 1) * step(random));

  for (const int period : {1, 2, 9, 14, 26, 100, 500}) {
    SCOPED_TRACE(period);
    const std::vector<float> moving = Rsi(closes, RsiControls(std::to_string(period), false));
    const std::vector<float> cumulative = Rsi(closes, RsiControls(std::to_string(period), true));
    const double fade = (period - 1.0) / period;
    double u = 0;  // cumulative sums written as weighted sums of all changes so far
    double d = 0;
    for (int bar = period + 1; bar <= 999; ++bar) {
      int64_t up = 0;
      int64_t down = 0;
      for (int j = bar - period + 1; j <= bar; ++j) {
        const int64_t change = closes[j - 1] - closes[j - 2];
        (change > 0 ? up : down) += std::abs(change);
      }
      EXPECT_EQ(moving[bar - 1], static_cast<float>(up * 100.0 / (up + down))) << bar;

      const int64_t change = closes[bar - 1] - closes[bar - 2];
      if (bar == period + 1) {
        u = static_cast<double>(up);
        d = static_cast<double>(down);
      } else {
        u = u * fade + std::max<int64_t>(change, 0);
        d = d * fade + std::max<int64_t>(-change, 0);
      }
      EXPECT_NEAR(cumulative[bar - 1], u * 100 / (u + d), 1e-3) << bar;
    }
  }
}

// The closes dated one day apart and shown from `first`, with all three periods empty.
struct Drawing : testing::DrawingBench {
  Drawing(const std::vector<int32_t>& closes, int first) : DrawingBench(DataOf(closes, first)) {
    scale.margin = 0;
    controls.Set("edRSI1", "");
    controls.Set("edRSI2", "");
    controls.Set("edRSI3", "");
  }
  std::string Run() { return DrawRSI(Context()).message; }
  IndicatorFrame Frame() { return OscillatorFrame(Context(), 110, -10); }

  // The line of the values from `bar` on, as segments between consecutive points.
  std::vector<std::string> Segments(int bar, const std::vector<int>& values) {
    const IndicatorFrame frame = Frame();
    std::vector<std::string> segments;
    for (size_t i = 1; i < values.size(); ++i) {
      const PixelPoint a = frame.Point(bar + static_cast<int>(i) - 1, values[i - 1]);
      const PixelPoint b = frame.Point(bar + static_cast<int>(i), values[i]);
      segments.push_back(LineText(a, b));
    }
    return segments;
  }
};

TEST(RsiDrawing, ReferenceLinesThenLinesInNotXor) {
  Drawing drawing({10, 11, 10, 11, 10, 11, 10}, 1);
  drawing.controls.Set("edRSI1", "2");
  drawing.controls.SetChecked("cbrsi", false);
  drawing.controls.Set("edRSIU", "");  // empty boxes: 70 and 30
  drawing.controls.Set("edRSID", "");
  EXPECT_EQ(drawing.Run(), "");

  const IndicatorFrame frame = drawing.Frame();
  const int width = drawing.canvas.Width();
  std::vector<std::string> expected;
  for (const int level : {0, 100, 50, 70, 30}) {
    const int y = frame.Y(level);
    expected.push_back("line 30," + std::to_string(y) + "-" + std::to_string(width - 30) + "," +
                       std::to_string(y));
    expected.push_back("text " + std::to_string(width - 29) + "," + std::to_string(y - 6) + " " +
                       std::to_string(level));
  }
  // The reference lines come first, black, dotted, in copy mode.
  std::vector<std::string> drawn = drawing.canvas.DrawingTexts();
  ASSERT_GE(drawn.size(), expected.size());
  drawn.resize(expected.size());
  EXPECT_EQ(drawn, expected);
  for (const RecordingCanvas::Call& call : drawing.canvas.Calls()) {
    if (call.text.starts_with("line ") && call.style == PenStyle::kDot) {
      EXPECT_EQ(call.pen, kBlack);
      EXPECT_EQ(call.mode, PenMode::kCopy);
    }
  }

  // RSI 50 from bar 3 on: the first point is the first bar with two changes before it.
  EXPECT_EQ(DrawnSegments(drawing.canvas, kLime), drawing.Segments(3, {50, 50, 50, 50, 50}));
  EXPECT_EQ(drawing.canvas.CallTexts().back(), "brush FFFFFF");
  EXPECT_EQ(drawing.canvas.Calls().back().mode, PenMode::kCopy);
  EXPECT_EQ(drawing.statistics, "earlier listing");  // cbshowosci is unchecked
}

TEST(RsiDrawing, LineStartsAtFirstShownBarAndListsValues) {
  // Changes +2, −1, +2, −1, +1 with the chart from bar 4: the warm-up bars fill the first
  // window, so every line starts at bar 4 or at its period + 1.
  Drawing drawing({10, 12, 11, 13, 12, 13}, 4);
  drawing.controls.Set("edRSI1", "2");
  drawing.controls.Set("edRSI3", "4");
  drawing.controls.SetChecked("cbshowosci", true);

  drawing.controls.SetChecked("cbrsi", false);
  EXPECT_EQ(drawing.Run(), "");
  // Line 1: U, D = 2, 1 over bars 3..4, then 2, 1 and 1, 1. Line 3: 4, 2 over bars 2..5, then
  // 3, 2.
  EXPECT_EQ(drawing.statistics,
            "RSI 周期 , 2 , 0 , 4\r\n"
            "20240104 , 66.67 , 0 , 0\r\n"
            "20240105 , 66.67 , 0 , 66.67\r\n"
            "20240106 , 50 , 0 , 60\r\n");
  EXPECT_EQ(DrawnSegments(drawing.canvas, kLime), drawing.Segments(4, {67, 67, 50}));
  EXPECT_EQ(DrawnSegments(drawing.canvas, kBlue), drawing.Segments(5, {67, 60}));

  // Cumulative sums start the same; then line 1 U, D = 1, 1.5 and 1.5, 0.75, line 3
  // 4 × 3/4 + 1, 2 × 3/4.
  drawing.canvas.Clear();
  drawing.controls.SetChecked("cbrsi", true);
  EXPECT_EQ(drawing.Run(), "");
  EXPECT_EQ(drawing.statistics,
            "RSI 周期 , 2 , 0 , 4\r\n"
            "20240104 , 66.67 , 0 , 0\r\n"
            "20240105 , 40 , 0 , 66.67\r\n"
            "20240106 , 66.67 , 0 , 72.73\r\n");
  EXPECT_EQ(DrawnSegments(drawing.canvas, kLime), drawing.Segments(4, {67, 40, 67}));
}

TEST(RsiDrawing, WindowWithoutChangeStopsTheDrawing) {
  // Moving sums of two: bars 3 and 4 have a rise in the window, bar 5 none.
  Drawing drawing({10, 10, 11, 11, 11, 12}, 1);
  drawing.controls.Set("edRSI1", "2");
  drawing.controls.Set("edRSI2", "3");
  drawing.controls.SetChecked("cbrsi", false);
  drawing.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(drawing.Run(), "データの偏りが大きいため演算不適当");
  EXPECT_EQ(DrawnSegments(drawing.canvas, kLime), drawing.Segments(3, {100, 100}));
  EXPECT_TRUE(DrawnSegments(drawing.canvas, Color::Rgb(255, 0, 0)).empty());  // line 2
  EXPECT_EQ(drawing.canvas.Calls().back().mode, PenMode::kCopy);
  EXPECT_EQ(drawing.statistics, "earlier listing");

  // The cumulative sums still hold the rise: no stop.
  drawing.canvas.Clear();
  drawing.controls.SetChecked("cbrsi", true);
  EXPECT_EQ(drawing.Run(), "");
  EXPECT_EQ(DrawnSegments(drawing.canvas, kLime), drawing.Segments(3, {100, 100, 100, 100}));
}

TEST(RsiDrawing, BadBoxDrawsNothing) {
  Drawing drawing({10, 11, 10, 11}, 1);
  drawing.controls.Set("edRSI1", "2");
  drawing.controls.Set("edRSID", "abc");
  EXPECT_THROW(drawing.Run(), ConversionError);
  EXPECT_TRUE(drawing.canvas.DrawingTexts().empty());
}

}  // namespace
}  // namespace varnolt
