#include "series/screening_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/price_store.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::DayOf;
using testing::PriceStore;
using testing::TempFolder;

constexpr int kCode = 1301;

// A close that tells the day it belongs to.
int32_t CloseOn(DayNumber day) {
  return day - DayOf(19991231);
}

bool IsWeekend(DayNumber day) {
  return Weekday(day) <= 1;
}

class ScreeningLoaderTest : public ::testing::Test {
 protected:
  // Prices for every day from `from` to `to` (weekdays only unless `weekends`); returns the
  // days written, oldest first.
  std::vector<DayNumber> Fill(int code, DayNumber from, DayNumber to, bool weekends) {
    std::vector<DayNumber> days;
    for (DayNumber day = from; day <= to; ++day) {
      const int year = CivilFromDay(day).year;
      if (day - DayFromCivil(year, 1, 1) + 1 > kDaysPerSlot) continue;  // no record for it
      if (!weekends && IsWeekend(day)) continue;
      DayRow row;
      row.code = code;
      row.close = CloseOn(day);
      row.open = *row.close - 1;
      row.high = *row.close + 2;
      row.low = *row.close - 2;
      store_.Row(day, row);
      days.push_back(day);
    }
    store_.Flush();
    return days;
  }

  int Load(int code, int count, bool adjust, int32_t end, int32_t today = 20050101) {
    return LoadScreeningSeries(store_.Folder(), code, count, adjust, DayOf(end), DayOf(today),
                               series_);
  }

  void ExpectEntry(int number, int32_t open, int32_t high, int32_t low, int32_t close) {
    SCOPED_TRACE(number);
    EXPECT_EQ(series_[number].open, open);
    EXPECT_EQ(series_[number].high, high);
    EXPECT_EQ(series_[number].low, low);
    EXPECT_EQ(series_[number].close, close);
  }

  TempFolder temp_;
  PriceStore store_{temp_.Path()};
  ScreeningSeries series_;
};

TEST_F(ScreeningLoaderTest, ThreeHundredTradingDaysReadFourHundredNinetyCalendarDays) {
  const DayNumber end = DayOf(20040630);
  Fill(kCode, end - 600, end + 20, true);

  ASSERT_EQ(Load(kCode, 300, false, 20040630), 490);
  ExpectEntry(1, CloseOn(end - 489) - 1, CloseOn(end - 489) + 2, CloseOn(end - 489) - 2,
              CloseOn(end - 489));
  for (int i = 2; i <= 490; ++i) ASSERT_EQ(series_[i].close, series_[i - 1].close + 1) << i;
  EXPECT_EQ(series_[490].close, CloseOn(end));
}

TEST_F(ScreeningLoaderTest, AcceptsUpTo908TradingDays) {
  const DayNumber end = DayOf(20040625);
  Fill(kCode, end - 1500, end, false);
  const auto year_file = store_.Folder().YearFile(2004);
  const auto size = std::filesystem::file_size(year_file);

  // Too many: nothing is read, so no slot is allocated for a code the file does not know.
  EXPECT_EQ(Load(7777, 909, true, 20040625), 0);
  EXPECT_EQ(std::filesystem::file_size(year_file), size);
  EXPECT_EQ(Load(7777, 908, true, 20040625), 0);
  EXPECT_GT(std::filesystem::file_size(year_file), size);

  // 1401 calendar days hold more weekdays than the series takes.
  EXPECT_EQ(Load(kCode, 908, true, 20040625), kScreeningCapacity);
  EXPECT_EQ(Load(kCode, -1, true, 20040625), 0);
}

TEST_F(ScreeningLoaderTest, FullSeriesKeepsTheNewestDays) {
  const DayNumber end = DayOf(20040625);
  const auto all_days = Fill(kCode, end - 1200, end, true);
  const std::vector<DayNumber> newest(all_days.end() - kScreeningCapacity, all_days.end());

  // 700 trading days span 1080 calendar days, each with a price.
  ASSERT_EQ(Load(kCode, 700, false, 20040625), kScreeningCapacity);
  for (int i = 1; i <= kScreeningCapacity; ++i) {
    ASSERT_EQ(series_[i].close, CloseOn(newest[i - 1])) << i;
  }

  // The same near the limit with weekday prices only.
  const auto weekdays = Fill(2, end - 1500, end, false);
  ASSERT_EQ(Load(2, 908, false, 20040625), kScreeningCapacity);
  EXPECT_EQ(series_[1].close, CloseOn(weekdays[weekdays.size() - kScreeningCapacity]));
  EXPECT_EQ(series_[kScreeningCapacity].close, CloseOn(end));
}

TEST_F(ScreeningLoaderTest, RestatesPricesBeforeSplits) {
  ASSERT_EQ(Weekday(DayOf(20040313)), 0);  // a Saturday
  // A 1:2 split recorded on the Saturday between the weeks.
  store_.Day(kCode, 20040311, 1001, 1011, 991, 1003)
      .Day(kCode, 20040312, 0, 1010, 1000, 1005)
      .Split(kCode, 20040313, 2.0f)
      .Day(kCode, 20040315, 505, 515, 495, 510);
  // A 2:1 merge after the end of the load.
  store_.Day(2, 20040311, 400, 410, 390, 401).Split(2, 20040401, 0.5f);
  store_.Flush();

  ASSERT_EQ(Load(kCode, 10, true, 20040316), 3);
  ExpectEntry(1, 500, 506, 496, 502);
  ExpectEntry(2, 502, 505, 500, 502);  // no open: the close stands in
  ExpectEntry(3, 505, 515, 495, 510);

  ASSERT_EQ(Load(kCode, 10, false, 20040316), 3);
  ExpectEntry(1, 1001, 1011, 991, 1003);
  ExpectEntry(2, 1005, 1010, 1000, 1005);
  ExpectEntry(3, 505, 515, 495, 510);

  ASSERT_EQ(Load(2, 10, true, 20040316, 20040601), 1);
  ExpectEntry(1, 800, 820, 780, 802);
  // Loaded up to today, the merge lies in the future.
  ASSERT_EQ(Load(2, 10, true, 20040316, 20040316), 1);
  ExpectEntry(1, 400, 410, 390, 401);
}

TEST_F(ScreeningLoaderTest, WritesOnlyThePricesOfTheEntriesLoaded) {
  for (int i = 1; i <= 5; ++i) {
    series_[i] = ScreeningEntry{-1, -1, -1, -1, 1.5f, 2.5f, 3.5f, 4.5f, 5.5f};
  }
  // Across the turn of two years, one of them without a file.
  store_.Close(kCode, 20031229, 300).Close(kCode, 20031230, 310).Close(kCode, 20050104, 320);
  store_.Flush();
  ASSERT_FALSE(std::filesystem::exists(store_.Folder().YearFile(2004)));

  ASSERT_EQ(Load(kCode, 300, true, 20050120), 3);
  EXPECT_EQ(series_[1].close, 300);
  EXPECT_EQ(series_[2].close, 310);
  EXPECT_EQ(series_[3].close, 320);
  for (int i = 1; i <= 5; ++i) {
    SCOPED_TRACE(i);
    const ScreeningEntry& entry = series_[i];
    EXPECT_EQ(entry.s1, 1.5f);
    EXPECT_EQ(entry.s2, 2.5f);
    EXPECT_EQ(entry.s3, 3.5f);
    EXPECT_EQ(entry.s4, 4.5f);
    EXPECT_EQ(entry.s5, 5.5f);
  }
  EXPECT_EQ(series_[4].close, -1);

  // Nothing in the span.
  EXPECT_EQ(Load(kCode, 10, true, 20041215), 0);
  EXPECT_EQ(series_[1].close, 300);
}

}  // namespace
}  // namespace varnolt
