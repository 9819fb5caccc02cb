#include "indicators/deviation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "series/calendar.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::RecordingCanvas;

constexpr int kWidth = 660;
constexpr int kHeight = 400;
constexpr Color kGreen = Color::Rgb(0, 128, 0);     // lbkai1
constexpr Color kPurple = Color::Rgb(128, 0, 128);  // lbkai2

// ---- Computations ----

ScreeningSeries SeriesOf(const std::vector<int32_t>& closes) {
  return testing::SeriesWithLeftovers(closes, {-7, -7, 42});
}

ControlValues Periods(const char* first_name, std::string first, const char* second_name,
                      std::string second) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set(first_name, std::move(first));
  controls.Set(second_name, std::move(second));
  return controls;
}

TEST(MovingAveragesComputation, WarmUpIsTheLongerPeriodLessOne) {
  ScreeningSeries series = SeriesOf({100, 101, 102});
  const ControlValues defaults = ControlValues::Defaults();
  EXPECT_EQ(CalcMovingAveragesAverages(series, 0, defaults), 11);
  EXPECT_EQ(CalcMovingAveragesDeviation(series, 0, defaults), 11);
  // Empty boxes mean 6 and 12 in both modes.
  EXPECT_EQ(CalcMovingAveragesAverages(series, 0, Periods("edav1", "", "edav2", "")), 11);
  EXPECT_EQ(CalcMovingAveragesDeviation(series, 0, Periods("edkai1", "", "edkai2", "")), 11);
  // Each mode reads its own boxes.
  EXPECT_EQ(CalcMovingAveragesAverages(series, 0, Periods("edav1", "25", "edav2", "3")), 24);
  EXPECT_EQ(CalcMovingAveragesDeviation(series, 0, Periods("edav1", "25", "edav2", "3")), 11);
  EXPECT_EQ(CalcMovingAveragesDeviation(series, 0, Periods("edkai1", "4", "edkai2", "9")), 8);
  EXPECT_EQ(CalcMovingAveragesDeviation(series, 0, Periods("edkai1", "0", "edkai2", "0")), 0);
}

TEST(MovingAveragesComputation, HandCheckedSmallSeries) {
  // Closes 975, 1025, 1001, 1002, 1003 with periods 2 and 3.
  //   2-bar means from bar 2: 1000, 1013, 1001.5, 1002.5
  //   3-bar means from bar 3: 1000.333…, 1009.333…, 1002
  const std::vector<int32_t> closes = {975, 1025, 1001, 1002, 1003};
  ScreeningSeries series = SeriesOf(closes);
  EXPECT_EQ(CalcMovingAveragesAverages(series, 5, Periods("edav1", "2", "edav2", "3")), 0);
  const float means2[] = {0, 0, 1000, 1013, 1001.5f, 1002.5f};
  const float means3[] = {0, 0, 0, 3001.0f / 3, 3028.0f / 3, 1002};
  for (int bar = 1; bar <= 5; ++bar) {
    EXPECT_FLOAT_EQ(series[bar].s1, means2[bar]) << bar;
    EXPECT_FLOAT_EQ(series[bar].s2, means3[bar]) << bar;
    EXPECT_EQ(series[bar].s3, 42) << "only slots 1 and 2 are written";
  }

  // Deviation in percent: bar 2 closes 25 above its 2-bar mean of 1000, so +2.5.
  series = SeriesOf(closes);
  CalcMovingAveragesDeviation(series, 5, Periods("edkai1", "2", "edkai2", "3"));
  EXPECT_EQ(series[1].s1, 0);
  EXPECT_FLOAT_EQ(series[2].s1, 2.5f);
  EXPECT_FLOAT_EQ(series[3].s1, -1200.0f / 1013);
  EXPECT_EQ(series[2].s2, 0);
  // (1001 − 3001/3) · 100 / (3001/3) = 200 / 3001
  EXPECT_FLOAT_EQ(series[3].s2, 200.0f / 3001);
  EXPECT_FLOAT_EQ(series[5].s2, 100.0f / 1002);

  // A period of 0 (or below) clears its slot; one longer than the series leaves only zeros.
  series = SeriesOf(closes);
  CalcMovingAveragesDeviation(series, 5, Periods("edkai1", "0", "edkai2", "6"));
  CalcMovingAveragesAverages(series, 5, Periods("edav1", "-2", "edav2", "6"));
  for (int bar = 1; bar <= 5; ++bar) {
    EXPECT_EQ(series[bar].s1, 0) << bar;
    EXPECT_EQ(series[bar].s2, 0) << bar;
  }
  EXPECT_EQ(series[6].s1, 0) << "entries past the bar count are not touched";
}

TEST(MovingAveragesComputation, MatchesStraightforwardSumsOnRandomData) {
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> step(-40, 40);
  std::vector<int32_t> closes = {3000};
  while (closes.size() < 999) closes.push_back(std::max(1, closes.back() + step(random)));
  const int bars = static_cast<int>(closes.size());

  // The mean of the n closes ending at `bar`, summed afresh.
  const auto slow_mean = [&closes](int bar, int n) {
    double sum = 0;
    for (int j = bar - n + 1; j <= bar; ++j) sum += closes[j - 1];
    return sum / n;
  };
  const std::pair<int, int> period_pairs[] = {{6, 12}, {1, 25}, {75, 5}, {200, 999}, {0, 13}};
  for (const auto& [p1, p2] : period_pairs) {
    const int expected_warm_up = std::max(p1, p2) - 1;
    for (const bool deviation : {false, true}) {
      const ControlValues controls =
          deviation ? Periods("edkai1", std::to_string(p1), "edkai2", std::to_string(p2))
                    : Periods("edav1", std::to_string(p1), "edav2", std::to_string(p2));
      const ComputationInfo& info = *FindComputation(deviation ? "CalcMovingAverages:deviation"
                                                               : "CalcMovingAverages:averages");
      ScreeningSeries series = SeriesOf(closes);
      EXPECT_EQ(RunComputation(info, series, 0, controls), expected_warm_up);
      ASSERT_EQ(RunComputation(info, series, bars, controls), 0);
      for (int bar = 1; bar <= bars; ++bar) {
        const float values[] = {series[bar].s1, series[bar].s2};
        const int periods[] = {p1, p2};
        for (int k = 0; k < 2; ++k) {
          const int n = periods[k];
          double slow = 0;
          if (n > 0 && bar >= n) {
            const double mean = slow_mean(bar, n);
            slow = deviation ? (closes[bar - 1] - mean) / mean * 100 : mean;
          }
          ASSERT_NEAR(values[k], slow, std::abs(slow) * 1e-6 + 1e-5)
              << (deviation ? "deviation" : "averages") << " period " << n << " bar " << bar;
        }
      }
    }
  }
}

TEST(MovingAveragesComputation, ZeroMeanFailsOnlyInDeviationMode) {
  // The 2-bar mean at bar 2 is 0.
  const std::vector<int32_t> closes = {-5, 5, 10};
  const ControlValues averages = Periods("edav1", "2", "edav2", "1");
  const ControlValues deviation = Periods("edkai1", "2", "edkai2", "1");
  ScreeningSeries series = SeriesOf(closes);
  EXPECT_EQ(RunComputation(*FindComputation("CalcMovingAverages:averages"), series, 3, averages),
            0);
  EXPECT_EQ(series[2].s1, 0);
  EXPECT_EQ(series[3].s1, 7.5f);
  EXPECT_EQ(RunComputation(*FindComputation("CalcMovingAverages:deviation"), series, 3, deviation),
            kFailureCode);
  EXPECT_THROW(CalcMovingAveragesDeviation(series, 3, deviation), ComputationFault);
}

// ---- Drawing ----

// Closes on consecutive days from 4 January 2024 with volume 100, on a 660 × 400 image.
struct Drawing : testing::DrawingBench {
  Drawing(const std::vector<int32_t>& closes, int first)
      : DrawingBench(testing::DailyDataOf(closes, first, DayFromCivil(2024, 1, 4), 100)) {
    scale.upper = 5000;  // the drawing ignores the price scale
    scale.lower = 10;
    scale.margin = 0;
    controls.Set("edkai1", "");
    controls.Set("edkai2", "");
    controls.Set("edkai3", "");
  }
  std::string Run() { return DrawDeviation(Context()).message; }
};

// The dotted reference lines, as "row label".
std::vector<std::string> ReferenceLines(const RecordingCanvas& canvas) {
  std::vector<std::string> lines;
  const std::vector<RecordingCanvas::TextCall> texts = canvas.TextCalls();
  size_t next_text = 0;
  for (const RecordingCanvas::LineCall& line : canvas.Lines()) {
    if (line.style != PenStyle::kDot) continue;
    EXPECT_EQ(line.pen, kBlack);
    EXPECT_EQ(line.from.x, 30);
    EXPECT_EQ(line.to.x, kWidth - 30);
    EXPECT_EQ(line.from.y, line.to.y);
    std::string label = next_text < texts.size() ? texts[next_text++].text : "(none)";
    lines.push_back(std::to_string(line.from.y) + " " + label);
  }
  return lines;
}

// The solid not-xor segments drawn in a colour, as "x1,y1-x2,y2".
std::vector<std::string> Segments(const RecordingCanvas& canvas, Color colour) {
  std::vector<std::string> segments;
  for (const RecordingCanvas::Call& call : canvas.Calls()) {
    if (call.text.starts_with("line ") && call.pen == colour && call.style == PenStyle::kSolid) {
      EXPECT_EQ(call.mode, PenMode::kNotXor);
      segments.push_back(call.text.substr(5));
    }
  }
  return segments;
}

std::string Point(int x, int y) {
  return std::to_string(x) + "," + std::to_string(y);
}

// Closes 1000, 1000, 975, 1025, 1000 with period 2, in hundredths of a percent:
//   bar 2: 0
//   bar 3: (975 − 987.5) · 10000 / 987.5   = −126.58
//   bar 4: (1025 − 1000) · 10000 / 1000    = +250
//   bar 5: (1000 − 1012.5) · 10000 / 1012.5 = −123.46
// Extremes 250 and −126.58: d = Round(37.658) = 38, scale 288 (top) .. −165 (bottom).
// Five positions over 600 pixels: bar i at x = 120·(i − 1) + 90.
const std::vector<int32_t> kSmall = {1000, 1000, 975, 1025, 1000};
int SmallRow(int value) {
  return kHeight * (288 - value) / 453;
}
int SmallX(int bar) {
  return 120 * (bar - 1) + 90;
}

TEST(DeviationDrawing, ScaleFromTheDataAndLevelLinesOnlyInsideIt) {
  Drawing drawing(kSmall, 1);
  drawing.controls.Set("edkai1", "2");
  EXPECT_EQ(drawing.Run(), "");
  // 0, the largest and the smallest, labelled in percent; ±3 % lie beyond the data.
  EXPECT_EQ(ReferenceLines(drawing.canvas),
            (std::vector<std::string>{std::to_string(SmallRow(0)) + " 0",
                                      std::to_string(SmallRow(250)) + " 2.5",
                                      std::to_string(SmallRow(-127)) + " -1.27"}));
  EXPECT_EQ(SmallRow(250), 33);  // +2.5 % is plotted at 250
  EXPECT_EQ(Segments(drawing.canvas, kGreen),
            (std::vector<std::string>{
                Point(SmallX(2), SmallRow(0)) + "-" + Point(SmallX(3), SmallRow(-127)),
                Point(SmallX(3), SmallRow(-127)) + "-" + Point(SmallX(4), SmallRow(250)),
                Point(SmallX(4), SmallRow(250)) + "-" + Point(SmallX(5), SmallRow(-123))}));
  EXPECT_EQ(drawing.canvas.CallTexts().back(), "brush FFFFFF");
  EXPECT_EQ(drawing.canvas.Calls().back().mode, PenMode::kCopy);
  EXPECT_EQ(drawing.statistics, "earlier listing");  // cbshowosci unchecked

  // 2 % lies below the largest value, −2 % not above the smallest.
  drawing.canvas.Clear();
  drawing.controls.Set("edKai4", "2");
  drawing.Run();
  std::vector<std::string> lines = ReferenceLines(drawing.canvas);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[3], std::to_string(SmallRow(200)) + " 2");

  // 1 % on both sides; an empty box means 3 %.
  drawing.canvas.Clear();
  drawing.controls.Set("edKai4", "1");
  drawing.Run();
  lines = ReferenceLines(drawing.canvas);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[3], std::to_string(SmallRow(100)) + " 1");
  EXPECT_EQ(lines[4], std::to_string(SmallRow(-100)) + " -1");
  drawing.canvas.Clear();
  drawing.controls.Set("edKai4", "");
  drawing.Run();
  EXPECT_EQ(ReferenceLines(drawing.canvas).size(), 3u);
}

TEST(DeviationDrawing, ListsPercentWithTwoDecimals) {
  Drawing drawing(kSmall, 1);
  drawing.controls.Set("edkai1", "2");
  drawing.controls.Set("edkai3", "9");  // longer than the data: off, listed as 0
  drawing.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(drawing.Run(), "");
  EXPECT_EQ(drawing.statistics,
            "移動平均線乖離率 周期 , 2 , 0 , 9\r\n"
            "20240104 , 0 , 0 , 0\r\n"
            "20240105 , 0 , 0 , 0\r\n"
            "20240106 , -1.27 , 0 , 0\r\n"
            "20240107 , 2.5 , 0 , 0\r\n"
            "20240108 , -1.23 , 0 , 0\r\n");
}

TEST(DeviationDrawing, LinesStartAtTheFirstShownBarWithEarlierHistory) {
  // Shown from bar 4; line 1 (period 2) starts there from bars 3..4, line 2 (period 5) at bar 5.
  //   line 1: bar 4 +250, bar 5 −123.46 (as above)
  //   line 2: bar 5 mean 1000, deviation 0
  // Extremes 250 and −123.46: d = 37, scale 287 .. −160; two positions, x = 180 and 480.
  Drawing drawing(kSmall, 4);
  drawing.controls.Set("edkai1", "2");
  drawing.controls.Set("edkai2", "5");
  EXPECT_EQ(drawing.Run(), "");
  const auto row = [](int value) { return kHeight * (287 - value) / 447; };
  EXPECT_EQ(Segments(drawing.canvas, kGreen),
            (std::vector<std::string>{Point(180, row(250)) + "-" + Point(480, row(-123))}));
  // A line of one point is a move and no segment.
  EXPECT_TRUE(Segments(drawing.canvas, kPurple).empty());
  EXPECT_TRUE(drawing.canvas.Contains("pen 800080 solid 1 notxor"));
  EXPECT_EQ(ReferenceLines(drawing.canvas)[2], std::to_string(row(-123)) + " -1.23");
}

TEST(DeviationDrawing, ZeroWidthRangeIsWidenedByOneEachWay) {
  // Flat closes: every deviation is 0, so the scale would be 0 .. 0; it becomes 1 .. −1 and
  // everything lies on the middle row of the band.
  Drawing flat({500, 500, 500, 500}, 1);
  flat.controls.Set("edkai1", "2");
  flat.controls.Set("edkai2", "3");
  EXPECT_EQ(flat.Run(), "");
  EXPECT_EQ(ReferenceLines(flat.canvas), (std::vector<std::string>{"200 0", "200 0", "200 0"}));
  for (const std::string& segment : Segments(flat.canvas, kGreen)) {
    EXPECT_EQ(segment.substr(segment.find(',') + 1, 3), "200") << segment;
  }
  EXPECT_EQ(Segments(flat.canvas, kGreen).size(), 2u);

  // Deviations too small to round away from 0 give the same zero-width scale: bar 2 is
  // (100001 − 100000.5) · 10000 / 100000.5 = 0.05 hundredths.
  Drawing tiny({100000, 100001}, 1);
  tiny.controls.Set("edkai1", "2");
  EXPECT_EQ(tiny.Run(), "");
  EXPECT_EQ(ReferenceLines(tiny.canvas), (std::vector<std::string>{"200 0", "200 0", "200 0"}));

  // No line at all (every period off) draws only the zero lines.
  Drawing none({500, 510}, 1);
  EXPECT_EQ(none.Run(), "");
  EXPECT_EQ(ReferenceLines(none.canvas).size(), 3u);
  EXPECT_TRUE(Segments(none.canvas, kGreen).empty());
}

TEST(DeviationDrawing, ZeroMeanAndBadBoxesDrawNothing) {
  // The 2-bar mean at bar 2 is 0: no finite deviation, so the drawing stops before any line.
  Drawing zero({-5, 5, 10}, 1);
  zero.controls.Set("edkai1", "3");
  zero.controls.Set("edkai2", "2");
  zero.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(zero.Run(), "データの偏りが大きいため演算不適当");
  EXPECT_TRUE(zero.canvas.DrawingTexts().empty());
  EXPECT_EQ(zero.statistics, "earlier listing");

  Drawing bad(kSmall, 1);
  bad.controls.Set("edkai1", "2");
  bad.controls.Set("edKai4", "3.5");
  EXPECT_THROW(bad.Run(), ConversionError);
  EXPECT_TRUE(bad.canvas.DrawingTexts().empty());
}

}  // namespace
}  // namespace varnolt
