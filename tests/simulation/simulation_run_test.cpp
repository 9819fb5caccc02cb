#include "simulation/simulation_run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/random_market.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::DayOf;

// Three stocks: 1301 in check group A with a unit of 100; 1332 (unit 100) and 1333 (unit 200)
// in group B. 4 June 2001, a Monday, is a holiday. 1301 closes at 1000 on Friday 1 June and
// Tuesday 5 June, 1200 on Wednesday, nothing on Thursday and 1300 on Friday 8 June.
class SimulationRunTest : public ::testing::Test {
 protected:
  SimulationRunTest() {
    store_.WriteCatalogue({"1301", "極洋水産", "●水産・農林業●○東証一部○◎A◎",  //
                           "1332", "日本水産", "●水産・農林業●○東証一部○◎B◎",  //
                           "1333", "大洋漁業", "●水産・農林業●○東証一部○◎B◎"});
    store_.WriteHolidays({"2001/06/04"});
    for (const auto& [day, close] :
         {std::pair{20010601, 1000}, {20010605, 1000}, {20010606, 1200}, {20010608, 1300}}) {
      store_.Close(1301, day, close);
    }
    for (const int day : {20010601, 20010605, 20010606}) {
      store_.Close(1332, day, 500);
      store_.Close(1333, day, 3000);
    }
    store_.Flush();
    testing::WriteFinanceFile(
        store_,
        {{1301, {0, 0, 0, 0, 0, 100}}, {1332, {0, 0, 0, 0, 0, 100}}, {1333, {0, 0, 0, 0, 0, 200}}});
    buy_a_ = WriteSet("buy_a.ini", "---screening---,check,◎A◎",
                      "0,0,0: 現在の終値が[1000]以上[1000]以下");
    buy_b_ =
        WriteSet("buy_b.ini", "---screening---,check,◎B◎", "0,0,0: 現在の終値が[1]以上[99999]以下");
    sell_high_ = WriteSet("sell_high.ini", "---screening---,0,0",
                          "0,0,0: 現在の終値が[1200]以上[99999]以下");
    sell_any_ =
        WriteSet("sell_any.ini", "---screening---,0,0", "0,0,0: 現在の終値が[1000]以上[99999]以下");
  }

  std::string WriteSet(const std::string& name, const std::string& selection,
                       const std::string& condition) const {
    const auto path = store_.Folder().DataDir() / name;
    WriteLines(path, {selection, condition});
    return path.string();
  }

  SimulationJob Job(int32_t start, int32_t end, const std::string& buy,
                    const std::string& sell) const {
    SimulationJob job;
    job.start = DayOf(start);
    job.end = DayOf(end);
    job.budget = 3000000;
    job.upper = 1000000;
    job.lower = 100000;
    job.buy = {buy};
    job.sell = {sell};
    return job;
  }

  Lines Run(const SimulationJob& job, int plan = 0, const SimulationProgress& progress = {}) {
    const auto fees = MakeFeePlan(plan, ScheduleOf(DefaultChargeTexts()));
    const SimulationScope scope{store_.Folder(), controls_, DayOf(20010615), *fees};
    return RunJob(job, scope, progress);
  }

  testing::TempFolder temp_;
  testing::PriceStore store_{temp_.Path()};
  ControlValues controls_ = ControlValues::Defaults();
  std::string buy_a_, buy_b_, sell_high_, sell_any_;
};

// Chosen on Friday, bought on Tuesday after the Monday holiday; chosen for sale on Wednesday,
// no price on Thursday, sold on Friday.
TEST_F(SimulationRunTest, ReportOfABuyAndASale) {
  EXPECT_EQ(
      Run(Job(20010601, 20010608, buy_a_, sell_high_)),
      (Lines{"●2001/06/05 : (1301)  極洋水産",
             "        200 株購入　単価   1000  計  200000円  (残高) 2800000円",
             "    <<< 以上の取引手数料:     472 円 / 資金残高: 2799528 円 / 資金＋評価額: "
             "2999528 円 >>>",
             "○2001/06/08 : (1301)  極洋水産",
             "        200 株売却　単価   1300  計  260000円  (残高) 3059528円　【損益】   "
             "60000",
             "    <<< 以上の取引手数料:     472 円 / 資金残高: 3059056 円 / 資金＋評価額: "
             "3059056 円 >>>",
             "", "------------ 保有株式 ------------", "", "---------------------------------",
             "      資　　　　　　 　金 :  3059056円", "      資   金  ＋  評価額 :  3059056円",
             "      総　　　損　　　益  :    59056円"}));
}

// Ending on Thursday, when the stock has no price: it is still to be sold and is valued at
// Wednesday's close.
TEST_F(SimulationRunTest, HoldingWithoutAPriceKeepsItsSaleAndItsLastClose) {
  const Lines report = Run(Job(20010601, 20010607, buy_a_, sell_high_));
  ASSERT_GE(report.size(), 7u);
  EXPECT_EQ(report[6], "◎ (1301)  極洋水産");
  EXPECT_EQ(report[7],
            "             株数      200  購入金額  200000円  評価額  240000円 (2001/06/06 "
            "現在)【売却予定】");
  EXPECT_EQ(report.back(), "      総　　　損　　　益  :    39528円");
}

TEST_F(SimulationRunTest, PurchaseSizeFollowsTheLimitsAndTheReserve) {
  const struct {
    int64_t budget, upper, lower;
    bool over;
    const char* purchase;  // empty: nothing bought
  } cases[] = {
      {3000000, 1000000, 100000, false,
       "        200 株購入　単価   1000  計  200000円  (残高) 2800000円"},
      {3000000, 1000000, 100000, true,
       "       1000 株購入　単価   1000  計 1000000円  (残高) 2000000円"},
      {3000000, 250000, 100000, true,
       "        200 株購入　単価   1000  計  200000円  (残高) 2800000円"},
      {150000, 1000000, 50000, false,
       "        100 株購入　単価   1000  計  100000円  (残高)   50000円"},
      {105000, 1000000, 50000, false, ""},
      {3000000, 150000, 100000, false, ""},
  };
  for (const auto& c : cases) {
    SimulationJob job = Job(20010601, 20010605, buy_a_, sell_high_);
    job.budget = c.budget;
    job.upper = c.upper;
    job.lower = c.lower;
    job.over = c.over;
    const Lines report = Run(job);
    const std::string bought = report.size() > 1 && report[0].starts_with("●") ? report[1] : "";
    EXPECT_EQ(bought, c.purchase) << c.budget << " " << c.upper << " " << c.lower;
  }
}

// 150,000 yen of 1332 and 600,000 yen of 1333 on one day.
TEST_F(SimulationRunTest, FeePlansChargeTheDay) {
  const SimulationJob job = Job(20010601, 20010605, buy_b_, sell_high_);
  const Lines per_trade = Run(job, 0);
  ASSERT_GE(per_trade.size(), 5u);
  EXPECT_EQ(per_trade[1], "        300 株購入　単価    500  計  150000円  (残高) 2850000円");
  EXPECT_EQ(per_trade[3], "        200 株購入　単価   3000  計  600000円  (残高) 2250000円");
  EXPECT_EQ(per_trade[4],
            "    <<< 以上の取引手数料:    1312 円 / 資金残高: 2248688 円 / 資金＋評価額: "
            "2998688 円 >>>");
  const Lines daily = Run(job, 1);
  ASSERT_GE(daily.size(), 5u);
  EXPECT_EQ(daily[4],
            "    <<< 以上の取引手数料:     840 円 / 資金残高: 2249160 円 / 資金＋評価額: "
            "2999160 円 >>>");
  const Lines monthly = Run(job, 2);
  ASSERT_GE(monthly.size(), 6u);
  EXPECT_EQ(monthly[0],
            "    <<<<<  6月の月定額手数料:    1575 円 / 資金残高: 2998425 円 / 資金＋評価額: "
            "2998425 円 >>>>>");
  EXPECT_EQ(monthly[1], "●2001/06/05 : (1332)  日本水産");
  EXPECT_EQ(monthly[5], "");  // no fee line for the day
}

TEST_F(SimulationRunTest, MonthlyFeeAtTheStartAndOnANewMonthsFirstTradingDay) {
  const Lines report = Run(Job(20010115, 20010205, buy_a_, sell_high_), 2);
  ASSERT_GE(report.size(), 2u);
  EXPECT_EQ(report[0],
            "    <<<<<  1月の月定額手数料:    1575 円 / 資金残高: 2998425 円 / 資金＋評価額: "
            "2998425 円 >>>>>");
  EXPECT_EQ(report[1],
            "    <<<<<  2月の月定額手数料:    1575 円 / 資金残高: 2996850 円 / 資金＋評価額: "
            "2996850 円 >>>>>");
  EXPECT_EQ(report[2], "");
}

TEST_F(SimulationRunTest, BoughtStockIsConsideredForSaleTheSameEvening) {
  const Lines report = Run(Job(20010601, 20010606, buy_a_, sell_any_));
  ASSERT_GE(report.size(), 5u);
  EXPECT_EQ(report[0], "●2001/06/05 : (1301)  極洋水産");
  EXPECT_EQ(report[3], "○2001/06/06 : (1301)  極洋水産");
}

TEST_F(SimulationRunTest, CancelStopsTheDayLoopAndEveryLaterReservation) {
  const SimulationJob job = Job(20010601, 20010608, buy_a_, sell_high_);
  Lines reservations{"【予約】"};
  for (int n = 1; n <= 2; ++n) {
    const Lines lines{
        std::to_string(job.start) + "," + std::to_string(job.end) + ",3000000,1000000,100000",
        "false",
        "false",
        buy_a_,
        "-buy end-",
        sell_high_,
        "-sell end-"};
    reservations.insert(reservations.end(), lines.begin(), lines.end());
    reservations.push_back(ReservationSeparator(n));
  }
  std::atomic<bool> cancel{false};
  SimulationProgress progress;
  progress.cancel = &cancel;
  std::vector<DayNumber> days;
  progress.day = [&](DayNumber t) {
    days.push_back(t);
    if (t == DayOf(20010606)) cancel = true;
  };
  std::vector<std::pair<int, Lines>> saved;
  const auto fees = MakeFeePlan(0, ScheduleOf(DefaultChargeTexts()));
  const SimulationScope scope{store_.Folder(), controls_, DayOf(20010615), *fees};
  RunReservations(reservations, scope, progress,
                  [&](int n, const Lines& report) { saved.emplace_back(n, report); });
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].first, 1);
  EXPECT_EQ(days.back(), DayOf(20010606));
  EXPECT_EQ(days.size(), 6u);
  const Lines& report = saved[0].second;
  EXPECT_NE(std::find(report.begin(), report.end(),
                      "             株数      200  購入金額  200000円  評価額  240000円 "
                      "(2001/06/06 現在)"),
            report.end());

  // Without the cancel both jobs run and are saved as simulation_1 and _2.
  cancel = false;
  progress.day = nullptr;
  RunReservations(reservations, scope, progress, [&](int n, const Lines& report_n) {
    SaveSimulationReport(store_.Folder(), n, report_n);
  });
  EXPECT_EQ(ReadLines(store_.Folder().DataDir() / "simulation_2.txt"),
            Run(Job(20010601, 20010608, buy_a_, sell_high_)));
  EXPECT_TRUE(std::filesystem::exists(store_.Folder().DataDir() / "simulation_1.txt"));
}

TEST_F(SimulationRunTest, MissingConditionFileEndsTheRun) {
  EXPECT_THROW(Run(Job(20010601, 20010608, buy_a_, (temp_.Path() / "none.ini").string())),
               std::exception);
}

}  // namespace
}  // namespace varnolt
