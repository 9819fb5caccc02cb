#include "screening/condition_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>

#include "base/file_error.h"
#include "screening/condition_line.h"
#include "screening/condition_pass.h"
#include "screening/evaluate_condition.h"
#include "screening/financial_condition.h"
#include "screening/holdings_price.h"
#include "series/latest_price.h"
#include "series/screening_loader.h"
#include "store/catalogue.h"
#include "store/financial_data.h"
#include "support/random_market.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::DayOf;
using Items = std::vector<std::string>;

// The list narrowed the straightforward way: condition by condition, every remaining stock
// loaded afresh with the entries that condition needs.
Items NarrowOneConditionAtATime(const Lines& conditions, Items stocks,
                                const ScreeningScope& scope) {
  auto series = std::make_unique<ScreeningSeries>();
  for (const std::string& line : conditions) {
    const ParsedCondition c = ParseConditionLine(line);
    const int window = c.days2 == 0 ? c.days1 : c.days2;
    Items kept;
    for (const std::string& item : stocks) {
      const int code = *CodeOfItem(item);
      bool passed = false;
      if (c.number >= 0 && c.number <= 7) {
        const LatestQuote quote = LatestPrice(scope.folder, code, scope.date, scope.today);
        passed = TestFinancialCondition(c.number, c.num1, c.num2, quote.close, quote.volume,
                                        ReadFinancialRecordOrNone(scope.folder.DataDir(), code));
      } else if (c.number >= 8 && c.number <= 83) {
        const int m = c.days1 + c.days2 +
                      ComputeForCondition(c.number, *series, 0, c.days1, 0, scope.controls) + 1;
        const int n =
            LoadScreeningSeries(scope.folder, code, m, true, scope.date, scope.today, *series);
        passed = EvaluateCondition(c.number, *series, n, m, c.num1, c.num2, c.days1, window,
                                   AveragePurchasePrice(scope.holdings, code), scope.controls);
      }
      if (passed) kept.push_back(item);
    }
    stocks = kept;
  }
  return stocks;
}

class ConditionListTest : public ::testing::Test {
 protected:
  ScreeningScope Scope(int32_t date = 20230630) const {
    return {store_.Folder(), controls_, DayOf(date), DayOf(20230710), holdings_};
  }

  testing::TempFolder temp_;
  testing::PriceStore store_{temp_.Path()};
  testing::RandomMarket market_{store_, 11, 160, 20210901, 20230630, 20230705};
  ControlValues controls_ = ControlValues::Defaults();
  Lines holdings_;
};

// One pass over the stocks, each read once with the longest span any condition needs and
// spread over several threads, gives the list that narrowing condition by condition gives.
TEST_F(ConditionListTest, OnePassEqualsNarrowingConditionByCondition) {
  for (size_t i = 0; i < market_.codes.size(); i += 3) {
    holdings_.insert(holdings_.end(), {std::to_string(market_.codes[i]), "*1000000", "*1000", "x"});
  }
  const std::vector<Lines> lists = {
      {"14,0,0: 基本のRSIが[45]以上", "0,0,0: 現在の終値が[100]以上[3000]以下"},
      {"12,20,0: 移動平均線２本が<20>日以内にｺﾞｰﾙﾃﾞﾝｸﾛｽ", "5,0,0: ＰＥＲが[-10]以上[40]以下  "},
      {"69,15,0: x", "10,5,0: x[1.03]", "71,0,0: x"},
      {"16,5,10: RSIが[50]のﾗｲﾝを<5>日以上維持し、<10>日以内に割った"},
      {"8,30,0: x[1]", "48,0,0: x[0]", "45,10,0: x", "2,0,0: x[1][5000]"},
      {"78,0,0: x[1]", "82,20,0: x[2]", "3,0,0: x[-5][20]"},
      {"79,0,0: x[0]", "23,4,8: RCIが[-20]のﾗｲﾝを<4>日以上維持し、<8>日以内に越えた"},
      {"32,10,0: x", "6,0,0: x[0][5]", "7,0,0: x[0][3]", "1,0,0: x[10000][9000000]"},
      {"99,0,0: not in the catalogue"},
      {"54,0,0: x[-1][1]", "74,30,0: x"},
      {"61,30,0: x"},
      {"65,30,0: x"},
      {"59,30,0: x", "67,30,0: x"},
      {"63,30,0: x", "76,10,0: x"},
      // Computations that depend on where the series starts, next to a condition needing a
      // much longer span: each must see only the entries it would have loaded for itself.
      {"44,3,0: x", "8,250,0: x[0]"},
      {"60,3,0: x", "11,300,0: x[100]"},
      {"24,5,0: x", "8,200,0: x[0]"},
      {"17,2,30: x[40]", "14,0,0: x[0]", "10,400,0: x[1]"},
      // 900 entries of moving average and more: the span limit fails it for every stock.
      {"14,0,0: x[0]", "13,900,0: x"},
  };
  // A history read once for a period, with the span of the most demanding list, serves every
  // list and date in it.
  int most_needed = -1;
  for (const Lines& conditions : lists)
    most_needed = std::max(most_needed, MostEntriesNeeded(conditions, Scope()));
  const ScreeningHistory history(store_.Folder(), most_needed, true, DayOf(20230601),
                                 DayOf(20230630), DayOf(20230710));
  const ScreeningHistory* const sources[] = {nullptr, &history};
  for (int32_t date : {20230630, 20230625}) {
    for (const Lines& conditions : lists) {
      SCOPED_TRACE(conditions.front() + " " + std::to_string(date));
      const Items expected = NarrowOneConditionAtATime(conditions, market_.items, Scope(date));
      for (int threads : {1, 3}) {
        for (const ScreeningHistory* source : sources) {
          Items stocks = market_.items;
          ScreeningScope scope = Scope(date);
          scope.sources.history = source;
          const bool any = EvaluateConditionList(conditions, stocks, scope, {{}, nullptr, threads});
          EXPECT_EQ(stocks, expected) << threads << " threads, history " << (source != nullptr);
          EXPECT_EQ(any, !expected.empty());
        }
      }
    }
  }
}

TEST_F(ConditionListTest, ListsWithoutConditionsOrWithoutStocks) {
  Items stocks = market_.items;
  EXPECT_TRUE(EvaluateConditionList({}, stocks, Scope()));
  EXPECT_EQ(stocks, market_.items);
  Items none;
  EXPECT_FALSE(EvaluateConditionList({"0,0,0: x[0][100000]"}, none, Scope()));
  EXPECT_TRUE(none.empty());
  // A first condition that no stock passes leaves an empty list for the rest.
  stocks = market_.items;
  EXPECT_FALSE(EvaluateConditionList({"0,0,0: x[-2][-1]", "0,0,0: x[0][100000]"}, stocks, Scope()));
  EXPECT_TRUE(stocks.empty());
}

TEST_F(ConditionListTest, SurvivorsKeepTheirListOrder) {
  Items stocks(market_.items.rbegin(), market_.items.rend());
  ASSERT_TRUE(EvaluateConditionList({"0,0,0: x[0][100000]"}, stocks, Scope(), {{}, nullptr, 3}));
  ASSERT_GT(stocks.size(), 10u);
  for (size_t i = 1; i < stocks.size(); ++i)
    EXPECT_GT(*CodeOfItem(stocks[i - 1]), *CodeOfItem(stocks[i]));
}

TEST_F(ConditionListTest, ProgressCountsEveryStockAndCancelLeavesTheList) {
  for (int threads : {1, 2}) {
    SCOPED_TRACE(threads);
    std::vector<size_t> reports;
    ScreeningRun run;
    run.threads = threads;
    run.progress = [&](size_t done, size_t total) {
      EXPECT_EQ(total, market_.items.size());
      reports.push_back(done);
    };
    Items stocks = market_.items;
    EvaluateConditionList({"14,0,0: x[0]"}, stocks, Scope(), run);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), market_.items.size());
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));

    std::atomic<bool> cancel{false};
    run.cancel = &cancel;
    run.progress = [&](size_t, size_t) { cancel = true; };
    stocks = market_.items;
    EXPECT_FALSE(EvaluateConditionList({"14,0,0: x[0]"}, stocks, Scope(), run));
    EXPECT_EQ(stocks, market_.items);
  }
}

TEST_F(ConditionListTest, ADamagedYearFileEndsTheRun) {
  std::filesystem::resize_file(store_.Folder().YearFile(2023), kDirectoryBytes + 100);
  for (int threads : {1, 3}) {
    Items stocks = market_.items;
    EXPECT_THROW(EvaluateConditionList({"14,0,0: x[0]"}, stocks, Scope(), {{}, nullptr, threads}),
                 FileError);
    EXPECT_EQ(stocks, market_.items);
  }
}

// The signal display's way: the series is already loaded and the current price is its last
// close, with the volume the caller gives.
TEST_F(ConditionListTest, PreloadedSeriesPassesOnlyWhenEveryConditionPasses) {
  const int code = market_.codes[1];
  auto series = std::make_unique<ScreeningSeries>();
  const int b = LoadScreeningSeries(store_.Folder(), code, 300, true, DayOf(20230630),
                                    DayOf(20230710), *series);
  ASSERT_GT(b, 100);
  const std::string close = std::to_string((*series)[b].close);
  const Lines price_is_close = {"0,0,0: x[" + close + "][" + close + "]"};
  EXPECT_TRUE(EvaluateConditionList(price_is_close, code, *series, b, 0, Scope()));
  const auto record = ReadFinancialRecordOrNone(store_.Folder().DataDir(), code);
  ASSERT_TRUE(record && record->unit_shares > 0);
  const std::string per_unit = std::to_string(12000 / record->unit_shares);
  const Lines volume = {"2,0,0: x[" + per_unit + "][" + per_unit + "]"};
  EXPECT_TRUE(EvaluateConditionList(volume, code, *series, b, 12000, Scope()));
  EXPECT_FALSE(EvaluateConditionList(volume, code, *series, b, 12001, Scope()));

  const std::string rsi_line = "14,0,0: x[0]";  // any RSI passes
  const std::string failing = "15,0,0: x[-1]";  // no RSI is below 0
  EXPECT_TRUE(EvaluateConditionList({price_is_close[0], rsi_line}, code, *series, b, 0, Scope()));
  EXPECT_FALSE(EvaluateConditionList({price_is_close[0], failing}, code, *series, b, 0, Scope()));
  EXPECT_FALSE(EvaluateConditionList({failing, price_is_close[0]}, code, *series, b, 0, Scope()));
  // Ichimoku needs more entries than ten.
  EXPECT_FALSE(EvaluateConditionList({"72,0,0: x"}, code, *series, 10, 0, Scope()));
  // Above and below the cloud exclude each other.
  EXPECT_FALSE(EvaluateConditionList({"71,0,0: x"}, code, *series, b, 0, Scope()) &&
               EvaluateConditionList({"72,0,0: x"}, code, *series, b, 0, Scope()));
}

}  // namespace
}  // namespace varnolt
