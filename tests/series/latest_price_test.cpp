#include "series/latest_price.h"

#include <gtest/gtest.h>

#include "support/price_store.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::DayOf;
using testing::PriceStore;
using testing::TempFolder;

constexpr int kCode = 1301;

class LatestPriceTest : public ::testing::Test {
 protected:
  LatestQuote Latest(int code, int32_t compact, int32_t today = 20040601) {
    return LatestPrice(store_.Folder(), code, DayOf(compact), DayOf(today));
  }

  TempFolder temp_;
  PriceStore store_{temp_.Path()};
};

TEST_F(LatestPriceTest, WeekendAndHolidayFindTheDayBefore) {
  ASSERT_EQ(Weekday(DayOf(20040314)), 1);  // a Sunday
  store_.Day(kCode, 20040311, 480, 495, 470, 490, 2000)
      .Day(kCode, 20040312, 495, 510, 490, 500, 3000)
      .Day(kCode, 20040315, 505, 505, 505, 505, 1000);
  store_.Flush();

  LatestQuote quote = Latest(kCode, 20040314);
  EXPECT_EQ(quote.close, 500);
  EXPECT_EQ(quote.open, 495);
  EXPECT_EQ(quote.volume, 3000);
  EXPECT_EQ(quote.date, DayOf(20040312));

  // A day with a close answers for itself.
  quote = Latest(kCode, 20040311);
  EXPECT_EQ(quote.close, 490);
  EXPECT_EQ(quote.volume, 2000);
  EXPECT_EQ(quote.date, DayOf(20040311));
}

TEST_F(LatestPriceTest, RestatesAcrossLaterSplits) {
  // 1:2 split on Monday 15 March; a second stock has its split on the Saturday before, a day
  // without a close that the search walks over; a third merged 2:1 in the following year.
  store_.Day(kCode, 20040312, 1001, 1011, 991, 1003, 3000)
      .Split(kCode, 20040315, 2.0f)
      .Close(kCode, 20040315, 520, 7000);
  store_.Close(2, 20040312, 1000, 3000).Split(2, 20040313, 2.0f);
  store_.Close(3, 20030602, 400, 3000).Split(3, 20040202, 0.5f);
  store_.Flush();

  LatestQuote quote = Latest(kCode, 20040312);
  EXPECT_EQ(quote.close, 502);  // 501.5 rounds to even
  EXPECT_EQ(quote.open, 500);   // 500.5 rounds to even
  EXPECT_EQ(quote.volume, 6000);
  EXPECT_EQ(quote.date, DayOf(20040312));

  // The split day itself is already in the new terms.
  quote = Latest(kCode, 20040315);
  EXPECT_EQ(quote.close, 520);
  EXPECT_EQ(quote.volume, 7000);

  quote = Latest(2, 20040314);
  EXPECT_EQ(quote.close, 500);
  EXPECT_EQ(quote.volume, 6000);
  EXPECT_EQ(quote.date, DayOf(20040312));

  quote = Latest(3, 20030602);
  EXPECT_EQ(quote.close, 800);
  EXPECT_EQ(quote.volume, 1500);

  // Asked on the day itself, later splits have not happened yet.
  quote = Latest(kCode, 20040312, 20040312);
  EXPECT_EQ(quote.close, 1003);
  EXPECT_EQ(quote.volume, 3000);
}

TEST_F(LatestPriceTest, VolumeInTenThousandsBecomesShares) {
  store_.Close(kCode, 20040312, 500, -500);
  // 400,000 × 10,000 shares, quadrupled by a later split, needs more than 32 bits.
  store_.Close(2, 20040312, 800, -400000).Split(2, 20040401, 4.0f);
  store_.Flush();

  EXPECT_EQ(Latest(kCode, 20040312).volume, 5'000'000);
  const LatestQuote quote = Latest(2, 20040312);
  EXPECT_EQ(quote.close, 200);
  EXPECT_EQ(quote.volume, 16'000'000'000);
}

TEST_F(LatestPriceTest, BudgetOfThirtyRecordsWithinAYear) {
  // From 31 March (day 91) the search reads days 91 down to 62, 2 March.
  store_.Close(kCode, 20040302, 700).Close(2, 20040301, 600);
  store_.Flush();

  LatestQuote quote = Latest(kCode, 20040331);
  EXPECT_EQ(quote.close, 700);
  EXPECT_EQ(quote.date, DayOf(20040302));

  quote = Latest(2, 20040331);
  EXPECT_EQ(quote.close, 0);
  EXPECT_EQ(quote.date, DayOf(20040302));  // the last record read
}

TEST_F(LatestPriceTest, YearBoundaryCostsFifteen) {
  // From 2 January: two records of the new year, then 13 of December, down to the 19th.
  store_.Close(9, 20040105, 100);  // the new year's file exists, without data for these codes
  store_.Close(kCode, 20031230, 700, 1200).Close(2, 20031219, 650).Close(3, 20031218, 640);
  store_.Flush();

  LatestQuote quote = Latest(kCode, 20040102);
  EXPECT_EQ(quote.close, 700);
  EXPECT_EQ(quote.volume, 1200);
  EXPECT_EQ(quote.date, DayOf(20031230));

  EXPECT_EQ(Latest(2, 20040102).close, 650);
  EXPECT_EQ(Latest(3, 20040102).close, 0);
}

TEST_F(LatestPriceTest, YearsWithoutAFileStillCostTheirBoundary) {
  // No 2005 file: 15 records of 2004 remain, from 30 December (day 365 of a leap year) down
  // to the 16th.
  store_.Close(kCode, 20041216, 710).Close(2, 20041215, 690).Close(3, 20041230, 720);
  store_.Flush();

  LatestQuote quote = Latest(kCode, 20050110, 20050301);
  EXPECT_EQ(quote.close, 710);
  EXPECT_EQ(quote.date, DayOf(20041216));
  EXPECT_EQ(Latest(2, 20050110, 20050301).close, 0);

  // Two missing years use up the whole budget.
  EXPECT_EQ(Latest(3, 20050110, 20060301).close, 720);
  quote = Latest(3, 20060105, 20060301);
  EXPECT_EQ(quote.close, 0);
  EXPECT_EQ(quote.date, DayOf(20060105));  // nothing read: the date comes back as asked
}

}  // namespace
}  // namespace varnolt
