#include "demo/japan_holidays.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace varnolt::demo {
namespace {

constexpr int kOpenEnded = 9999;

enum class Kind {
  kFixed,     // a fixed day of the month
  kMonday,    // the n-th Monday of the month (the "Happy Monday" law of 2000 and 2003)
  kVernal,    // the vernal equinox day
  kAutumnal,  // the autumnal equinox day
};

struct Rule {
  std::string_view name;
  int from;  // first year in force
  int to;    // last year in force
  int month;
  int day;  // kFixed: day of the month; kMonday: which Monday
  Kind kind;
};

// The named days of the holiday law, one line per wording in force.
constexpr Rule kRules[] = {
    {"元日", 1949, kOpenEnded, 1, 1, Kind::kFixed},
    {"成人の日", 1949, 1999, 1, 15, Kind::kFixed},
    {"成人の日", 2000, kOpenEnded, 1, 2, Kind::kMonday},
    {"建国記念の日", 1967, kOpenEnded, 2, 11, Kind::kFixed},
    {"天皇誕生日", 2020, kOpenEnded, 2, 23, Kind::kFixed},
    {"春分の日", 1949, kOpenEnded, 3, 0, Kind::kVernal},
    {"天皇誕生日", 1949, 1988, 4, 29, Kind::kFixed},
    {"みどりの日", 1989, 2006, 4, 29, Kind::kFixed},
    {"昭和の日", 2007, kOpenEnded, 4, 29, Kind::kFixed},
    {"憲法記念日", 1949, kOpenEnded, 5, 3, Kind::kFixed},
    {"みどりの日", 2007, kOpenEnded, 5, 4, Kind::kFixed},  // a citizens' holiday before 2007
    {"こどもの日", 1949, kOpenEnded, 5, 5, Kind::kFixed},
    {"海の日", 1996, 2002, 7, 20, Kind::kFixed},
    {"海の日", 2003, 2019, 7, 3, Kind::kMonday},
    {"海の日", 2022, kOpenEnded, 7, 3, Kind::kMonday},  // 2020, 2021: moved for the Olympics
    {"山の日", 2016, 2019, 8, 11, Kind::kFixed},
    {"山の日", 2022, kOpenEnded, 8, 11, Kind::kFixed},  // 2020, 2021: moved for the Olympics
    {"敬老の日", 1966, 2002, 9, 15, Kind::kFixed},
    {"敬老の日", 2003, kOpenEnded, 9, 3, Kind::kMonday},
    {"秋分の日", 1948, kOpenEnded, 9, 0, Kind::kAutumnal},
    {"体育の日", 1966, 1999, 10, 10, Kind::kFixed},
    {"体育の日", 2000, 2019, 10, 2, Kind::kMonday},
    {"スポーツの日", 2022, kOpenEnded, 10, 2, Kind::kMonday},  // renamed from 2020
    {"文化の日", 1948, kOpenEnded, 11, 3, Kind::kFixed},
    {"勤労感謝の日", 1948, kOpenEnded, 11, 23, Kind::kFixed},
    {"天皇誕生日", 1989, 2018, 12, 23, Kind::kFixed},  // none in 2019, Feb 23 from 2020
};

struct OneOff {
  int year;
  int month;
  int day;
  std::string_view name;
};

// Days made holidays by their own laws, and the Olympic moves of 2020 and 2021. 30 April and
// 2 May 2019 need no line: the citizens' holiday rule makes them holidays between the days here.
constexpr OneOff kOneOffs[] = {
    {1989, 2, 24, "昭和天皇の大喪の礼"},
    {1990, 11, 12, "即位礼正殿の儀"},
    {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
    {2019, 5, 1, "天皇の即位の日"},
    {2019, 10, 22, "即位礼正殿の儀"},
    {2020, 7, 23, "海の日"},
    {2020, 7, 24, "スポーツの日"},
    {2020, 8, 10, "山の日"},
    {2021, 7, 22, "海の日"},
    {2021, 7, 23, "スポーツの日"},
    {2021, 8, 8, "山の日"},  // a Sunday: 9 August is its substitute
};

// Substitute holidays exist since 1973; until 2006 only the Monday after a Sunday holiday, from
// 2007 the first following day that is not itself a holiday.
constexpr int kSubstituteNextFreeDayFrom = 2007;
// A weekday between two holidays is a holiday since the amendment of late 1985; until 2006 a
// Sunday never became one.
constexpr int kCitizensHolidayFrom = 1986;
constexpr int kCitizensHolidaySundayFrom = 2007;

constexpr int kSunday = 1;
constexpr int kMonday = 2;

// The standard formula, valid 1980–2099, in millionths of a day to stay exact:
// floor(base + 0.242194 × (y − 1980) − floor((y − 1980) / 4)).
int EquinoxDay(int year, int64_t base_millionths) {
  const int64_t k = year - 1980;
  return static_cast<int>((base_millionths + 242194 * k) / 1000000 - k / 4);
}

DayNumber NthMonday(int year, int month, int n) {
  const DayNumber first = DayFromCivil(year, month, 1);
  const int to_monday = (kMonday - Weekday(first) + 7) % 7;
  return first + to_monday + 7 * (n - 1);
}

DayNumber RuleDay(const Rule& rule, int year) {
  switch (rule.kind) {
    case Kind::kFixed:
      return DayFromCivil(year, rule.month, rule.day);
    case Kind::kMonday:
      return NthMonday(year, rule.month, rule.day);
    case Kind::kVernal:
      return DayFromCivil(year, 3, EquinoxDay(year, 20843100));
    case Kind::kAutumnal:
      return DayFromCivil(year, 9, EquinoxDay(year, 23248800));
  }
  return 0;
}

bool Contains(const std::vector<PublicHoliday>& holidays, DayNumber day) {
  return std::any_of(holidays.begin(), holidays.end(),
                     [day](const PublicHoliday& h) { return h.day == day; });
}

}  // namespace

std::vector<PublicHoliday> JapanHolidays(int year) {
  if (year < kFirstHolidayYear || year > kLastHolidayYear) {
    throw std::out_of_range("no holiday rules for the year " + std::to_string(year));
  }
  // The named days first: substitutes and citizens' holidays are defined from them alone.
  std::vector<PublicHoliday> named;
  for (const Rule& rule : kRules) {
    if (year >= rule.from && year <= rule.to) named.push_back({RuleDay(rule, year), rule.name});
  }
  for (const OneOff& day : kOneOffs) {
    if (day.year == year) named.push_back({DayFromCivil(year, day.month, day.day), day.name});
  }

  std::vector<PublicHoliday> holidays = named;
  for (const PublicHoliday& holiday : named) {
    if (Weekday(holiday.day) != kSunday) continue;
    DayNumber substitute = holiday.day + 1;
    if (year >= kSubstituteNextFreeDayFrom) {
      while (Contains(named, substitute)) ++substitute;
    } else if (Contains(named, substitute)) {
      continue;
    }
    holidays.push_back({substitute, "振替休日"});
  }
  if (year >= kCitizensHolidayFrom) {
    for (const PublicHoliday& holiday : named) {
      const DayNumber between = holiday.day + 1;
      if (Contains(holidays, between) || !Contains(named, between + 1)) continue;
      if (Weekday(between) == kSunday && year < kCitizensHolidaySundayFrom) continue;
      holidays.push_back({between, "国民の休日"});
    }
  }
  std::sort(holidays.begin(), holidays.end(),
            [](const PublicHoliday& a, const PublicHoliday& b) { return a.day < b.day; });
  return holidays;
}

std::vector<DayNumber> ExchangeHolidays(int year) {
  std::vector<DayNumber> days = {DayFromCivil(year, 1, 2), DayFromCivil(year, 1, 3),
                                 DayFromCivil(year, 12, 31)};
  for (const PublicHoliday& holiday : JapanHolidays(year)) days.push_back(holiday.day);
  std::sort(days.begin(), days.end());
  days.erase(std::unique(days.begin(), days.end()), days.end());
  return days;
}

Lines HolidayFileLines(int first_year, int last_year) {
  Lines lines;
  for (int year = first_year; year <= last_year; ++year) {
    for (DayNumber day : ExchangeHolidays(year)) {
      const int weekday = Weekday(day);
      if (weekday != 0 && weekday != kSunday) lines.push_back(DayToSlash(day));
    }
  }
  return lines;
}

}  // namespace varnolt::demo
