#include "series/calendar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/text_file.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

DayNumber Day(const char* compact) {
  const DayNumber day = CompactToDay(compact);
  EXPECT_NE(day, 0) << compact;
  return day;
}

// An independent calendar for checking the conversions: plain day-by-day stepping.
struct Ymd {
  int y, m, d;
};

int MonthLength(int y, int m) {
  if (m == 2) {
    const bool leap = y % 400 == 0 || (y % 100 != 0 && y % 4 == 0);
    return leap ? 29 : 28;
  }
  return (m == 4 || m == 6 || m == 9 || m == 11) ? 30 : 31;
}

Ymd Next(Ymd t) {
  if (++t.d > MonthLength(t.y, t.m)) {
    t.d = 1;
    if (++t.m > 12) {
      t.m = 1;
      ++t.y;
    }
  }
  return t;
}

Ymd Previous(Ymd t) {
  if (--t.d < 1) {
    if (--t.m < 1) {
      t.m = 12;
      --t.y;
    }
    t.d = MonthLength(t.y, t.m);
  }
  return t;
}

// Checks every conversion of one day against the stepped date; returns false on the first miss.
bool Agrees(DayNumber n, Ymd t, int weekday) {
  char slash[16];
  std::snprintf(slash, sizeof slash, "%04d/%02d/%02d", t.y, t.m, t.d);
  const std::string compact = std::to_string(t.y * 10000 + t.m * 100 + t.d);
  EXPECT_EQ(DayFromCivil(t.y, t.m, t.d), n) << slash;
  const CivilDate civil = CivilFromDay(n);
  EXPECT_TRUE(civil.year == t.y && civil.month == t.m && civil.day == t.d) << n;
  EXPECT_EQ(Weekday(n), weekday) << slash;
  EXPECT_EQ(DayToSlash(n), slash);
  EXPECT_EQ(DayToCompact(n), compact);
  EXPECT_EQ(DayToCompactInt(n), t.y * 10000 + t.m * 100 + t.d);
  EXPECT_EQ(CompactToDay(compact), n) << compact;
  EXPECT_EQ(SlashToDay(slash), n) << slash;
  EXPECT_EQ(SlashToCompact(slash), compact);
  return !::testing::Test::HasFailure();
}

TEST(CalendarTest, DayNumbersCountFrom30December1899) {
  EXPECT_EQ(DayFromCivil(1899, 12, 30), 0);
  EXPECT_EQ(Weekday(0), 0);  // Saturday
  EXPECT_EQ(CompactToDay("20040101"), 37987);
  EXPECT_EQ(Weekday(37987), 5);  // Thursday
  EXPECT_EQ(DayToSlash(37987), "2004/01/01");
  EXPECT_EQ(Weekday(-1), 6);  // Friday 29 December 1899
  EXPECT_EQ(Weekday(-7), 0);
}

TEST(CalendarTest, ConversionsAgreeWithCountingDaysFrom1899) {
  // Forward to 2200 and backward to 1600, so that centuries, 400-year leap days and
  // negative day numbers are all covered.
  Ymd t{1899, 12, 30};
  int weekday = 0;
  for (DayNumber n = 0; t.y <= 2200; ++n, t = Next(t), weekday = (weekday + 1) % 7) {
    if (!Agrees(n, t, weekday)) return;
  }
  t = {1899, 12, 30};
  weekday = 0;
  for (DayNumber n = 0; t.y >= 1600; --n, t = Previous(t), weekday = (weekday + 6) % 7) {
    if (!Agrees(n, t, weekday)) return;
  }
}

TEST(CalendarTest, CompactDatesThatAreNotDatesGiveZero) {
  const char* invalid[] = {"20040230", "abc",      "",         "2004",     "200401",
                           "20041301", "20040001", "20040100", "20040132", "20030229",
                           "19000229", "2004-1-1", "00000101", "2004 101", "2004+101"};
  for (const char* text : invalid) EXPECT_EQ(CompactToDay(text), 0) << "'" << text << "'";

  EXPECT_EQ(CompactToDay("20040229"), 37987 + 59);
  EXPECT_EQ(CompactToDay("20000229"), DayFromCivil(2000, 2, 29));
  EXPECT_EQ(CompactToDay("99991231"), DayFromCivil(9999, 12, 31));
}

TEST(CalendarTest, SlashDatesReadWithOneOrTwoDigitMonthAndDay) {
  const DayNumber jan4 = DayFromCivil(2005, 1, 4);
  EXPECT_EQ(SlashToDay("2005/1/4"), jan4);
  EXPECT_EQ(SlashToDay("2005/01/04"), jan4);
  EXPECT_EQ(SlashToDay("2005/1/04"), jan4);
  const char* invalid[] = {"05/1/4",    "2005/13/1", "2005-01-04", "2005/1/",  "2005//4",
                           "2005/1/4/", "2005/2/30", "2005/001/4", "abcd/1/4", ""};
  for (const char* text : invalid) EXPECT_EQ(SlashToDay(text), 0) << "'" << text << "'";
}

TEST(CalendarTest, IsAllDigitsParseCountAndMonthKey) {
  EXPECT_TRUE(IsAllDigits(""));
  EXPECT_TRUE(IsAllDigits("0123456789"));
  EXPECT_FALSE(IsAllDigits("12a4"));
  EXPECT_FALSE(IsAllDigits(" 12"));
  EXPECT_FALSE(IsAllDigits("-12"));
  EXPECT_FALSE(IsAllDigits("１２"));  // full-width digits are not digits

  EXPECT_EQ(ParseCount("100"), 100);
  EXPECT_EQ(ParseCount("0"), 0);
  EXPECT_EQ(ParseCount("-5"), -5);
  EXPECT_EQ(ParseCount("abc"), -1);
  EXPECT_EQ(ParseCount(""), -1);
  EXPECT_EQ(ParseCount("1.5"), -1);
  EXPECT_EQ(ParseCount("99999999999"), -1);

  const struct {
    const char* text;
    const char* key;
  } keys[] = {
      {"2004/3/15", "200403"},
      {"2004/03/15", "200403"},
      {"2004/12/1", "200412"},
      {"2004/3/", "200403"},
      {"2004/3", ""},
      {"20040315", ""},
      {"2004/123/1", ""},
      {"2004", ""},
      {"", ""},
  };
  for (const auto& k : keys) EXPECT_EQ(MonthKey(k.text), k.key) << k.text;
}

TEST(PeriodTest, EndsAndStartsOfTheWorkedExamples) {
  const struct {
    const char* date;
    DataUnit unit;
    int n;
    const char* end;
  } ends[] = {
      {"20040315", DataUnit::kDay, 1, "20040315"},
      {"20040315", DataUnit::kDay, 0, "20040314"},
      {"20040315", DataUnit::kDay, -1, "20040313"},
      {"20040315", DataUnit::kWeek, 1, "20040319"},
      {"20040315", DataUnit::kWeek, 0, "20040312"},
      {"20040315", DataUnit::kWeek, -1, "20040305"},
      {"20040315", DataUnit::kWeek, 2, "20040326"},
      {"20040315", DataUnit::kMonth, 1, "20040331"},
      {"20040315", DataUnit::kMonth, 0, "20040229"},
      {"20040315", DataUnit::kMonth, -1, "20040131"},
      {"20040315", DataUnit::kMonth, -2, "20031231"},
      {"20040315", DataUnit::kMonth, 11, "20050131"},
      {"20040315", DataUnit::kQuarter, 1, "20040331"},
      {"20040315", DataUnit::kQuarter, 0, "20031231"},
      {"20040315", DataUnit::kQuarter, -1, "20030930"},
      {"20040315", DataUnit::kQuarter, -4, "20021231"},
      {"20040315", DataUnit::kYear, 1, "20041231"},
      {"20040315", DataUnit::kYear, 0, "20031231"},
      {"20040315", DataUnit::kYear, -1, "20021231"},
      {"20040320", DataUnit::kWeek, 1, "20040326"},  // a Saturday opens its week
      {"20041231", DataUnit::kQuarter, 1, "20041231"},
      {"20041231", DataUnit::kQuarter, 2, "20050331"},
      {"20041231", DataUnit::kMonth, 3, "20050228"},
  };
  for (const auto& e : ends) {
    EXPECT_EQ(PeriodEnd(e.date, e.n, e.unit), e.end)
        << e.date << " unit " << static_cast<int>(e.unit) << " n " << e.n;
  }

  const struct {
    const char* date;
    DataUnit unit;
    const char* start;
  } starts[] = {
      {"20040315", DataUnit::kDay, "20040315"},     {"20040315", DataUnit::kWeek, "20040315"},
      {"20040315", DataUnit::kMonth, "20040301"},   {"20040315", DataUnit::kQuarter, "20040101"},
      {"20040315", DataUnit::kYear, "20040101"},    {"20040320", DataUnit::kWeek, "20040322"},
      {"20040321", DataUnit::kWeek, "20040322"},    {"20040319", DataUnit::kWeek, "20040315"},
      {"20041231", DataUnit::kQuarter, "20041001"},
  };
  for (const auto& s : starts) {
    EXPECT_EQ(PeriodStart(s.date, s.unit), s.start)
        << s.date << " unit " << static_cast<int>(s.unit);
  }
}

TEST(PeriodTest, PeriodsTileTheCalendarForEveryCount) {
  // Around day 0 (negative day numbers for weeks) and across the 2000 leap day.
  const DataUnit units[] = {DataUnit::kDay, DataUnit::kWeek, DataUnit::kMonth, DataUnit::kQuarter,
                            DataUnit::kYear};
  for (const auto& [from, to] : {std::pair{DayFromCivil(1899, 1, 1), DayFromCivil(1900, 12, 31)},
                                 std::pair{DayFromCivil(1999, 11, 1), DayFromCivil(2001, 2, 1)}}) {
    for (DayNumber d = from; d <= to; ++d) {
      for (const DataUnit unit : units) {
        SCOPED_TRACE(DayToSlash(d) + " unit " + std::to_string(static_cast<int>(unit)));
        const DayNumber end = PeriodEndDay(d, 1, unit);
        const DayNumber before = PeriodEndDay(d, 0, unit);
        ASSERT_LE(before, d - 1);
        ASSERT_GE(end, d);
        const CivilDate next = CivilFromDay(end + 1);
        switch (unit) {
          case DataUnit::kDay:
            ASSERT_EQ(end, d);
            break;
          case DataUnit::kWeek:
            ASSERT_EQ(Weekday(end), 6);
            ASSERT_EQ(end - before, 7);
            ASSERT_EQ(PeriodStartDay(d, unit), before + 3);
            ASSERT_EQ(Weekday(PeriodStartDay(d, unit)), 2);
            break;
          case DataUnit::kMonth:
            ASSERT_EQ(next.day, 1);
            ASSERT_EQ(CivilFromDay(end).month, CivilFromDay(d).month);
            break;
          case DataUnit::kQuarter:
            ASSERT_EQ(next.day, 1);
            ASSERT_EQ((next.month - 1) % 3, 0);
            ASSERT_EQ((CivilFromDay(end).month - 1) / 3, (CivilFromDay(d).month - 1) / 3);
            break;
          case DataUnit::kYear:
            ASSERT_EQ(next.day, 1);
            ASSERT_EQ(next.month, 1);
            ASSERT_EQ(CivilFromDay(end).year, CivilFromDay(d).year);
            break;
        }
        if (unit != DataUnit::kWeek) {
          ASSERT_EQ(PeriodStartDay(d, unit), before + 1);
        }
        // Counting n periods on equals stepping one period at a time, backward and forward.
        for (int n = -13; n <= 13; ++n) {
          ASSERT_EQ(PeriodEndDay(d, n + 1, unit),
                    PeriodEndDay(PeriodEndDay(d, n, unit) + 1, 1, unit))
              << "n " << n;
        }
      }
    }
  }
}

TEST(TradingDayTest, EmptyListMakesEveryWeekdayATradingDay) {
  const HolidayList none;
  for (DayNumber d = DayFromCivil(2004, 1, 1); d <= DayFromCivil(2004, 12, 31); ++d) {
    EXPECT_EQ(IsTradingDay(d, none), Weekday(d) >= 2) << DayToSlash(d);
  }
}

TEST(TradingDayTest, YearlyAndSingleDateEntries) {
  const HolidayList holidays({"01/01", "2004/01/12"});
  const struct {
    const char* date;
    bool trading;
  } cases[] = {
      {"20040101", false},                       // Thursday, listed as every 1 January
      {"20090101", false},                       // Thursday in another year
      {"20040102", true},  {"20040112", false},  // Monday listed with its year
      {"20050112", true},  // the same month and day in another year is a weekday like any other
      {"20040113", true},  {"20040103", false},  // Saturday
      {"20040104", false},                       // Sunday
  };
  for (const auto& c : cases) EXPECT_EQ(IsTradingDay(Day(c.date), holidays), c.trading) << c.date;
}

TEST(TradingDayTest, AHolidayOnSundayClosesTheFollowingMonday) {
  ASSERT_EQ(Weekday(Day("20020505")), 1);  // 5 May 2002 is a Sunday
  const HolidayList golden_week({"05/03", "05/04", "05/05"});
  EXPECT_FALSE(IsTradingDay(Day("20020503"), golden_week));  // Friday
  EXPECT_FALSE(IsTradingDay(Day("20020506"), golden_week));  // Monday after the Sunday
  EXPECT_TRUE(IsTradingDay(Day("20020507"), golden_week));
  EXPECT_TRUE(IsTradingDay(Day("20020429"), golden_week));

  ASSERT_EQ(Weekday(Day("20030505")), 2);  // a Monday listed itself
  EXPECT_FALSE(IsTradingDay(Day("20030505"), golden_week));
  EXPECT_TRUE(IsTradingDay(Day("20030506"), golden_week));

  // The full-date form of a Sunday moves as well.
  const HolidayList single({"2002/05/05"});
  EXPECT_FALSE(IsTradingDay(Day("20020506"), single));
  EXPECT_TRUE(IsTradingDay(Day("20130506"), single));

  // A Saturday holiday does not move.
  ASSERT_EQ(Weekday(Day("20060429")), 0);
  EXPECT_TRUE(IsTradingDay(Day("20060501"), HolidayList({"04/29"})));
}

TEST(TradingDayTest, HolidayFileIsReadAsLinesAndMayBeAbsent) {
  testing::TempFolder folder;
  const auto path = folder.Path() / "holidays.txt";
  const HolidayList missing = LoadHolidayList(path);
  EXPECT_TRUE(missing.Empty());
  EXPECT_TRUE(IsTradingDay(Day("20040101"), missing));

  WriteLines(path, {"01/01", "2004/01/12"});
  const HolidayList loaded = LoadHolidayList(path);
  EXPECT_FALSE(IsTradingDay(Day("20040101"), loaded));
  EXPECT_FALSE(IsTradingDay(Day("20040112"), loaded));
  EXPECT_TRUE(IsTradingDay(Day("20040113"), loaded));
}

TEST(NextBarDateTest, DailyBarsSkipWeekendsAndHolidays) {
  const HolidayList none;
  const HolidayList holidays({"2004/01/12"});
  ASSERT_EQ(Weekday(Day("20040319")), 6);  // Friday
  EXPECT_EQ(NextBarDate("20040319", 1, DataUnit::kDay, none), "20040322");
  EXPECT_EQ(NextBarDate("20040318", 1, DataUnit::kDay, none), "20040319");
  EXPECT_EQ(NextBarDate("20040319", 5, DataUnit::kDay, none), "20040326");
  EXPECT_EQ(NextBarDate("20040320", 1, DataUnit::kDay, none), "20040322");  // from a Saturday
  EXPECT_EQ(NextBarDate("20040109", 1, DataUnit::kDay, holidays), "20040113");
  EXPECT_EQ(NextBarDate("20040108", 3, DataUnit::kDay, holidays), "20040114");
  EXPECT_EQ(NextBarDate("20040319", 0, DataUnit::kDay, none), "20040319");
  EXPECT_EQ(NextBarDate("20040319", -3, DataUnit::kDay, none), "20040319");
}

TEST(NextBarDateTest, OtherUnitsGiveTheFirstDayOfTheNthPeriodAfter) {
  const HolidayList holidays({"2004/03/22", "04/01"});  // ignored for these units
  const struct {
    const char* date;
    DataUnit unit;
    int n;
    const char* next;
  } cases[] = {
      {"20040315", DataUnit::kWeek, 1, "20040322"},
      {"20040320", DataUnit::kWeek, 1, "20040329"},
      {"20040315", DataUnit::kWeek, 0, "20040315"},
      {"20040315", DataUnit::kMonth, 1, "20040401"},
      {"20040315", DataUnit::kMonth, 10, "20050101"},
      {"20040315", DataUnit::kQuarter, 1, "20040401"},
      {"20040315", DataUnit::kQuarter, 4, "20050101"},
      {"20040315", DataUnit::kYear, 1, "20050101"},
      {"20040315", DataUnit::kYear, 0, "20040101"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NextBarDate(c.date, c.n, c.unit, holidays), c.next)
        << c.date << " unit " << static_cast<int>(c.unit) << " n " << c.n;
  }
}

TEST(UpdateNeedTest, ComparesTheMarkWithTheServerClock) {
  const DayNumber wednesday = Day("20040317");
  ASSERT_EQ(Weekday(wednesday), 4);
  const int64_t marked_yesterday = (int64_t{wednesday} - 1) * 10 + 5;
  auto at = [](DayNumber day, int hour, int minute) { return day + (hour * 60 + minute) / 1440.0; };
  const HolidayList none;
  const struct {
    const char* what;
    int64_t mark;
    double now;
    bool scheduled;
    int need;
  } cases[] = {
      {"before the close", marked_yesterday, at(wednesday, 15, 0), false, 0},
      {"after the close", marked_yesterday, at(wednesday, 17, 0), false, 1},
      {"late evening", marked_yesterday, at(wednesday, 22, 30), false, 2},
      {"16:15 waits for 16:30", marked_yesterday, at(wednesday, 16, 15), false, 0},
      {"16:15 scheduled", marked_yesterday, at(wednesday, 16, 15), true, 1},
      {"21:30", marked_yesterday, at(wednesday, 21, 30), false, 1},
      {"21:30 scheduled", marked_yesterday, at(wednesday, 21, 30), true, 2},
      {"today fully fetched", int64_t{wednesday} * 10 + 5, at(wednesday, 23, 0), false, 0},
      {"today marked at phase 0", int64_t{wednesday} * 10, at(wednesday, 17, 0), false, 0},
      {"today phase 0, late", int64_t{wednesday} * 10, at(wednesday, 22, 30), false, 2},
      {"Tuesday missed", (int64_t{wednesday} - 2) * 10 + 5, at(wednesday, 10, 0), false, 2},
      {"Tuesday missed, after close", (int64_t{wednesday} - 2) * 10 + 5, at(wednesday, 17, 0),
       false, 2},
      {"mark ending 0 checks its own day", (int64_t{wednesday} - 1) * 10, at(wednesday, 10, 0),
       false, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UpdateNeed(c.mark, c.now, c.scheduled, none), c.need) << c.what;
  }
}

TEST(UpdateNeedTest, WeekendsAndHolidaysAreNotMissingDays) {
  const DayNumber monday = Day("20040322");
  const DayNumber tuesday = monday + 1;
  const int64_t marked_thursday = (int64_t{monday} - 4) * 10 + 5;
  const int64_t marked_friday = (int64_t{monday} - 3) * 10 + 5;
  const HolidayList none;
  const HolidayList monday_off({"2004/03/22"});
  const double morning = 10.0 / 24;
  const double evening = 17.0 / 24;

  EXPECT_EQ(UpdateNeed(marked_friday, monday + morning, false, none), 0);
  EXPECT_EQ(UpdateNeed(marked_thursday, monday + morning, false, none), 2);  // Friday missed
  EXPECT_EQ(UpdateNeed(marked_friday, tuesday + morning, false, none), 2);
  EXPECT_EQ(UpdateNeed(marked_friday, tuesday + morning, false, monday_off), 0);
  EXPECT_EQ(UpdateNeed(marked_friday, monday + evening, false, none), 1);
  EXPECT_EQ(UpdateNeed(marked_friday, monday + evening, false, monday_off), 0);
}

}  // namespace
}  // namespace varnolt
