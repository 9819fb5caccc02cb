#include "series/series_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/text_file.h"
#include "chart/data_set.h"
#include "series/bar_list.h"
#include "series/calendar.h"
#include "store/year_file.h"
#include "support/price_store.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::DayOf;
using testing::PriceStore;

constexpr const char* kBadStart = "はじめの日を正しく入力して下さい";
constexpr const char* kBadEnd = "終わりの日を正しく入力して下さい";
constexpr const char* kBadStock = "銘柄コードまたは銘柄名を正しく入力してください";
constexpr const char* kTooMany = "データ量が多すぎます";
constexpr const char* kNoData = "その期間の指定銘柄のデータはありません";
constexpr const char* kReportHeader = "【株価データがない日】\r\n";

constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();

// Two names share the prefix "東海自動車"; the parts maker comes first in the file.
const Lines kCatalogue = {
    "1301", "架空水産",       "●水産・農林業●○東証一部○",
    "7211", "東海自動車部品", "●輸送用機器●○東証一部○",
    "7203", "東海自動車",     "●輸送用機器●○東証一部○",
    "8001", "西海商事",       "●卸売業●○東証一部○",
};

Bar MakeBar(int32_t date, int32_t open, int32_t high, int32_t low, int32_t close, int32_t volume,
            float split = 0) {
  return Bar{date, open, high, low, close, volume, split};
}

// The list box lines of a loaded series, each formatted as the list asks for it.
std::vector<std::string> ListLines(const LoadedSeries& series) {
  std::vector<std::string> lines;
  for (int row = 0; row < BarListCount(series); ++row) lines.push_back(BarListLine(series, row));
  return lines;
}

class LoadSeriesTest : public ::testing::Test {
 protected:
  LoadSeriesTest() : store_(temp_.Path()) { store_.WriteCatalogue(kCatalogue); }

  LoadOutcome Load(const std::string& code, const std::string& start, const std::string& end,
                   DataUnit unit = DataUnit::kDay, bool adjust = true) {
    LoadRequest request;
    request.code_or_name = code;
    request.start = start;
    request.end = end;
    request.unit = unit;
    request.adjust = adjust;
    return LoadDataSet(data_, request, store_.Folder(), today_);
  }

  // The state a successful earlier load leaves behind.
  void GivePreviousLoad() {
    data_.bars.Clear();
    data_.bars.Append(MakeBar(19990104, 10, 12, 9, 11, 100));
    data_.bars.Append(MakeBar(19990105, 11, 13, 10, 12, 200));
    data_.first_shown = 2;
    data_.loaded = true;
    data_.chart_shown = true;
    data_.current_code = 1301;
    data_.command_record = "1,株価,1,10,";
  }

  std::vector<Bar> Bars() const { return data_.bars.All(); }

  varnolt::testing::TempFolder temp_;
  PriceStore store_;
  DataSet data_;
  DayNumber today_ = DayOf(20060630);
};

// ---------------------------------------------------------------------------------------------
// Messages and the state each one leaves

TEST_F(LoadSeriesTest, RejectedInputChangesNothing) {
  const struct {
    const char* start;
    const char* end;
    const char* code;
    const char* message;
  } cases[] = {
      {"20040230", "20040331", "7203", kBadStart},
      {"abc", "20040331", "7203", kBadStart},
      {"", "20040331", "7203", kBadStart},
      {"2004/03/01", "20040331", "7203", kBadStart},
      {"abc", "", "", kBadStart},  // the first failing check speaks
      {"20040301", "20040229", "7203", kBadEnd},
      {"20040301", "", "7203", kBadEnd},
      {"20040301", "20041301", "7203", kBadEnd},
      {"20040301", "abc", "", kBadEnd},
      {"20040301", "20040331", "", kBadStock},
      {"20040301", "20040331", "北海", kBadStock},
      {"20040301", "20040331", "●水産", kBadStock},  // attribute lines are not names
      {"20040301", "20040331", "東海自動車部品工業", kBadStock},
  };
  store_.Close(7203, 20040310, 1000).Flush();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " / " + c.end + " / " + c.code);
    GivePreviousLoad();
    const std::vector<Bar> before = Bars();
    const LoadOutcome outcome = Load(c.code, c.start, c.end);
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_FALSE(outcome.code_box);
    EXPECT_FALSE(outcome.start_box);
    EXPECT_FALSE(outcome.end_box);
    EXPECT_FALSE(outcome.relist);
    EXPECT_FALSE(outcome.report);
    EXPECT_FALSE(outcome.clear_readouts);
    EXPECT_EQ(Bars(), before);
    EXPECT_EQ(data_.first_shown, 2);
    EXPECT_TRUE(data_.loaded);
    EXPECT_TRUE(data_.chart_shown);
    EXPECT_EQ(data_.current_code, 1301);
    EXPECT_EQ(data_.command_record, "1,株価,1,10,");
  }
}

TEST_F(LoadSeriesTest, NoBarFromTheStartOnFailsButReportsAndClears) {
  // Prices only in the warm-up stretch before 1 March, and a stock with no prices at all.
  store_.Close(7203, 20040220, 1000).Close(7203, 20040227, 1010).Flush();
  for (const char* code : {"7203", "8001"}) {
    SCOPED_TRACE(code);
    GivePreviousLoad();
    const std::vector<Bar> before = Bars();
    const LoadOutcome outcome = Load(code, "20040301", "20040331");
    EXPECT_EQ(outcome.message, kNoData);
    EXPECT_FALSE(data_.loaded);
    EXPECT_FALSE(data_.chart_shown);
    EXPECT_EQ(data_.current_code, std::stoi(code));
    EXPECT_EQ(data_.command_record, "");
    EXPECT_TRUE(outcome.clear_readouts);
    ASSERT_TRUE(outcome.report);
    EXPECT_TRUE(outcome.report->starts_with(kReportHeader));
    EXPECT_NE(outcome.report->find("2004/03/31\r\n"), std::string::npos);
    EXPECT_EQ(outcome.report->find("2004/02/"), std::string::npos);
    EXPECT_TRUE(outcome.code_box);
    EXPECT_FALSE(outcome.relist);
    EXPECT_FALSE(outcome.start_box);
    EXPECT_FALSE(outcome.end_box);
    // The old bars stay, unused while the loaded flag is clear.
    EXPECT_EQ(Bars(), before);
    EXPECT_EQ(data_.first_shown, 2);
  }
}

// Writes closes on `count` consecutive storable days ending ten days before 31 December 2004
// and returns the start date that makes the first of them the first day of a daily load.
std::string WriteDailyRun(PriceStore& store, int count) {
  DayNumber day = DayOf(20041220);
  DayNumber earliest = day;
  for (int written = 0; written < count; --day) {
    const CivilDate date = CivilFromDay(day);
    if (date.month == 12 && date.day == 31 && day - DayFromCivil(date.year, 1, 1) == 365) continue;
    store.Close(7203, DayToCompactInt(day), 100 + written % 50, 1);
    earliest = day;
    ++written;
  }
  // A split on a day without a close after the last bar.
  store.Split(7203, 20041225, 2.0f);
  store.Flush();
  return DayToCompact(earliest + 160);
}

TEST_F(LoadSeriesTest, TenThousandBarsLoadAndOneMoreIsTooMuch) {
  {
    const std::string start = WriteDailyRun(store_, 10000);
    const LoadOutcome outcome = Load("7203", start, "20041231");
    EXPECT_EQ(outcome.message, "");
    EXPECT_EQ(data_.bars.Count(), 10000);
    ASSERT_TRUE(outcome.relist);
    EXPECT_EQ(BarListCount(data_), 10000 - data_.first_shown + 1);
    EXPECT_EQ(data_.bars[1].date, DayToCompactInt(CompactToDay(start) - 160));
    EXPECT_EQ(data_.bars[10000].date, 20041220);
  }

  varnolt::testing::TempFolder other;
  PriceStore store(other.Path());
  store.WriteCatalogue(kCatalogue);
  const std::string start = WriteDailyRun(store, 10001);
  GivePreviousLoad();
  const std::vector<Bar> before = Bars();
  LoadRequest request{start, "20041231", "7203", DataUnit::kDay, true};
  const LoadOutcome outcome = LoadDataSet(data_, request, store.Folder(), today_);
  EXPECT_EQ(outcome.message, kTooMany);
  EXPECT_FALSE(data_.loaded);
  EXPECT_FALSE(data_.chart_shown);
  EXPECT_EQ(data_.current_code, 7203);
  EXPECT_EQ(outcome.code_box, "7203 : 東海自動車");
  // The load stops while forming bars: no report, no list, and the command record and the
  // readouts stay.
  EXPECT_FALSE(outcome.report);
  EXPECT_FALSE(outcome.relist);
  EXPECT_FALSE(outcome.start_box);
  EXPECT_FALSE(outcome.clear_readouts);
  EXPECT_EQ(data_.command_record, "1,株価,1,10,");
  EXPECT_EQ(Bars(), before);
  EXPECT_EQ(data_.first_shown, 2);
}

TEST_F(LoadSeriesTest, SuccessfulLoadSetsTheDataSet) {
  store_.Close(7203, 20040310, 1000).Flush();
  GivePreviousLoad();
  const LoadOutcome outcome = Load("7203", "20040301", "20040331", DataUnit::kMonth, false);
  EXPECT_EQ(outcome.message, "");
  EXPECT_TRUE(data_.loaded);
  EXPECT_FALSE(data_.chart_shown);
  EXPECT_EQ(data_.current_code, 7203);
  EXPECT_EQ(data_.command_record, "");
  EXPECT_TRUE(outcome.clear_readouts);
  EXPECT_EQ(data_.unit, DataUnit::kMonth);
  EXPECT_FALSE(data_.adjusted);
  EXPECT_EQ(data_.volume_divisor, 1);
  // The earlier bars are replaced whole.
  EXPECT_EQ(Bars(), std::vector<Bar>{MakeBar(20040310, 1000, 1000, 1000, 1000, 0)});
  EXPECT_EQ(data_.first_shown, 1);
}

// ---------------------------------------------------------------------------------------------
// The catalogue

TEST_F(LoadSeriesTest, ResolvesCodesAndNamePrefixes) {
  store_.Close(7203, 20040310, 1000)
      .Close(7211, 20040310, 2000)
      .Close(8001, 20040310, 3000)
      .Close(9999, 20040310, 4000)
      .Flush();
  const struct {
    const char* input;
    std::optional<std::string> code_box;
    int code;
    int32_t close;
  } cases[] = {
      {"7203", "7203 : 東海自動車", 7203, 1000},
      {"7203 : 東海自動車", "7203 : 東海自動車", 7203, 1000},  // the box after a load
      {"東海自動車", "7211 : 東海自動車部品", 7211, 2000},     // first match in file order
      {"東海自動車部品", "7211 : 東海自動車部品", 7211, 2000},
      {"西海", "8001 : 西海商事", 8001, 3000},
      {"9999", std::nullopt, 9999, 4000},  // not in the catalogue: loads, keeps the text
  };
  // One data set throughout: every load replaces the bars of the one before.
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    const LoadOutcome outcome = Load(c.input, "20040301", "20040331");
    EXPECT_EQ(outcome.message, "");
    EXPECT_EQ(outcome.code_box, c.code_box);
    EXPECT_EQ(data_.current_code, c.code);
    ASSERT_EQ(data_.bars.Count(), 1);
    EXPECT_EQ(data_.bars[1].close, c.close);
  }
}

TEST_F(LoadSeriesTest, ReadsTheCatalogueAndHolidaysAfreshOnEveryLoad) {
  store_.Close(7203, 20040302, 1000).Close(7211, 20040302, 2000).Flush();
  store_.WriteHolidays({"2004/03/03"});
  today_ = DayOf(20040305);
  LoadOutcome outcome = Load("東海自動車", "20040302", "20040305");
  EXPECT_EQ(data_.current_code, 7211);
  EXPECT_EQ(outcome.report, std::string(kReportHeader) + "2004/03/04\r\n2004/03/05\r\n");

  store_.WriteCatalogue({"7203", "東海自動車", "●輸送用機器●○東証一部○"});
  store_.WriteHolidays({"2004/03/04"});
  outcome = Load("東海自動車", "20040302", "20040305");
  EXPECT_EQ(data_.current_code, 7203);
  EXPECT_EQ(outcome.report, std::string(kReportHeader) + "2004/03/03\r\n2004/03/05\r\n");
}

// ---------------------------------------------------------------------------------------------
// Warm-up history before the requested start

TEST_F(LoadSeriesTest, LoadsWarmUpHistoryBeforeTheStart) {
  const struct {
    DataUnit unit;
    const char* start;
    int32_t load_start;  // first day read
    int32_t warm_up;     // a day between the load start and the requested start
    int32_t shown;       // the first day with prices on or after the requested start
    const char* start_box;
  } cases[] = {
      {DataUnit::kDay, "20040301", 20030923, 20040227, 20040301, "20040301"},      // 160 days
      {DataUnit::kWeek, "20040303", 20020819, 20040227, 20040302, "20040301"},     // 80 weeks
      {DataUnit::kMonth, "20040315", 19970701, 20040227, 20040302, "20040301"},    // 80 months
      {DataUnit::kQuarter, "20040215", 19840101, 20031231, 20040105, "20040101"},  // 80 quarters
      {DataUnit::kYear, "20040615", 19240101, 20031231, 20040105, "20040101"},     // 80 years
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.unit));
    varnolt::testing::TempFolder folder;
    PriceStore store(folder.Path());
    store.WriteCatalogue(kCatalogue);
    const DayNumber load_start = DayOf(c.load_start);
    // A day with prices and a split just before the load start must not be read.
    store.Close(7203, DayToCompactInt(load_start - 1), 999)
        .Split(7203, DayToCompactInt(load_start - 1), 2.0f)
        .Close(7203, c.load_start, 100)
        .Close(7203, c.warm_up, 200)
        .Close(7203, c.shown, 300)
        .Flush();
    DataSet data;
    LoadRequest request{c.start, c.start, "7203", c.unit, true};
    const LoadOutcome outcome = LoadSeries(data, request, store.Folder(), today_);
    ASSERT_EQ(outcome.message, "");
    EXPECT_EQ(data.bars.All(), (std::vector<Bar>{MakeBar(c.load_start, 100, 100, 100, 100, 0),
                                                 MakeBar(c.warm_up, 200, 200, 200, 200, 0),
                                                 MakeBar(c.shown, 300, 300, 300, 300, 0)}));
    EXPECT_EQ(data.first_shown, 3);
    ASSERT_TRUE(outcome.relist);
    ASSERT_EQ(BarListCount(data), 1);
    EXPECT_TRUE(BarListLine(data, 0).starts_with(std::to_string(c.shown)));
    EXPECT_EQ(outcome.start_box, c.start_box);
  }
}

TEST_F(LoadSeriesTest, FirstDisplayedBarIsTheFirstOnOrAfterTheStart) {
  // Nothing on Monday 1 March: the list starts on Tuesday.
  store_.Close(7203, 20040226, 90)
      .Close(7203, 20040227, 95)
      .Close(7203, 20040302, 100)
      .Close(7203, 20040303, 101)
      .Flush();
  const LoadOutcome outcome = Load("7203", "20040301", "20040331");
  ASSERT_EQ(outcome.message, "");
  EXPECT_EQ(data_.bars.Count(), 4);
  EXPECT_EQ(data_.first_shown, 3);
  EXPECT_EQ(data_.bars[3].date, 20040302);
  ASSERT_TRUE(outcome.relist);
  ASSERT_EQ(BarListCount(data_), 2);
  EXPECT_TRUE(BarListLine(data_, 0).starts_with("20040302 ,"));
  EXPECT_TRUE(BarListLine(data_, 1).starts_with("20040303 ,"));
}

// ---------------------------------------------------------------------------------------------
// Bars of the data units

TEST_F(LoadSeriesTest, DateBoxesSnapToTheUnit) {
  store_.Close(7203, 20040610, 500).Flush();
  const struct {
    DataUnit unit;
    const char* start;
    const char* end;
    const char* start_box;
    const char* end_box;
  } cases[] = {
      {DataUnit::kDay, "20040608", "20040612", "20040608", "20040612"},
      {DataUnit::kWeek, "20040609", "20040609", "20040607", "20040611"},  // Wed → Mon, Fri
      {DataUnit::kWeek, "20040605", "20040612", "20040607", "20040618"},  // Saturdays
      {DataUnit::kMonth, "20040615", "20040615", "20040601", "20040630"},
      {DataUnit::kQuarter, "20040501", "20040501", "20040401", "20040630"},
      {DataUnit::kYear, "20040610", "20040610", "20040101", "20041231"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " " + c.end);
    const LoadOutcome outcome = Load("7203", c.start, c.end, c.unit);
    ASSERT_EQ(outcome.message, "");
    EXPECT_EQ(outcome.start_box, c.start_box);
    EXPECT_EQ(outcome.end_box, c.end_box);
  }
}

TEST_F(LoadSeriesTest, WeeklyBarsRunFromTheFirstDayWithPricesToSaturday) {
  store_.Day(7203, 20040308, 200, 210, 195, 205, 1000)
      .Day(7203, 20040309, 205, 215, 0, 212, 2000)  // no low
      .Day(7203, 20040310, 212, 220, 190, 191, 3000)
      .Day(7203, 20040312, 191, 199, 188, 198, 4000)
      // Monday 15 March is a holiday; the week opens on Tuesday with no open price.
      .Day(7203, 20040316, 0, 205, 197, 201, 500)
      .Day(7203, 20040319, 202, 230, 199, 225, 600)
      .Day(7203, 20040320, 225, 240, 224, 238, 50)  // a Saturday session belongs to the week
      .Day(7203, 20040322, 238, 0, 0, 236, 70)
      .Day(7203, 20040323, 236, 239, 0, 237, 80)
      .Day(7203, 20040326, 237, 238, 0, 233, 90)
      .Day(7203, 20040327, 1, 9999, 1, 9999, 99999)  // after the snapped end
      .Flush();
  store_.WriteHolidays({"2004/03/15"});
  const LoadOutcome outcome = Load("7203", "20040310", "20040324", DataUnit::kWeek);
  ASSERT_EQ(outcome.message, "");
  EXPECT_EQ(Bars(), (std::vector<Bar>{
                        MakeBar(20040308, 200, 220, 188, 198, 10000),
                        MakeBar(20040316, 201, 240, 197, 238, 1150),
                        MakeBar(20040322, 238, 239, 0, 233, 240),
                    }));
  EXPECT_EQ(data_.first_shown, 1);
  EXPECT_EQ(outcome.start_box, "20040308");
  EXPECT_EQ(outcome.end_box, "20040326");
}

TEST_F(LoadSeriesTest, MonthQuarterAndYearBars) {
  store_.Day(7203, 20040105, 0, 110, 0, 105, 1000)
      .Day(7203, 20040106, 104, 120, 95, 118, 2000)
      .Day(7203, 20040130, 118, 119, 90, 100, 3000)
      .Day(7203, 20040202, 101, 101, 0, 99, 500)
      .Day(7203, 20040203, 99, 0, 0, 98, 0)
      .Day(7203, 20040331, 97, 130, 96, 125, 700)
      .Day(7203, 20040506, 126, 127, 120, 121, 100)
      .Day(7203, 20041230, 130, 140, 129, 139, 10)
      .Day(7203, 20050104, 140, 150, 135, 149, 20)
      .Day(7203, 20050331, 150, 160, 145, 155, 30)
      .Flush();
  const struct {
    DataUnit unit;
    const char* start;
    const char* end;
    const char* end_box;
    std::vector<Bar> bars;
  } cases[] = {
      {DataUnit::kMonth,
       "20040115",
       "20040520",
       "20040531",
       {MakeBar(20040105, 105, 120, 90, 100, 6000), MakeBar(20040202, 101, 101, 0, 98, 500),
        MakeBar(20040331, 97, 130, 96, 125, 700), MakeBar(20040506, 126, 127, 120, 121, 100)}},
      {DataUnit::kQuarter,
       "20040215",
       "20050215",
       "20050331",
       {MakeBar(20040105, 105, 130, 90, 125, 7200), MakeBar(20040506, 126, 127, 120, 121, 100),
        MakeBar(20041230, 130, 140, 129, 139, 10), MakeBar(20050104, 140, 160, 135, 155, 50)}},
      {DataUnit::kYear,
       "20040615",
       "20050101",
       "20051231",
       {MakeBar(20040105, 105, 140, 90, 139, 7310), MakeBar(20050104, 140, 160, 135, 155, 50)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.unit));
    const LoadOutcome outcome = Load("7203", c.start, c.end, c.unit);
    ASSERT_EQ(outcome.message, "");
    EXPECT_EQ(Bars(), c.bars);
    EXPECT_EQ(data_.first_shown, 1);
    EXPECT_EQ(outcome.start_box, "20040101");
    EXPECT_EQ(outcome.end_box, c.end_box);
  }
}

// ---------------------------------------------------------------------------------------------
// Restating prices across splits and merges

TEST_F(LoadSeriesTest, SplitHalvesEarlierPricesAndDoublesEarlierVolumes) {
  store_.Day(7203, 20040311, 1001, 1003, 999, 1002, 100)
      .Day(7203, 20040312, 1005, 1007, 1000, 1004, 333)
      .Day(7203, 20040315, 502, 510, 500, 505, 600)
      .Split(7203, 20040315, 2.0f)
      .Day(7203, 20040316, 505, 506, 501, 503, 700)
      .Flush();

  LoadOutcome outcome = Load("7203", "20040301", "20040331");
  ASSERT_EQ(outcome.message, "");
  // Halves round to even: 500.5 → 500, 501.5 → 502, 499.5 → 500, 502.5 → 502, 503.5 → 504.
  EXPECT_EQ(Bars(), (std::vector<Bar>{
                        MakeBar(20040311, 500, 502, 500, 501, 200),
                        MakeBar(20040312, 502, 504, 500, 502, 666),
                        MakeBar(20040315, 502, 510, 500, 505, 600, 2.0f),
                        MakeBar(20040316, 505, 506, 501, 503, 700),
                    }));
  ASSERT_TRUE(outcome.relist);
  ASSERT_EQ(BarListCount(data_), 4);
  EXPECT_EQ(BarListLine(data_, 1),
            "20040312 ,       502 ,       504 ,       500 ,       502 (調整値) , 666");
  EXPECT_EQ(BarListLine(data_, 2),
            "20040315 ,       502 ,       510 ,       500 ,       505 (調整値) , 600 , "
            "株式分割： １ 株 → 2 株");

  // The week that holds the split carries it.
  outcome = Load("7203", "20040308", "20040319", DataUnit::kWeek);
  ASSERT_EQ(outcome.message, "");
  EXPECT_EQ(Bars(), (std::vector<Bar>{
                        MakeBar(20040311, 500, 504, 500, 502, 866),
                        MakeBar(20040315, 502, 510, 500, 503, 1300, 2.0f),
                    }));
  ASSERT_TRUE(outcome.relist);
  EXPECT_TRUE(BarListLine(data_, 1).ends_with(" , 1300 , 株式分割： １ 株 → 2 株"));

  // Without adjusting the prices are as traded; the split is still shown.
  outcome = Load("7203", "20040301", "20040331", DataUnit::kDay, false);
  ASSERT_EQ(outcome.message, "");
  EXPECT_EQ(Bars(), (std::vector<Bar>{
                        MakeBar(20040311, 1001, 1003, 999, 1002, 100),
                        MakeBar(20040312, 1005, 1007, 1000, 1004, 333),
                        MakeBar(20040315, 502, 510, 500, 505, 600, 2.0f),
                        MakeBar(20040316, 505, 506, 501, 503, 700),
                    }));
  ASSERT_TRUE(outcome.relist);
  EXPECT_EQ(BarListLine(data_, 0),
            "20040311 ,      1001 ,      1003 ,       999 ,      1002 , 100");
  EXPECT_EQ(BarListLine(data_, 2),
            "20040315 ,       502 ,       510 ,       500 ,       505 , 600 , "
            "株式分割： １ 株 → 2 株");
  EXPECT_FALSE(data_.adjusted);
}

TEST_F(LoadSeriesTest, MergeMultipliesEarlierPrices) {
  store_.Day(7203, 20040312, 50, 52, 49, 51, 1234)
      .Day(7203, 20040315, 500, 530, 480, 520, 100)
      .Split(7203, 20040315, 0.1f)
      .Flush();
  const LoadOutcome outcome = Load("7203", "20040301", "20040331");
  ASSERT_EQ(outcome.message, "");
  EXPECT_EQ(Bars(), (std::vector<Bar>{
                        MakeBar(20040312, 500, 520, 490, 510, 123),
                        MakeBar(20040315, 500, 530, 480, 520, 100, 0.1f),
                    }));
  ASSERT_TRUE(outcome.relist);
  EXPECT_TRUE(BarListLine(data_, 1).ends_with(" (調整値) , 100 , 株式併合： 10 株 → １ 株"));
}

TEST_F(LoadSeriesTest, SplitsAfterTheEndRestateTheWholePeriod) {
  const struct {
    const char* name;
    std::vector<std::pair<int32_t, float>> splits;
    int32_t today;
    int32_t close30, close31, volume30, volume31;
  } cases[] = {
      {"the day after the end", {{20040401, 2.0f}}, 20060630, 300, 600, 20, 20},
      {"on the end day", {{20040331, 2.0f}}, 20060630, 300, 1200, 20, 10},
      // Later in the end's year, in a later year, in today's year after today; a split in a
      // year after today's is not looked at.
      {"later years",
       {{20041230, 2.0f}, {20050201, 1.5f}, {20061201, 2.0f}, {20070110, 3.0f}},
       20060630,
       100,
       200,
       60,
       60},
      {"today's year before the end's", {{20040401, 2.0f}}, 20031231, 600, 1200, 10, 10},
      {"a year after today's", {{20050103, 2.0f}}, 20041231, 600, 1200, 10, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    varnolt::testing::TempFolder folder;
    PriceStore store(folder.Path());
    store.WriteCatalogue(kCatalogue);
    store.Close(7203, 20040330, 600, 10).Close(7203, 20040331, 1200, 10);
    for (const auto& [date, factor] : c.splits) store.Split(7203, date, factor);
    store.Flush();
    DataSet data;
    const LoadOutcome outcome =
        LoadSeries(data, LoadRequest{"20040301", "20040331", "7203", DataUnit::kDay, true},
                   store.Folder(), DayOf(c.today));
    ASSERT_EQ(outcome.message, "");
    ASSERT_EQ(data.bars.Count(), 2);
    EXPECT_EQ(data.bars[1].close, c.close30);
    EXPECT_EQ(data.bars[1].open, c.close30);
    EXPECT_EQ(data.bars[2].close, c.close31);
    EXPECT_EQ(data.bars[1].volume, c.volume30);
    EXPECT_EQ(data.bars[2].volume, c.volume31);
  }
}

TEST_F(LoadSeriesTest, SplitsOnDaysWithoutPricesCarryIntoTheNextBar) {
  store_.Close(7203, 20040312, 900, 10)
      .Split(7203, 20040313, 1.5f)  // Saturday
      .Split(7203, 20040314, 2.0f)  // Sunday
      .Close(7203, 20040315, 300, 30)
      .Close(7203, 20040316, 301, 31)
      .Flush();
  LoadOutcome outcome = Load("7203", "20040301", "20040331");
  ASSERT_EQ(outcome.message, "");
  EXPECT_EQ(Bars(), (std::vector<Bar>{
                        MakeBar(20040312, 300, 300, 300, 300, 30),
                        MakeBar(20040315, 300, 300, 300, 300, 30, 3.0f),
                        MakeBar(20040316, 301, 301, 301, 301, 31),
                    }));
  ASSERT_TRUE(outcome.relist);
  EXPECT_TRUE(BarListLine(data_, 1).ends_with(" , 30 , 株式分割： １ 株 → 3 株"));

  // A weekly bar runs through Saturday: the Saturday split stays with its week, the Sunday
  // split goes to the next.
  outcome = Load("7203", "20040308", "20040319", DataUnit::kWeek);
  ASSERT_EQ(outcome.message, "");
  EXPECT_EQ(Bars(), (std::vector<Bar>{
                        MakeBar(20040312, 300, 300, 300, 300, 30, 1.5f),
                        MakeBar(20040315, 300, 301, 300, 301, 61, 2.0f),
                    }));
}

TEST_F(LoadSeriesTest, SplitTextShowsTheFactor) {
  const struct {
    float factor;
    const char* text;
  } cases[] = {
      {2.0f, " , 株式分割： １ 株 → 2 株"},        {1.5f, " , 株式分割： １ 株 → 1.5 株"},
      {1.2345f, " , 株式分割： １ 株 → 1.235 株"},  // three decimals
      {0.1f, " , 株式併合： 10 株 → １ 株"},       {0.5f, " , 株式併合： 2 株 → １ 株"},
      {0.3f, " , 株式併合： 3 株 → １ 株"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    varnolt::testing::TempFolder folder;
    PriceStore store(folder.Path());
    store.WriteCatalogue(kCatalogue);
    store.Close(7203, 20040310, 100, 5).Split(7203, 20040310, c.factor).Flush();
    DataSet data;
    const LoadOutcome outcome =
        LoadSeries(data, LoadRequest{"20040301", "20040331", "7203", DataUnit::kDay, false},
                   store.Folder(), today_);
    ASSERT_EQ(outcome.message, "");
    ASSERT_TRUE(outcome.relist);
    EXPECT_EQ(BarListLine(data, 0),
              std::string("20040310 ,       100 ,       100 ,       100 ,       100 , 5") + c.text);
  }
}

// ---------------------------------------------------------------------------------------------
// Volumes and their divisor

TEST_F(LoadSeriesTest, LargestVolumeChoosesTheDivisor) {
  const struct {
    int32_t monday, tuesday;  // stored volumes
    int32_t week;             // the weekly bar's volume
    int divisor;
    const char* label;
  } cases[] = {
      {1'000'000, 5, 1'000'005, 1, ""},
      {1'000'001, 0, 1'000, 1000, " （千株)"},
      {1'500'999, 1'999, 1'501, 1000, " （千株)"},  // truncated per day, then summed
      {100'000'000, 9'999, 100'009, 1000, " （千株)"},
      {100'000'001, 9'999, 10'000, 10000, " （万株)"},
      {-12'345, 5'000, 12'345, 10000, " （万株)"},  // stored in units of 10,000
      {-12'345, 25'000, 12'347, 10000, " （万株)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.monday);
    varnolt::testing::TempFolder folder;
    PriceStore store(folder.Path());
    store.WriteCatalogue(kCatalogue);
    store.Close(7203, 20040308, 100, c.monday).Close(7203, 20040309, 100, c.tuesday).Flush();
    DataSet data;
    const LoadOutcome outcome =
        LoadSeries(data, LoadRequest{"20040308", "20040312", "7203", DataUnit::kWeek, true},
                   store.Folder(), today_);
    ASSERT_EQ(outcome.message, "");
    ASSERT_EQ(data.bars.Count(), 1);
    EXPECT_EQ(data.bars[1].volume, c.week);
    ASSERT_TRUE(outcome.relist);
    EXPECT_EQ(BarListLine(data, 0),
              "20040308 ,       100 ,       100 ,       100 ,       100 (調整値) , " +
                  std::to_string(c.week) + c.label);
    EXPECT_EQ(data.volume_divisor, c.divisor);
  }
}

TEST_F(LoadSeriesTest, VolumesAboveTheLimitGrownBySplitsAreKeptInTenThousands) {
  // A day of `stored` shares and a day of 20,000 shares, with a split after the end.
  const struct {
    int32_t stored;
    float split_after;  // 0: none
    bool adjust;
    int32_t volume, other;
    const char* label;
  } cases[] = {
      {150'000'000, 2.0f, true, 30'000, 4, " （万株)"},  // 300,000,000 shares
      {150'000'000, 0, true, 15'000, 2, " （万株)"},
      {150'000'000, 2.0f, false, 15'000, 2, " （万株)"},
      // A merge shrinks the volume below the limit: shares again, in thousands.
      {150'000'000, 0.5f, true, 75'000, 10, " （千株)"},
      {-12'345, 2.0f, true, 24'690, 4, " （万株)"},
      {-12'345, 2.0f, false, 12'345, 2, " （万株)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.stored) + " " + std::to_string(c.split_after) +
                 (c.adjust ? " adjusted" : ""));
    varnolt::testing::TempFolder folder;
    PriceStore store(folder.Path());
    store.WriteCatalogue(kCatalogue);
    store.Close(7203, 20040310, 100, c.stored).Close(7203, 20040311, 100, 20'000);
    if (c.split_after != 0) store.Split(7203, 20040401, c.split_after);
    store.Flush();
    DataSet data;
    const LoadOutcome outcome =
        LoadSeries(data, LoadRequest{"20040301", "20040331", "7203", DataUnit::kDay, c.adjust},
                   store.Folder(), today_);
    ASSERT_EQ(outcome.message, "");
    ASSERT_EQ(data.bars.Count(), 2);
    EXPECT_EQ(data.bars[1].volume, c.volume);
    // The ordinary day is counted in the same unit.
    EXPECT_EQ(data.bars[2].volume, c.other);
    ASSERT_TRUE(outcome.relist);
    EXPECT_TRUE(BarListLine(data, 0).ends_with(" , " + std::to_string(c.volume) + c.label));
  }
}

TEST_F(LoadSeriesTest, RestatedPricesSaturateAndLargeVolumesCountTenThousands) {
  store_.Close(7203, 20040331, 300'000'000, 10)
      .Split(7203, 20040401, 0.1f)
      .Close(8001, 20040331, 100, 50'000'000)
      .Split(8001, 20040401, 100.0f)
      .Flush();
  Load("7203", "20040301", "20040331");
  ASSERT_EQ(data_.bars.Count(), 1);
  EXPECT_EQ(data_.bars[1].close, kMax32);
  EXPECT_EQ(data_.bars[1].high, kMax32);
  Load("8001", "20040301", "20040331");
  ASSERT_EQ(data_.bars.Count(), 1);
  EXPECT_EQ(data_.bars[1].close, 1);
  EXPECT_EQ(data_.volume_divisor, 10000);
  // The restated 5,000,000,000 shares do not fit 32 bits: they are kept in units of 10,000.
  EXPECT_EQ(data_.bars[1].volume, 500000);
}

// ---------------------------------------------------------------------------------------------
// The list lines

TEST_F(LoadSeriesTest, ListLinesHaveFixedColumns) {
  store_.Day(7203, 20040308, 123456789, 123456789, 7, 1000, 1'500'000)
      .Day(7203, 20040309, 5, 5, 5, 5, 999)
      .Flush();
  const LoadOutcome outcome = Load("7203", "20040301", "20040331", DataUnit::kDay, false);
  ASSERT_EQ(outcome.message, "");
  EXPECT_EQ(ListLines(data_),
            (std::vector<std::string>{
                "20040308 , 123456789 , 123456789 ,         7 ,      1000 , 1500 （千株)",
                "20040309 ,         5 ,         5 ,         5 ,         5 , 0 （千株)",
            }));
}

// ---------------------------------------------------------------------------------------------
// The report of trading days without prices

class LoadSeriesReportTest : public LoadSeriesTest {
 protected:
  LoadSeriesReportTest() {
    today_ = DayOf(20040326);
    const std::vector<int32_t> missing = {20040302, 20040309, 20040310, 20040315, 20040322,
                                          20040325, 20040326, 20040329, 20040330, 20040331};
    // Warm-up weekdays without prices are never reported.
    store_.Close(7203, 20040226, 100);
    for (DayNumber day = DayOf(20040301); day <= DayOf(20040331); ++day) {
      const int32_t date = DayToCompactInt(day);
      if (Weekday(day) < 2 || std::count(missing.begin(), missing.end(), date)) continue;
      store_.Close(7203, date, 100);
    }
    store_.Flush();
  }
};

TEST_F(LoadSeriesReportTest, ListsTradingDaysFromTheStartUpToToday) {
  // 10 March by date, 14 March a Sunday (so Monday 15 March is off), 22 March every year.
  store_.WriteHolidays({"01/01", "2004/03/10", "2004/03/14", "03/22"});
  const std::string expected =
      std::string(kReportHeader) + "2004/03/02\r\n2004/03/09\r\n2004/03/25\r\n2004/03/26\r\n";
  // Weekly: the typed Wednesday start snaps to Monday 1 March, so 2 March is reported.
  for (const auto& [unit, start] :
       {std::pair{DataUnit::kDay, "20040301"}, std::pair{DataUnit::kWeek, "20040303"}}) {
    SCOPED_TRACE(start);
    const LoadOutcome outcome = Load("7203", start, "20040331", unit);
    ASSERT_EQ(outcome.message, "");
    EXPECT_EQ(outcome.report, expected);
  }
}

TEST_F(LoadSeriesReportTest, WithoutAHolidayFileEveryWeekdayCounts) {
  const LoadOutcome outcome = Load("7203", "20040301", "20040331");
  ASSERT_EQ(outcome.message, "");
  EXPECT_EQ(outcome.report, std::string(kReportHeader) +
                                "2004/03/02\r\n2004/03/09\r\n2004/03/10\r\n2004/03/15\r\n"
                                "2004/03/22\r\n2004/03/25\r\n2004/03/26\r\n");
}

// ---------------------------------------------------------------------------------------------
// The same bars computed a second way

// A random stock over 2001–2007: weekday prices on three days in four, some opens, highs and
// lows missing, and up to four splits and merges on any day. Factors are powers of 2 and 3 so
// that every product is exact in single precision. `volumes` picks the largest volumes: 0 below
// a million shares, 1 a few million, 2 also some days above 100,000,000, 3 also some stored in
// units of 10,000.
std::map<DayNumber, DayRecord> RandomStock(std::mt19937& random, int volumes) {
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<int> step(-40, 40);
  const float factors[] = {2.0f, 0.5f, 1.5f, 3.0f, 4.0f};
  std::map<DayNumber, DayRecord> days;
  int32_t price = 5000;
  int splits = 0;
  for (int year = 2001; year <= 2007; ++year) {
    for (int index = 1; index <= kDaysPerSlot; ++index) {
      const DayNumber day = DayFromCivil(year, 1, 1) + index - 1;
      DayRecord record;
      if (Weekday(day) >= 2 && unit(random) < 0.75) {
        price = std::clamp(price + step(random), 100, 50000);
        record.close = price;
        record.open = unit(random) < 0.1 ? 0 : price + step(random) / 4;
        record.high = unit(random) < 0.05 ? 0 : price + 50;
        record.low = unit(random) < 0.1 ? 0 : price - 50;
        const double kind = unit(random);
        if (volumes == 2 && kind < 0.02) {
          record.volume = 100'000'000 + static_cast<int32_t>(unit(random) * 200'000'000);
        } else if (volumes == 3 && kind < 0.02) {
          record.volume = -1 - static_cast<int32_t>(unit(random) * 30'000);
        } else {
          record.volume = static_cast<int32_t>(unit(random) * (volumes == 0 ? 990'000 : 3'000'000));
        }
      }
      if (splits < 4 && unit(random) < 0.003) {
        record.split = factors[random() % 5];
        ++splits;
      }
      if (!(record == DayRecord{})) days[day] = record;
    }
  }
  return days;
}

struct Expected {
  std::vector<Bar> bars;
  int first_shown = 0;
  int divisor = 1;
};

// The bars of a load worked out from the stock's days directly: each day's factor is the
// product of the splits on all later days that the load looks at, and bars are runs of days
// sharing a period key.
Expected ExpectedLoad(const std::map<DayNumber, DayRecord>& stock, DayNumber start, DayNumber end,
                      DataUnit unit, bool adjust, DayNumber today) {
  DayNumber first = 0, last = 0, load_start = 0;
  const CivilDate s = CivilFromDay(start);
  const CivilDate e = CivilFromDay(end);
  auto month_start = [](int months) { return DayFromCivil(months / 12, months % 12 + 1, 1); };
  switch (unit) {
    case DataUnit::kDay:
      first = start, last = end, load_start = start - 160;
      break;
    case DataUnit::kWeek:  // day 0 is a Saturday: Monday is 2, Friday 6
      first = start / 7 * 7 + 2, last = end / 7 * 7 + 6, load_start = first - 7 * 80;
      break;
    case DataUnit::kMonth:
      first = month_start(s.year * 12 + s.month - 1);
      last = month_start(e.year * 12 + e.month) - 1;
      load_start = month_start(s.year * 12 + s.month - 1 - 80);
      break;
    case DataUnit::kQuarter: {
      const int q = s.year * 4 + (s.month - 1) / 3;
      first = month_start(q * 3);
      last = month_start((e.year * 4 + (e.month - 1) / 3 + 1) * 3) - 1;
      load_start = month_start((q - 80) * 3);
      break;
    }
    case DataUnit::kYear:
      first = DayFromCivil(s.year, 1, 1);
      last = DayFromCivil(e.year, 12, 31);
      load_start = DayFromCivil(s.year - 80, 1, 1);
      break;
  }
  // The splits the load looks at: all up to the end, and after it those up to today's year.
  const int today_year = CivilFromDay(today).year;
  std::vector<std::pair<DayNumber, float>> splits;
  for (const auto& [day, record] : stock) {
    if (record.split != 0 && (day <= last || CivilFromDay(day).year <= today_year)) {
      splits.emplace_back(day, record.split);
    }
  }
  auto factor_after = [&splits](DayNumber day) {
    double factor = 1;
    for (const auto& [d, split] : splits) {
      if (d > day) factor *= split;
    }
    return factor;
  };
  auto round = [](double x) { return static_cast<int32_t>(std::nearbyint(x)); };

  std::vector<DayRecord> copied;
  int64_t largest = 0;
  bool negative = false;
  for (DayNumber day = load_start; day <= last; ++day) {
    const auto found = stock.find(day);
    DayRecord record = found == stock.end() ? DayRecord{} : found->second;
    if (adjust) {
      const double f = factor_after(day);
      record.open = round(record.open / f);
      record.high = round(record.high / f);
      record.low = round(record.low / f);
      record.close = round(record.close / f);
      // Above 100,000,000 shares a grown volume is kept in units of 10,000, as a negative.
      record.volume = record.volume > 100'000'000 && f > 1 ? round(f * (-record.volume / 10000.0))
                                                           : round(f * record.volume);
    }
    largest = std::max<int64_t>(largest, record.volume);
    negative = negative || record.volume < 0;
    copied.push_back(record);
  }
  Expected expected;
  expected.divisor = negative || largest > 100'000'000 ? 10000 : largest > 1'000'000 ? 1000 : 1;

  auto key = [unit](DayNumber day) {
    const CivilDate date = CivilFromDay(day);
    switch (unit) {
      case DataUnit::kDay:
        return day;
      case DataUnit::kWeek:  // Sunday to Saturday, as a bar from a weekday runs to Saturday
        return (day - 1) / 7;
      case DataUnit::kMonth:
        return date.year * 12 + date.month;
      case DataUnit::kQuarter:
        return date.year * 4 + (date.month - 1) / 3;
      case DataUnit::kYear:
        return date.year;
    }
    return 0;
  };
  double pending = 1;
  bool has_pending = false;
  size_t i = 0;
  while (i < copied.size()) {
    size_t group_end = i;
    while (group_end + 1 < copied.size() &&
           key(load_start + static_cast<DayNumber>(group_end + 1)) ==
               key(load_start + static_cast<DayNumber>(i))) {
      ++group_end;
    }
    std::optional<Bar> bar;
    for (size_t k = i; k <= group_end; ++k) {
      const DayRecord& d = copied[k];
      if (d.split != 0) pending *= d.split, has_pending = true;
      if (!bar && d.close == 0) continue;
      if (!bar) {
        bar = Bar{};
        bar->date = DayToCompactInt(load_start + static_cast<DayNumber>(k));
        bar->open = d.open != 0 ? d.open : d.close;
      }
      bar->high = std::max(bar->high, d.high);
      if (d.low != 0 && (bar->low == 0 || d.low < bar->low)) bar->low = d.low;
      if (d.close != 0) bar->close = d.close;
      bar->volume += d.volume < 0 ? -d.volume : d.volume / expected.divisor;
    }
    if (bar) {
      bar->split = has_pending ? static_cast<float>(pending) : 0;
      pending = 1, has_pending = false;
      expected.bars.push_back(*bar);
      if (expected.first_shown == 0 && bar->date >= DayToCompactInt(first)) {
        expected.first_shown = static_cast<int>(expected.bars.size());
      }
    }
    i = group_end + 1;
  }
  return expected;
}

// A list line written out with printf and the shortest decimal of the split factor.
std::string PrintedListLine(const Bar& bar, bool adjusted, int divisor) {
  char text[200];
  int length =
      std::snprintf(text, sizeof text, "%8d , %9d , %9d , %9d , %9d%s , %d%s", bar.date, bar.open,
                    bar.high, bar.low, bar.close, adjusted ? " (調整値)" : "", bar.volume,
                    divisor == 10000  ? " （万株)"
                    : divisor == 1000 ? " （千株)"
                                      : "");
  if (bar.split > 1) {
    char factor[32];
    *std::to_chars(factor, factor + sizeof factor, std::nearbyint(bar.split * 1000.0) / 1000.0)
         .ptr = 0;
    length +=
        std::snprintf(text + length, sizeof text - length, " , 株式分割： １ 株 → %s 株", factor);
  } else if (bar.split != 0) {
    std::snprintf(text + length, sizeof text - length, " , 株式併合： %.0f 株 → １ 株",
                  std::nearbyint(1.0 / bar.split));
  }
  return text;
}

TEST(LoadSeriesCrossCheck, MatchesBarsWorkedOutFromTheDays) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    varnolt::testing::TempFolder folder;
    PriceStore store(folder.Path());
    store.WriteCatalogue(kCatalogue);
    const std::map<DayNumber, DayRecord> stock = RandomStock(random, seed % 4);
    for (const auto& [day, record] : stock) {
      DayRow row;
      row.code = 7203;
      row.open = record.open, row.high = record.high, row.low = record.low;
      row.close = record.close, row.volume = record.volume, row.split = record.split;
      store.Row(day, row);
    }
    store.Flush();

    for (int load = 0; load < 10; ++load) {
      const DayNumber start =
          DayOf(20020101) + static_cast<DayNumber>(random() % (DayOf(20050630) - DayOf(20020101)));
      const DayNumber end = start + static_cast<DayNumber>(random() % 900);
      const DayNumber today = DayOf(20050101) + static_cast<DayNumber>(random() % 700);
      const auto unit = static_cast<DataUnit>(random() % 5);
      const bool adjust = random() % 4 != 0;
      SCOPED_TRACE(DayToCompact(start) + ".." + DayToCompact(end) + " unit " +
                   std::to_string(static_cast<int>(unit)) + (adjust ? " adjusted" : "") +
                   " today " + DayToCompact(today));

      const Expected expected = ExpectedLoad(stock, start, end, unit, adjust, today);
      DataSet data;
      const LoadOutcome outcome = LoadSeries(
          data, LoadRequest{DayToCompact(start), DayToCompact(end), "7203", unit, adjust},
          store.Folder(), today);
      if (expected.first_shown == 0) {
        EXPECT_EQ(outcome.message, kNoData);
        continue;
      }
      ASSERT_EQ(outcome.message, "");
      EXPECT_EQ(data.bars.All(), expected.bars);
      EXPECT_EQ(data.first_shown, expected.first_shown);
      EXPECT_EQ(data.volume_divisor, expected.divisor);
      ASSERT_TRUE(outcome.relist);
      std::vector<std::string> printed;
      for (size_t b = expected.first_shown - 1; b < expected.bars.size(); ++b) {
        printed.push_back(PrintedListLine(expected.bars[b], adjust, expected.divisor));
      }
      EXPECT_EQ(ListLines(data), printed);
    }
  }
}

}  // namespace
}  // namespace varnolt
