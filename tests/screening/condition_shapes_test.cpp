#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "indicators/computation.h"
#include "screening/condition_catalogue.h"
#include "screening/condition_rules.h"
#include "screening/evaluate_condition.h"
#include "screening/own_computations.h"

namespace varnolt {
namespace {

// One entry as the tests lay it out: close and the five result slots.
struct Row {
  int32_t close;
  float s1, s2 = 0, s3 = 0, s4 = 0, s5 = 0;
};

// Entries 1..rows.size(), the last one being the current entry a.
ScreeningSeries SeriesOf(const std::vector<Row>& rows) {
  ScreeningSeries series;
  for (size_t i = 0; i < rows.size(); ++i) {
    ScreeningEntry& entry = series[static_cast<int>(i) + 1];
    const Row& row = rows[i];
    entry = {row.close, row.close, row.close, row.close, row.s1, row.s2, row.s3, row.s4, row.s5};
  }
  return series;
}

// Only s1 matters: one value per entry, the close fixed.
std::vector<Row> S1(const std::vector<float>& values) {
  std::vector<Row> rows;
  for (float v : values) rows.push_back({100, v});
  return rows;
}

// s1 and s2 per entry.
std::vector<Row> Pairs(const std::vector<std::pair<float, float>>& values) {
  std::vector<Row> rows;
  for (auto [x, y] : values) rows.push_back({100, x, y});
  return rows;
}

// Close against the cloud (s3, s4) and the lagging reference s5.
std::vector<Row> Cloud(const std::vector<std::vector<float>>& values) {
  std::vector<Row> rows;
  for (const auto& v : values) rows.push_back({static_cast<int32_t>(v[0]), 0, 0, v[1], v[2], v[3]});
  return rows;
}

struct ShapeCase {
  std::string name;
  int number;
  std::vector<Row> rows;
  std::string num1, num2;
  int days1, window;
  bool passes;
};

TEST(ConditionShapesTest, EachShapeOnHandMadeSlots) {
  const ShapeCase cases[] = {
      // Held above 30 for 5 entries, broke within 3 (W = days2).
      {"rsi held then broke", 16, S1({35, 36, 34, 33, 31, 29}), "30", "", 5, 3, true},
      {"rsi dipped during the hold", 16, S1({35, 29, 34, 33, 31, 28}), "30", "", 5, 3, false},
      {"rsi not below the line now", 16, S1({35, 36, 34, 33, 31, 30}), "30", "", 5, 3, false},
      // Values on the line count on neither side: j is the first entry above it.
      {"rsi on the line skipped", 16, S1({35, 36, 34, 31, 30, 29}), "30", "", 3, 3, true},
      {"rsi hold one short", 16, S1({20, 36, 34, 31, 30, 29}), "30", "", 4, 3, false},
      {"rsi last above beyond W", 16, S1({35, 36, 34, 29, 29, 29, 28}), "30", "", 2, 3, false},
      {"rsi last above just within W", 16, S1({35, 36, 34, 29, 29, 28}), "30", "", 2, 3, true},
      {"days1 1 needs only j", 16, S1({10, 10, 10, 31, 29}), "30", "", 1, 1, true},
      {"rci held below then rose", 23, S1({-50, -60, -70, -40, 10}), "-30", "", 4, 2, true},
      {"rci rose but the hold broke", 23, S1({-50, 0, -70, -40, 10}), "-30", "", 4, 2, false},
      // Crossings within W, equal pairs on neither side.
      {"golden cross 7 back", 12,
       Pairs({{1, 2}, {3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}, {4, 3}}), "", "", 7, 7, true},
      {"golden cross 8 back", 12,
       Pairs({{1, 2}, {3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}, {4, 3}}), "", "", 7,
       7, false},
      {"golden cross equal now", 12, Pairs({{1, 2}, {3, 3}}), "", "", 7, 7, false},
      {"dead cross", 13, Pairs({{5, 2}, {2, 3}}), "", "", 1, 1, true},
      {"dead cross from equal", 13, Pairs({{3, 3}, {2, 3}}), "", "", 1, 1, false},
      {"adx over adxr", 26, {{100, 0, 0, 25, 20}}, "", "", 0, 0, true},
      {"adx equal adxr", 26, {{100, 0, 0, 20, 20}}, "", "", 0, 0, false},
      {"adx under adxr", 27, {{100, 0, 0, 15, 20}}, "", "", 0, 0, true},
      {"stochastics slow cross", 34, {{100, 0, 10, 20}, {100, 0, 30, 20}}, "", "", 3, 3, true},
      // Sign changes are crossings of zero; a zero counts on neither side.
      {"rci plus to minus", 20, S1({10, 0, -5}), "", "", 2, 2, true},
      {"rci zero is no side", 20, S1({0, 0, -5}), "", "", 2, 2, false},
      {"macd minus to plus", 46, S1({-1, 2}), "", "", 1, 1, true},
      {"parabolic turned to buy", 59, S1({-1, 1, 1}), "", "", 2, 2, true},
      {"parabolic turned too long ago", 59, S1({-1, 1, 1}), "", "", 1, 1, false},
      {"kagi turned to sell", 66, S1({1, -1}), "", "", 5, 5, true},
      // Single-entry tests include their ends.
      {"rsi at least", 14, S1({70}), "70", "", 0, 0, true},
      {"rsi at most", 15, S1({70.5f}), "70", "", 0, 0, false},
      {"bollinger between ends", 54, S1({-1}), "-1", "1", 0, 0, true},
      {"bollinger outside", 54, S1({1.5f}), "-1", "1", 0, 0, false},
      {"number that does not read", 14, S1({70}), "x", "", 0, 0, false},
      {"stochastics %D is slot 2", 30, {{100, 10, 80}}, "75", "", 0, 0, true},
      // The cloud: close against spans s3 and s4.
      {"above the cloud", 71, Cloud({{110, 100, 105, 0}}), "", "", 0, 0, true},
      {"on the cloud's top is not above", 71, Cloud({{105, 100, 105, 0}}), "", "", 0, 0, false},
      {"below the cloud", 72, Cloud({{90, 100, 95, 0}}), "", "", 0, 0, true},
      {"inside, spans either way round", 73, Cloud({{100, 105, 95, 0}}), "", "", 0, 0, true},
      {"inside on an edge", 73, Cloud({{95, 105, 95, 0}}), "", "", 0, 0, true},
      {"break up within W", 74, Cloud({{100, 101, 99, 0}, {120, 101, 99, 0}, {120, 101, 99, 0}}),
       "", "", 2, 2, true},
      {"break up too long ago", 74,
       Cloud({{100, 101, 99, 0}, {120, 101, 99, 0}, {120, 101, 99, 0}}), "", "", 1, 1, false},
      {"break down", 75, Cloud({{100, 99, 101, 0}, {90, 99, 98, 0}}), "", "", 1, 1, true},
      {"lagging span crossed up", 76, Cloud({{100, 0, 0, 105}, {110, 0, 0, 105}}), "", "", 1, 1,
       true},
      {"lagging span crossed down", 77, Cloud({{110, 0, 0, 105}, {100, 0, 0, 105}}), "", "", 1, 1,
       true},
      // Purchase price and recent extremes, against the current close.
      {"10% over purchase", 78, {{110, 100}}, "10", "", 0, 0, true},
      {"9% over purchase", 78, {{109, 100}}, "10", "", 0, 0, false},
      {"10% under purchase", 79, {{90, 100}}, "10", "", 0, 0, true},
      {"50 yen over purchase", 80, {{150, 100}}, "50", "", 0, 0, true},
      {"50 yen under purchase", 81, {{60, 100}}, "50", "", 0, 0, false},
      {"20% over the low", 82, {{120, 0, 0, 100}}, "20", "", 0, 0, true},
      {"20% under the high", 83, {{80, 0, 100, 0}}, "20", "", 0, 0, true},
      {"19% under the high", 83, {{81, 0, 100, 0}}, "20", "", 0, 0, false},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ScreeningSeries series = SeriesOf(c.rows);
    EXPECT_EQ(TestComputedCondition(c.number, series, static_cast<int>(c.rows.size()), c.num1,
                                    c.num2, c.days1, c.window),
              c.passes);
  }
}

TEST(ConditionShapesTest, LookBackNeverReachesBeforeTheFirstEntry) {
  // A hand-edited window longer than the series: the scan stops at entry 1.
  const ScreeningSeries series = SeriesOf(S1({5, -1, 2}));
  EXPECT_TRUE(TestComputedCondition(21, series, 3, "", "", 50, 50));
  EXPECT_FALSE(TestComputedCondition(16, SeriesOf(S1({35, 29})), 2, "30", "", 5, 3));
}

TEST(ConditionRulesTest, EveryNumberHasAComputationAndATest) {
  const ControlValues controls = ControlValues::Defaults();
  ScreeningSeries scratch;
  for (int n = 0; n < kConditionCount; ++n) {
    SCOPED_TRACE(n);
    const ConditionRule* rule = RuleOf(n);
    ASSERT_NE(rule, nullptr);
    if (n <= 7) {
      EXPECT_EQ(rule->shape, TestShape::kFinancial);
      continue;
    }
    EXPECT_NE(rule->shape, TestShape::kFinancial);
    // Either a computation of its own or an indicator that the table finds by name.
    EXPECT_EQ(rule->own == OwnComputation::kNone, IndicatorOf(*rule) != nullptr);
    const int warm_up = ComputeForCondition(n, scratch, 0, 7, 0, controls);
    EXPECT_GE(warm_up, 0);
  }
  EXPECT_EQ(RuleOf(84), nullptr);
  EXPECT_EQ(RuleOf(-1), nullptr);
}

TEST(OwnComputationsTest, WriteTheCurrentEntryOrFail) {
  ScreeningSeries series = SeriesOf({{100, 0}, {120, 0}, {150, 0}});
  series[2].high = 130;
  series[2].low = 90;
  ASSERT_EQ(CalcCloseRatio(series, 3, 2), 0);
  EXPECT_FLOAT_EQ(series[3].s1, 1.5f);
  EXPECT_EQ(CalcCloseRatio(series, 3, 3), static_cast<int>(kFailureCode));  // before entry 1

  ASSERT_EQ(CalcHighLowRange(series, 3, 2), 0);
  EXPECT_FLOAT_EQ(series[3].s1, 150.0f / 90);
  EXPECT_EQ(series[3].s2, 150);
  EXPECT_EQ(series[3].s3, 90);
  EXPECT_EQ(series[2].s1, 0);  // only the current entry is written
  series[1].low = 0;
  EXPECT_EQ(CalcHighLowRange(series, 3, 3), static_cast<int>(kFailureCode));  // a low of 0

  EXPECT_EQ(CalcAveragePurchasePrice(series, 0, 0), 1);  // warm-up
  EXPECT_EQ(CalcAveragePurchasePrice(series, 3, 0), static_cast<int>(kFailureCode));
  ASSERT_EQ(CalcAveragePurchasePrice(series, 3, 987), 0);
  EXPECT_EQ(series[3].s1, 987);
}

TEST(EvaluateConditionTest, TooFewEntriesOrAFailingComputationFail) {
  const ControlValues controls = ControlValues::Defaults();
  ScreeningSeries series = SeriesOf({{100, 0}, {110, 0}, {120, 0}});
  EXPECT_TRUE(EvaluateCondition(8, series, 3, 3, "1.2", "", 2, 2, 0, controls));
  EXPECT_FALSE(EvaluateCondition(8, series, 3, 4, "1.2", "", 2, 2, 0, controls));
  EXPECT_TRUE(EvaluateCondition(78, series, 3, 2, "10", "", 0, 0, 100, controls));
  EXPECT_FALSE(EvaluateCondition(78, series, 3, 2, "10", "", 0, 0, 0, controls));  // not held
  EXPECT_FALSE(EvaluateCondition(84, series, 3, 1, "1", "", 0, 0, 0, controls));
  // An indicator period box that does not read fails the stock instead of stopping the run.
  ControlValues broken = controls;
  broken.Set("edRSI1", "x");
  EXPECT_FALSE(EvaluateCondition(14, series, 3, 1, "0", "", 0, 0, 0, broken));
}

}  // namespace
}  // namespace varnolt
