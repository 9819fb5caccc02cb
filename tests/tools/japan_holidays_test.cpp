#include "demo/japan_holidays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "series/calendar.h"

namespace varnolt::demo {
namespace {

std::vector<std::string> HolidayDates(int year) {
  std::vector<std::string> dates;
  for (const PublicHoliday& holiday : JapanHolidays(year)) dates.push_back(DayToSlash(holiday.day));
  return dates;
}

// The holiday's name on the date, or "" when the date is no public holiday.
std::string NameOn(int year, int month, int day) {
  const DayNumber date = DayFromCivil(year, month, day);
  for (const PublicHoliday& holiday : JapanHolidays(year)) {
    if (holiday.day == date) return std::string(holiday.name);
  }
  return "";
}

struct YearList {
  int year;
  std::vector<std::string> dates;
};

TEST(JapanHolidaysTest, FullListsOfYearsAsObserved) {
  const YearList kYears[] = {
      // Substitutes on the Monday after a Sunday holiday, a citizens' holiday on 4 May, and the
      // enthronement ceremony of 12 November.
      {1990,
       {"1990/01/01", "1990/01/15", "1990/02/11", "1990/02/12", "1990/03/21", "1990/04/29",
        "1990/04/30", "1990/05/03", "1990/05/04", "1990/05/05", "1990/09/15", "1990/09/23",
        "1990/09/24", "1990/10/10", "1990/11/03", "1990/11/12", "1990/11/23", "1990/12/23",
        "1990/12/24"}},
      // Substitute for Sunday 4 May falls on Tuesday 6 May under the 2007 rule.
      {2008,
       {"2008/01/01", "2008/01/14", "2008/02/11", "2008/03/20", "2008/04/29", "2008/05/03",
        "2008/05/04", "2008/05/05", "2008/05/06", "2008/07/21", "2008/09/15", "2008/09/23",
        "2008/10/13", "2008/11/03", "2008/11/23", "2008/11/24", "2008/12/23"}},
      // The enthronement year: ten days off around 1 May, no birthday in December.
      {2019, {"2019/01/01", "2019/01/14", "2019/02/11", "2019/03/21", "2019/04/29", "2019/04/30",
              "2019/05/01", "2019/05/02", "2019/05/03", "2019/05/04", "2019/05/05", "2019/05/06",
              "2019/07/15", "2019/08/11", "2019/08/12", "2019/09/16", "2019/09/23", "2019/10/14",
              "2019/10/22", "2019/11/03", "2019/11/04", "2019/11/23"}},
      // Olympic moves to July and August.
      {2020,
       {"2020/01/01", "2020/01/13", "2020/02/11", "2020/02/23", "2020/02/24", "2020/03/20",
        "2020/04/29", "2020/05/03", "2020/05/04", "2020/05/05", "2020/05/06", "2020/07/23",
        "2020/07/24", "2020/08/10", "2020/09/21", "2020/09/22", "2020/11/03", "2020/11/23"}},
      {2021,
       {"2021/01/01", "2021/01/11", "2021/02/11", "2021/02/23", "2021/03/20", "2021/04/29",
        "2021/05/03", "2021/05/04", "2021/05/05", "2021/07/22", "2021/07/23", "2021/08/08",
        "2021/08/09", "2021/09/20", "2021/09/23", "2021/11/03", "2021/11/23"}},
      // A citizens' holiday between 敬老の日 and 秋分の日.
      {2026,
       {"2026/01/01", "2026/01/12", "2026/02/11", "2026/02/23", "2026/03/20", "2026/04/29",
        "2026/05/03", "2026/05/04", "2026/05/05", "2026/05/06", "2026/07/20", "2026/08/11",
        "2026/09/21", "2026/09/22", "2026/09/23", "2026/10/12", "2026/11/03", "2026/11/23"}},
  };
  for (const YearList& year : kYears) {
    EXPECT_EQ(HolidayDates(year.year), year.dates) << year.year;
  }
}

TEST(JapanHolidaysTest, EquinoxDays) {
  struct Case {
    int year, vernal, autumnal;
  };
  const Case kCases[] = {
      {1990, 21, 23}, {2000, 20, 23}, {2012, 20, 22}, {2016, 20, 22}, {2023, 21, 23},
      {2024, 20, 22}, {2025, 20, 23}, {2027, 21, 23}, {2092, 19, 22},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(NameOn(c.year, 3, c.vernal), "春分の日") << c.year;
    EXPECT_EQ(NameOn(c.year, 9, c.autumnal), "秋分の日") << c.year;
    EXPECT_NE(NameOn(c.year, 3, c.vernal + 1), "春分の日") << c.year;
    EXPECT_NE(NameOn(c.year, 9, c.autumnal - 1), "秋分の日") << c.year;
  }
}

TEST(JapanHolidaysTest, LawChangesTakeEffectInTheirYears) {
  struct Case {
    int year, month, day;
    const char* name;  // "" when the date is no holiday
  };
  const Case kCases[] = {
      // Happy Monday: 成人の日 and 体育の日 from 2000, 海の日 and 敬老の日 from 2003.
      {1999, 1, 15, "成人の日"},
      {2000, 1, 10, "成人の日"},
      {2000, 1, 15, ""},
      {1999, 10, 10, "体育の日"},
      {1999, 10, 11, "振替休日"},
      {2000, 10, 9, "体育の日"},
      {2000, 10, 10, ""},
      {1995, 7, 20, ""},
      {1996, 7, 20, "海の日"},
      {2002, 7, 20, "海の日"},
      {2003, 7, 21, "海の日"},
      {2002, 9, 15, "敬老の日"},
      {2002, 9, 16, "振替休日"},
      {2004, 9, 20, "敬老の日"},
      {2004, 9, 15, ""},
      // 山の日 from 2016.
      {2015, 8, 11, ""},
      {2016, 8, 11, "山の日"},
      // 2007: 昭和の日 on 29 April, みどりの日 moves to 4 May.
      {2006, 4, 29, "みどりの日"},
      {2006, 5, 4, "国民の休日"},
      {2007, 4, 29, "昭和の日"},
      {2007, 4, 30, "振替休日"},
      {2007, 5, 4, "みどりの日"},
      // Before 2007 a Sunday 4 May was no holiday and had no substitute.
      {2003, 5, 6, ""},
      {2009, 5, 6, "振替休日"},
      {2016, 3, 21, "振替休日"},
      // The emperor's birthday.
      {2018, 12, 23, "天皇誕生日"},
      {2018, 12, 24, "振替休日"},
      {2019, 12, 23, ""},
      {2020, 2, 23, "天皇誕生日"},
      {2019, 2, 23, ""},
      // Days set by their own laws.
      {1990, 11, 12, "即位礼正殿の儀"},
      {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
      {2019, 5, 1, "天皇の即位の日"},
      {2019, 10, 22, "即位礼正殿の儀"},
      {2019, 4, 30, "国民の休日"},
      {2019, 5, 2, "国民の休日"},
      // Citizens' holidays between 敬老の日 and 秋分の日.
      {2009, 9, 22, "国民の休日"},
      {2015, 9, 22, "国民の休日"},
      {2026, 9, 22, "国民の休日"},
      // The Olympic years have no October holiday; スポーツの日 from 2022 on its Monday.
      {2020, 7, 24, "スポーツの日"},
      {2021, 10, 11, ""},
      {2022, 10, 10, "スポーツの日"},
      {2021, 8, 9, "振替休日"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(NameOn(c.year, c.month, c.day), c.name) << c.year << "/" << c.month << "/" << c.day;
  }
}

TEST(JapanHolidaysTest, ExchangeAddsItsYearEndClosures) {
  for (int year : {1990, 2004, 2020, 2035}) {
    std::vector<DayNumber> expected = {DayFromCivil(year, 1, 2), DayFromCivil(year, 1, 3),
                                       DayFromCivil(year, 12, 31)};
    for (const PublicHoliday& holiday : JapanHolidays(year)) expected.push_back(holiday.day);
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    EXPECT_EQ(ExchangeHolidays(year), expected) << year;
  }
}

TEST(JapanHolidaysTest, YearsOutsideTheRulesAreRefused) {
  EXPECT_THROW(JapanHolidays(1979), std::out_of_range);
  EXPECT_THROW(JapanHolidays(2100), std::out_of_range);
  EXPECT_NO_THROW(JapanHolidays(kFirstHolidayYear));
  EXPECT_NO_THROW(JapanHolidays(kLastHolidayYear));
}

TEST(HolidayFileTest, LinesAreSortedWeekdaysOfTheRange) {
  const Lines lines = HolidayFileLines(1990, 2035);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "1990/01/01");
  EXPECT_EQ(lines.back(), "2035/12/31");
  for (size_t i = 0; i < lines.size(); ++i) {
    const DayNumber day = SlashToDay(lines[i]);
    ASSERT_NE(day, 0) << lines[i];
    EXPECT_EQ(DayToSlash(day), lines[i]);
    EXPECT_GE(Weekday(day), 2) << lines[i];
    if (i > 0) {
      EXPECT_LT(lines[i - 1], lines[i]);
    }
  }
}

// The file read through the program's trading-day test closes exactly the weekday exchange
// holidays: no Sunday entry closes the Monday after it (Sunday 3 January 2010), and every
// substitute holiday is listed itself.
TEST(HolidayFileTest, TradingDayTestAgreesWithTheHolidays) {
  const HolidayList list(HolidayFileLines(1990, 2035));
  for (int year = 1990; year <= 2035; ++year) {
    const std::vector<DayNumber> closed = ExchangeHolidays(year);
    for (DayNumber day = DayFromCivil(year, 1, 1); day <= DayFromCivil(year, 12, 31); ++day) {
      const bool weekday = Weekday(day) >= 2;
      const bool holiday = std::binary_search(closed.begin(), closed.end(), day);
      ASSERT_EQ(IsTradingDay(day, list), weekday && !holiday) << DayToSlash(day);
    }
  }
  EXPECT_TRUE(IsTradingDay(DayFromCivil(2010, 1, 4), list));
  EXPECT_FALSE(IsTradingDay(DayFromCivil(2020, 5, 6), list));
  EXPECT_TRUE(IsTradingDay(DayFromCivil(2019, 5, 7), list));
  EXPECT_FALSE(IsTradingDay(DayFromCivil(2019, 4, 30), list));
}

}  // namespace
}  // namespace varnolt::demo
