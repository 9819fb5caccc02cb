#include "indicators/parabolic.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "base/file_error.h"
#include "base/numbers.h"
#include "series/calendar.h"
#include "support/indicator_data.h"

namespace varnolt {
namespace {

using testing::Drawn;

struct HighLow {
  int32_t high;
  int32_t low;
};

// A hand-worked run with factors that are exact in binary (start 0.25, step 0.25, limit 0.5):
//   bar 1  short from the start: SAR 100, EP 90
//   bar 2  SAR 100 + (90 − 100)·0.25 = 97.5, new low 86 → EP 86, AF 0.5; 97.5 ≥ high 96: short
//   bar 3  SAR 97.5 + (86 − 97.5)·0.5 = 91.75, new low 84 → EP 84, AF stays at the 0.5 limit
//   bar 4  SAR 91.75 + (84 − 91.75)·0.5 = 87.875 < high 95: reverses to long with SAR = lowest
//          low of the short run (84) and EP = its highest high (100, bar 1's, not bar 4's 95)
//   bar 5  SAR 84 + (100 − 84)·0.25 = 88, new high 104 → EP 104, AF 0.5; low 95 ≥ 88: long
//   bar 6  SAR 88 + (104 − 88)·0.5 = 96 > low 85: reverses to short with SAR = highest high of
//          the long run (104) and EP = its lowest low (85)
//   bar 7  SAR 104 + (85 − 104)·0.25 = 99.25, not below high 99: short
const std::vector<HighLow> kRun = {{100, 90}, {96, 86},  {90, 84}, {95, 89},
                                   {104, 95}, {103, 85}, {99, 80}};
const double kRunSar[] = {0, 100, 97.5, 91.75, 84, 88, 104, 99.25};  // by bar number
const bool kRunLong[] = {false, false, false, false, true, true, false, false};

ControlValues ExactFactors() {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edpal1", "0.25");
  controls.Set("edpal2", "0.25");
  controls.Set("edpal3", "0.5");
  return controls;
}

DataSet MakeData(const std::vector<HighLow>& bars, int first_shown) {
  DataSet data;
  const DayNumber day = DayFromCivil(2024, 1, 4);
  for (size_t i = 0; i < bars.size(); ++i) {
    Bar bar;
    bar.date = DayToCompactInt(day + static_cast<DayNumber>(i));
    bar.high = bars[i].high;
    bar.low = bars[i].low;
    bar.open = bar.close = (bars[i].high + bars[i].low) / 2;
    data.bars.Append(bar);
  }
  data.first_shown = first_shown;
  data.loaded = data.chart_shown = true;
  return data;
}

ScreeningSeries MakeSeries(const std::vector<HighLow>& bars) {
  ScreeningSeries series;
  for (size_t i = 0; i < bars.size(); ++i) {
    ScreeningEntry& entry = series[static_cast<int>(i) + 1];
    entry.high = bars[i].high;
    entry.low = bars[i].low;
    entry.open = entry.close = (bars[i].high + bars[i].low) / 2;
    entry.s1 = 42;  // left over from an earlier computation
  }
  return series;
}

PriceScale Scale() {
  PriceScale scale;
  scale.upper = 120;
  scale.lower = 70;
  scale.margin = 2;
  return scale;
}

std::vector<HighLow> RandomWalk(std::mt19937& random, int count) {
  std::uniform_int_distribution<int> move(-30, 30);
  std::uniform_int_distribution<int> spread(0, 25);
  std::vector<HighLow> bars;
  int mid = 1000;
  for (int i = 0; i < count; ++i) {
    mid = std::max(100, mid + move(random));
    const int low = mid - spread(random);
    bars.push_back({mid + spread(random), low});
  }
  return bars;
}

void Draw(Drawn& drawn, const DataSet& data, const ControlValues& controls,
          const PriceScale& scale = Scale()) {
  drawn.Run(DrawParabolic, data, controls, scale);
}

TEST(ParabolicTest, ComputationFollowsTheHandWorkedRun) {
  ScreeningSeries series = MakeSeries(kRun);
  EXPECT_EQ(CalcParabolic(series, 0, ExactFactors()), 250);

  CalcParabolic(series, 7, ExactFactors());
  EXPECT_EQ(series[1].s1, 42) << "bar 1 has no position of its own";
  for (int i = 2; i <= 7; ++i) EXPECT_EQ(series[i].s1, kRunLong[i] ? 1.0f : -1.0f) << i;
  EXPECT_EQ(series[8].s1, 0) << "nothing past the bar count";

  // The warm-up stays 250 whatever the factors.
  ControlValues slow = ExactFactors();
  slow.Set("edpal1", "0.001");
  EXPECT_EQ(CalcParabolic(series, 0, slow), 250);
}

TEST(ParabolicTest, DotsSitOnTheRoundedStopInTheSideColour) {
  const DataSet data = MakeData(kRun, 1);
  const ControlValues controls = ExactFactors();
  Drawn drawn;
  Draw(drawn, data, controls);
  EXPECT_EQ(drawn.message, "");

  std::string statistics;
  const IndicatorContext context{data, controls, drawn.canvas, 1, Scale(), statistics};
  const IndicatorFrame frame(context);
  const Color buy = controls.ColorOf("lbpalb");
  const Color sell = controls.ColorOf("lbpals");
  ASSERT_NE(buy, sell);
  const auto rects = drawn.canvas.Rects();
  ASSERT_EQ(rects.size(), 6u) << "one dot per bar from bar 2";
  for (int i = 2; i <= 7; ++i) {
    const auto& rect = rects[i - 2];
    // 97.5 rounds to 98 and 91.75 to 92, half to even.
    const PixelPoint centre = frame.Point(i, RoundHalfEven(kRunSar[i]));
    EXPECT_EQ(rect.from, (Point{centre.x - 2, centre.y - 2})) << i;
    EXPECT_EQ(rect.to, (Point{centre.x + 2, centre.y + 2})) << i;
    EXPECT_EQ(rect.brush, kRunLong[i] ? buy : sell) << i;
  }
  EXPECT_EQ(rects[0].from.y + 2, frame.Y(98));

  // Dots are drawn in copy mode, and the canvas is left with a black pen and a white brush.
  for (const auto& call : drawn.canvas.Calls()) EXPECT_EQ(call.mode, PenMode::kCopy) << call.text;
  EXPECT_EQ(drawn.canvas.Calls().back().pen, kBlack);
  EXPECT_EQ(drawn.canvas.Calls().back().brush, kWhite);
}

TEST(ParabolicTest, WarmUpBarsCarryTheRecurrenceButGetNoDots) {
  Drawn from_one;
  Draw(from_one, MakeData(kRun, 1), ExactFactors());
  Drawn from_five;
  Draw(from_five, MakeData(kRun, 5), ExactFactors());
  const auto rects = from_five.canvas.Rects();
  ASSERT_EQ(rects.size(), 3u);
  // The long dot of bar 5 (stop 88) and the short dots after the reversal at bar 6: the same
  // stops as a run from bar 1, on the narrower frame of bars 5..7.
  EXPECT_EQ(rects[0].brush, ExactFactors().ColorOf("lbpalb"));
  EXPECT_EQ(rects[1].brush, ExactFactors().ColorOf("lbpals"));
  EXPECT_EQ(rects[2].brush, ExactFactors().ColorOf("lbpals"));
  const auto all = from_one.canvas.Rects();
  for (int k = 0; k < 3; ++k) EXPECT_EQ(rects[k].from.y, all[k + 3].from.y) << k;
  EXPECT_LT(rects[0].from.x, rects[1].from.x);
}

TEST(ParabolicTest, StartsShortSoEarlyDotsAreSellColouredUntilTheFirstReversal) {
  // A steady rise from bar 1: the short stop at bar 1's high is crossed soon.
  std::vector<HighLow> rise;
  for (int i = 0; i < 10; ++i) rise.push_back({1000 + 10 * i, 990 + 10 * i});
  ControlValues controls = ControlValues::Defaults();
  Drawn drawn;
  Draw(drawn, MakeData(rise, 1), controls, [] {
    PriceScale scale;
    scale.upper = 1100;
    scale.lower = 900;
    return scale;
  }());
  const auto rects = drawn.canvas.Rects();
  ASSERT_EQ(rects.size(), 9u);
  // Bar 2: SAR 1000 + (990 − 1000)·0.02 = 999.8 < high 1010 → reversal to long at once.
  EXPECT_EQ(rects[0].brush, controls.ColorOf("lbpalb"));

  // Any bar reaching bar 1's high reverses at once, since the stop moves below it; a falling
  // start keeps the position short until the rise crosses the stop at bar 5:
  //   SAR 999.8, 999.43, 998.85 (EP 985, 980, 975) then 998.01 < high 1030.
  const std::vector<HighLow> fall_then_rise = {{1000, 990}, {995, 985},   {990, 980},
                                               {985, 975},  {1030, 1010}, {1040, 1020}};
  Drawn second;
  Draw(second, MakeData(fall_then_rise, 1), controls);
  const auto dots = second.canvas.Rects();
  ASSERT_EQ(dots.size(), 5u);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(dots[k].brush, controls.ColorOf("lbpals")) << k;
  EXPECT_EQ(dots[3].brush, controls.ColorOf("lbpalb"));
  EXPECT_EQ(dots[4].brush, controls.ColorOf("lbpalb"));
}

TEST(ParabolicTest, DrawingAndComputationAgreeOnRandomSeries) {
  std::mt19937 random(20240104);
  for (int round = 0; round < 20; ++round) {
    const std::vector<HighLow> bars = RandomWalk(random, 300);
    ScreeningSeries series = MakeSeries(bars);
    CalcParabolic(series, 300, ControlValues::Defaults());
    Drawn drawn;
    PriceScale scale;
    scale.upper = 3000;
    scale.lower = 0;
    Draw(drawn, MakeData(bars, 2), ControlValues::Defaults(), scale);
    const auto rects = drawn.canvas.Rects();
    ASSERT_EQ(rects.size(), 299u);
    const Color buy = ControlValues::Defaults().ColorOf("lbpalb");
    int reversals = 0;
    for (int i = 2; i <= 300; ++i) {
      EXPECT_EQ(rects[i - 2].brush == buy, series[i].s1 == 1.0f) << round << " bar " << i;
      if (i > 2 && series[i].s1 != series[i - 1].s1) ++reversals;
    }
    EXPECT_GT(reversals, 2) << "the walk should turn the position several times";
  }
}

TEST(ParabolicTest, EmptyFactorBoxesUseTheBuiltInFactors) {
  std::mt19937 random(7);
  const std::vector<HighLow> bars = RandomWalk(random, 400);
  ControlValues typed = ControlValues::Defaults();
  typed.Set("edpal1", "0.02");
  typed.Set("edpal2", "0.005");
  typed.Set("edpal3", "0.2");
  ControlValues empty = typed;
  for (const char* name : {"edpal1", "edpal2", "edpal3"}) empty.Set(name, "");
  ControlValues other = typed;
  other.Set("edpal2", "0.02");
  ScreeningSeries a = MakeSeries(bars);
  ScreeningSeries b = MakeSeries(bars);
  ScreeningSeries c = MakeSeries(bars);
  CalcParabolic(a, 400, typed);
  CalcParabolic(b, 400, empty);
  CalcParabolic(c, 400, other);
  int differences = 0;
  for (int i = 2; i <= 400; ++i) {
    EXPECT_EQ(a[i].s1, b[i].s1) << i;
    differences += a[i].s1 != c[i].s1 ? 1 : 0;
  }
  EXPECT_GT(differences, 0) << "the step factor must matter";
}

TEST(ParabolicTest, OverflowingFactorsFailInsteadOfDrawingFromInfinity) {
  ControlValues absurd = ControlValues::Defaults();
  // A negative factor pushes a short stop ever higher, away from the prices, until it overflows.
  absurd.Set("edpal1", "-1e30");
  absurd.Set("edpal2", "0");
  std::mt19937 random(3);
  const std::vector<HighLow> bars = RandomWalk(random, 40);
  ScreeningSeries series = MakeSeries(bars);
  const ComputationInfo* info = FindComputation("CalcParabolic");
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(RunComputation(*info, series, 40, absurd), static_cast<int>(kFailureCode));
  Drawn drawn;
  Draw(drawn, MakeData(bars, 1), absurd);
  EXPECT_EQ(drawn.message, "データの偏りが大きいため演算不適当");
}

}  // namespace
}  // namespace varnolt
