#include "indicators/percent_r.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "series/calendar.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::Hlc;
using testing::RecordingCanvas;

// %R over 3 bars:
//   bar 3  high 12, low 4 over bars 1..3, close 10 → (12 − 10)·100 / 8 = 25
//   bar 4  high 12, low 4 over bars 2..4, close 9  → 37.5
//   bar 5  high 15, low 4, close at the high      → 0
//   bar 6  high 15, low 8, close at the low       → 100
//   bar 7  high 15, low 8, close 10               → 500 / 7 = 71.428…
const std::vector<Hlc> kSmall = {{10, 5, 8},  {12, 6, 7}, {11, 4, 10}, {9, 8, 9},
                                 {15, 9, 15}, {14, 8, 8}, {12, 10, 10}};

constexpr int kWidth = 660;
constexpr int kHeight = 400;

// All ten regions: 400 rows for −10 (top) .. 110 (bottom), so a value v is on row
// 400·(v + 10) div 120.
int Row(int value) {
  return kHeight * (value + 10) / 120;
}

DataSet MakeData(const std::vector<Hlc>& prices, int first_shown) {
  return testing::DailyDataOf(prices, first_shown, DayFromCivil(2024, 1, 4));
}

ScreeningSeries MakeSeries(const std::vector<Hlc>& prices) {
  return testing::SeriesWithLeftovers(prices, {42});
}

ControlValues Period(int n) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edr", std::to_string(n));
  return controls;
}

// A drawing onto a page that already holds a listing.
struct Drawn : testing::Drawn {
  Drawn() : testing::Drawn(kWidth) { statistics = "earlier listing"; }
};

void Draw(Drawn& drawn, const DataSet& data, const ControlValues& controls) {
  PriceScale scale;  // an oscillator takes only the margin and regions from it
  scale.upper = 5000;
  scale.lower = 1000;
  scale.margin = 0;
  drawn.Run(DrawPercentR, data, controls, scale);
}

// The solid line segments of the oscillator, with the pen they were drawn with.
std::vector<RecordingCanvas::Call> LineCalls(const RecordingCanvas& canvas) {
  std::vector<RecordingCanvas::Call> calls;
  for (const auto& call : canvas.Calls()) {
    if (call.text.starts_with("line ") && call.style == PenStyle::kSolid) calls.push_back(call);
  }
  return calls;
}

TEST(PercentRTest, ComputationOfASmallSeriesByHand) {
  ScreeningSeries series = MakeSeries(kSmall);
  EXPECT_EQ(CalcPercentR(series, 0, Period(3)), 2);
  EXPECT_EQ(CalcPercentR(series, 0, ControlValues::Defaults()), 19);
  ControlValues empty = ControlValues::Defaults();
  empty.Set("edr", "");
  EXPECT_EQ(CalcPercentR(series, 0, empty), 19) << "an empty box means 20";

  CalcPercentR(series, 7, Period(3));
  const float expected[] = {0, 0, 0, 25, 37.5f, 0, 100, 500.0f / 7};
  for (int i = 1; i <= 7; ++i) EXPECT_FLOAT_EQ(series[i].s1, expected[i]) << i;
  EXPECT_EQ(series[8].s1, 0) << "nothing past the bar count";
}

TEST(PercentRTest, ComputationMatchesAStraightforwardVersion) {
  std::mt19937 random(99);
  std::uniform_int_distribution<int> move(-20, 20);
  std::uniform_int_distribution<int> spread(0, 15);
  for (const int n : {1, 2, 5, 14, 20, 60}) {
    std::vector<Hlc> prices;
    int mid = 500;
    for (int i = 0; i < 999; ++i) {
      mid = std::max(100, mid + move(random));
      const int high = mid + spread(random) + 1;  // never a zero range
      const int low = mid - spread(random);
      prices.push_back({high, low, std::uniform_int_distribution<int>(low, high)(random)});
    }
    ScreeningSeries series = MakeSeries(prices);
    ASSERT_EQ(RunComputation(*FindComputation("CalcPercentR"), series, 999, Period(n)), 0);
    for (int i = 1; i <= 999; ++i) {
      double slow = 0;
      if (i >= n) {
        const auto window_begin = prices.begin() + (i - n);
        const auto window_end = prices.begin() + i;
        int highest = window_begin->high;
        int lowest = window_begin->low;
        for (auto p = window_begin; p != window_end; ++p) {
          highest = std::max(highest, p->high);
          lowest = std::min(lowest, p->low);
        }
        slow = 100.0 * (highest - prices[i - 1].close) / (highest - lowest);
      }
      ASSERT_NEAR(series[i].s1, slow, 1e-4) << "period " << n << " bar " << i;
    }
  }
}

TEST(PercentRTest, ZeroRangeOrPeriodFails) {
  // Bars 3..5 all at 100: the 3-bar range at bar 5 is zero.
  const std::vector<Hlc> flat = {{110, 90, 95},   {105, 95, 100},  {100, 100, 100},
                                 {100, 100, 100}, {100, 100, 100}, {120, 100, 110}};
  ScreeningSeries series = MakeSeries(flat);
  const ComputationInfo& info = *FindComputation("CalcPercentR");
  EXPECT_EQ(RunComputation(info, series, 6, Period(3)), static_cast<int>(kFailureCode));
  EXPECT_EQ(RunComputation(info, series, 4, Period(3)), 0) << "bars 2..4 still have a range";
  EXPECT_EQ(RunComputation(info, series, 6, Period(0)), static_cast<int>(kFailureCode));

  // The drawing stops at bar 5: segments to bar 4 only, no listing, canvas reset.
  ControlValues controls = Period(3);
  controls.SetChecked("cbshowosci", true);
  Drawn drawn;
  Draw(drawn, MakeData(flat, 1), controls);
  EXPECT_EQ(drawn.message, "データの偏りが大きいため演算不適当");
  EXPECT_EQ(LineCalls(drawn.canvas).size(), 1u) << "bar 3 to bar 4";
  EXPECT_EQ(drawn.statistics, "earlier listing");
  EXPECT_EQ(drawn.canvas.Calls().back().mode, PenMode::kCopy);

  Drawn no_period;
  Draw(no_period, MakeData(kSmall, 1), Period(0));
  EXPECT_EQ(no_period.message, "データの偏りが大きいため演算不適当");
  EXPECT_TRUE(LineCalls(no_period.canvas).empty());
}

TEST(PercentRTest, ReferenceLinesAreDottedAndLabelledOnTheInvertedScale) {
  ControlValues controls = Period(3);
  controls.Set("edru", "85");
  controls.Set("edrd", "15");
  Drawn drawn;
  Draw(drawn, MakeData(kSmall, 1), controls);
  std::vector<RecordingCanvas::LineCall> dotted;
  for (const auto& line : drawn.canvas.Lines()) {
    if (line.style == PenStyle::kDot) dotted.push_back(line);
  }
  const int levels[] = {0, 100, 50, 85, 15};
  ASSERT_EQ(dotted.size(), 5u);
  const auto texts = drawn.canvas.TextCalls();
  ASSERT_EQ(texts.size(), 5u);
  for (int k = 0; k < 5; ++k) {
    const int y = Row(levels[k]);
    EXPECT_EQ(dotted[k].from, (Point{30, y})) << levels[k];
    EXPECT_EQ(dotted[k].to, (Point{kWidth - 30, y})) << levels[k];
    EXPECT_EQ(dotted[k].pen, kBlack);
    EXPECT_EQ(texts[k].text, std::to_string(levels[k]));
    EXPECT_EQ(texts[k].x, kWidth - 29);
    EXPECT_EQ(texts[k].y, y - RecordingCanvas::kTextHeight / 2);
  }
  // 0 is near the top, 100 near the bottom.
  EXPECT_LT(dotted[0].from.y, dotted[2].from.y);
  EXPECT_LT(dotted[2].from.y, dotted[1].from.y);
  for (const auto& call : drawn.canvas.Calls()) {
    if (call.style == PenStyle::kDot) {
      EXPECT_EQ(call.mode, PenMode::kCopy) << call.text;
    }
  }
}

TEST(PercentRTest, LineIsDrawnNotXorFromThePeriodOrTheFirstDisplayedBar) {
  const ControlValues controls = Period(3);
  const Color colour = controls.ColorOf("lbr");
  Drawn drawn;
  Draw(drawn, MakeData(kSmall, 1), controls);
  EXPECT_EQ(drawn.message, "");
  const auto lines = LineCalls(drawn.canvas);
  ASSERT_EQ(lines.size(), 4u) << "bars 3..7";
  for (const auto& call : lines) {
    EXPECT_EQ(call.mode, PenMode::kNotXor) << call.text;
    EXPECT_EQ(call.pen, colour) << call.text;
  }
  // Rows of 25, Round(37.5) = 38, 0, 100, Round(71.43) = 71; x of bars 3..7 of 7.
  const auto x = [](int bar) { return 600 * (bar - 1) / 7 + 600 / 14 + 30; };
  const auto segments = drawn.canvas.Lines();
  std::vector<Point> points = {segments[5].from};
  for (size_t k = 5; k < segments.size(); ++k) points.push_back(segments[k].to);
  const std::vector<Point> expected = {
      {x(3), Row(25)}, {x(4), Row(38)}, {x(5), Row(0)}, {x(6), Row(100)}, {x(7), Row(71)}};
  EXPECT_EQ(points, expected);
  EXPECT_EQ(drawn.canvas.Calls().back().pen, kBlack);
  EXPECT_EQ(drawn.canvas.Calls().back().mode, PenMode::kCopy);

  // From bar 6 on, over the frame of bars 6..7 alone.
  Drawn late;
  Draw(late, MakeData(kSmall, 6), controls);
  const auto late_lines = late.canvas.Lines();
  ASSERT_EQ(late_lines.size(), 6u);
  EXPECT_EQ(late_lines[5].from, (Point{30 + 600 / 4, Row(100)}));
  EXPECT_EQ(late_lines[5].to, (Point{30 + 300 + 600 / 4, Row(71)}));
}

TEST(PercentRTest, ListingHasEveryDisplayedBarWithTwoDecimals) {
  ControlValues controls = Period(3);
  Drawn quiet;
  Draw(quiet, MakeData(kSmall, 1), controls);
  EXPECT_EQ(quiet.statistics, "earlier listing") << "オシレーター表示 unchecked";

  controls.SetChecked("cbshowosci", true);
  Drawn drawn;
  Draw(drawn, MakeData(kSmall, 2), controls);
  EXPECT_EQ(drawn.statistics,
            "%Rｵｼﾚｰﾀｰ \r\n"
            "20240105 , 0\r\n"
            "20240106 , 25\r\n"
            "20240107 , 37.5\r\n"
            "20240108 , 0\r\n"
            "20240109 , 100\r\n"
            "20240110 , 71.43\r\n");
}

}  // namespace
}  // namespace varnolt
