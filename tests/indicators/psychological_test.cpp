#include "indicators/psychological.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "series/calendar.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::RecordingCanvas;

// Over bars 2..13, nine closes rise; bar 4 repeats its predecessor and bars 7 and 11 fall.
// Bar 14 falls (window 3..14: 8 rises), bar 15 repeats (window 4..15: 7 rises).
const std::vector<int32_t> kCloses = {100, 101, 102, 102, 103, 104, 103, 104,
                                      105, 106, 105, 106, 107, 106, 106};

constexpr int kWidth = 660;
constexpr int kHeight = 400;

// All ten regions: 400 rows for 110 (top) .. −10 (bottom).
int Row(int value) {
  return kHeight * (110 - value) / 120;
}

DataSet MakeData(const std::vector<int32_t>& closes, int first_shown) {
  return testing::DailyDataOf(closes, first_shown, DayFromCivil(2024, 3, 1));
}

ScreeningSeries MakeSeries(const std::vector<int32_t>& closes) {
  return testing::SeriesWithLeftovers(closes, {42});
}

ControlValues Period(const std::string& n) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edpsy", n);
  return controls;
}

// A drawing onto a page that already holds a listing.
struct Drawn : testing::Drawn {
  Drawn() : testing::Drawn(kWidth) { statistics = "earlier listing"; }
};

void Draw(Drawn& drawn, const DataSet& data, const ControlValues& controls) {
  PriceScale scale;
  scale.upper = 200;
  scale.lower = 50;
  drawn.Run(DrawPsychological, data, controls, scale);
}

std::vector<RecordingCanvas::LineCall> SolidLines(const RecordingCanvas& canvas) {
  std::vector<RecordingCanvas::LineCall> lines;
  for (const auto& line : canvas.Lines()) {
    if (line.style == PenStyle::kSolid) lines.push_back(line);
  }
  return lines;
}

TEST(PsychologicalTest, ShareOfRisingClosesByHand) {
  ScreeningSeries series = MakeSeries(kCloses);
  EXPECT_EQ(CalcPsychological(series, 0, Period("12")), 12);
  EXPECT_EQ(CalcPsychological(series, 0, Period("")), 12) << "an empty box means 12";

  CalcPsychological(series, 15, Period("12"));
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(series[i].s1, 0) << i;
  EXPECT_FLOAT_EQ(series[13].s1, 75);
  EXPECT_FLOAT_EQ(series[14].s1, 800.0f / 12);
  EXPECT_FLOAT_EQ(series[15].s1, 700.0f / 12);
  EXPECT_EQ(series[16].s1, 0) << "nothing past the bar count";

  // A period as long as the series leaves every slot at 0 and does not fail.
  ScreeningSeries short_series = MakeSeries(kCloses);
  EXPECT_EQ(CalcPsychological(short_series, 15, Period("15")), 0);
  for (int i = 1; i <= 15; ++i) EXPECT_EQ(short_series[i].s1, 0) << i;
}

TEST(PsychologicalTest, ComputationMatchesAStraightforwardVersion) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int> move(-3, 3);  // many equal closes too
  std::vector<int32_t> closes;
  int close = 300;
  for (int i = 0; i < 999; ++i) closes.push_back(close = std::max(1, close + move(random)));
  for (const int n : {1, 2, 12, 25, 100}) {
    ScreeningSeries series = MakeSeries(closes);
    ASSERT_EQ(RunComputation(*FindComputation("CalcPsychological"), series, 999,
                             Period(std::to_string(n))),
              0);
    for (int i = 1; i <= 999; ++i) {
      double slow = 0;
      if (i > n) {
        int rises = 0;
        for (int j = i - n + 1; j <= i; ++j) rises += closes[j - 2] < closes[j - 1] ? 1 : 0;
        slow = rises * 100.0 / n;
      }
      ASSERT_NEAR(series[i].s1, slow, 1e-4) << "period " << n << " bar " << i;
    }
  }
}

TEST(PsychologicalTest, PeriodBelowOneFails) {
  ScreeningSeries series = MakeSeries(kCloses);
  const ComputationInfo& info = *FindComputation("CalcPsychological");
  EXPECT_EQ(RunComputation(info, series, 15, Period("0")), static_cast<int>(kFailureCode));
  EXPECT_EQ(RunComputation(info, series, 15, Period("-3")), static_cast<int>(kFailureCode));

  Drawn drawn;
  Draw(drawn, MakeData(kCloses, 1), Period("0"));
  EXPECT_EQ(drawn.message, "データの偏りが大きいため演算不適当");
  EXPECT_TRUE(SolidLines(drawn.canvas).empty());
  EXPECT_EQ(drawn.canvas.Texts().size(), 5u) << "the reference lines are still drawn";
}

TEST(PsychologicalTest, SeventyFiveLandsOnTheUpperReferenceLine) {
  const ControlValues controls = Period("12");
  Drawn drawn;
  Draw(drawn, MakeData(kCloses, 1), controls);
  EXPECT_EQ(drawn.message, "");
  EXPECT_EQ(drawn.canvas.Texts(), (std::vector<std::string>{"0", "100", "50", "75", "25"}));
  std::vector<RecordingCanvas::LineCall> dotted;
  for (const auto& line : drawn.canvas.Lines()) {
    if (line.style == PenStyle::kDot) dotted.push_back(line);
  }
  ASSERT_EQ(dotted.size(), 5u);
  EXPECT_EQ(dotted[3].from.y, Row(75));

  // Bars 13..15: 75 on the reference line, then Round(66.67) = 67 and Round(58.33) = 58.
  const auto lines = SolidLines(drawn.canvas);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].from.y, dotted[3].from.y);
  EXPECT_EQ(lines[0].to.y, Row(67));
  EXPECT_EQ(lines[1].to.y, Row(58));
  EXPECT_EQ(lines[0].pen, controls.ColorOf("lbpsy"));
  for (const auto& call : drawn.canvas.Calls()) {
    if (call.text.starts_with("line ") && call.style == PenStyle::kSolid) {
      EXPECT_EQ(call.mode, PenMode::kNotXor) << call.text;
    }
  }
  EXPECT_EQ(drawn.canvas.Calls().back().mode, PenMode::kCopy);
}

TEST(PsychologicalTest, ListingStartsAtTheFirstDisplayedBar) {
  ControlValues controls = Period("12");
  controls.SetChecked("cbshowosci", true);
  Drawn drawn;
  Draw(drawn, MakeData(kCloses, 12), controls);
  EXPECT_EQ(drawn.statistics,
            "ｻｲｺﾛｼﾞｶﾙ ﾗｲﾝ \r\n"
            "20240312 , 0\r\n"
            "20240313 , 75\r\n"
            "20240314 , 66.67\r\n"
            "20240315 , 58.33\r\n");

  // With the period beyond the series: the reference lines and a listing of zeros.
  Drawn long_period;
  controls.Set("edpsy", "40");
  Draw(long_period, MakeData(kCloses, 14), controls);
  EXPECT_EQ(long_period.message, "");
  EXPECT_TRUE(SolidLines(long_period.canvas).empty());
  EXPECT_EQ(long_period.statistics, "ｻｲｺﾛｼﾞｶﾙ ﾗｲﾝ \r\n20240314 , 0\r\n20240315 , 0\r\n");
}

}  // namespace
}  // namespace varnolt
