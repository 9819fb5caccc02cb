#include "base/dates.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "base/numbers.h"

namespace varnolt {
namespace {

// Days from 1899-12-30 to 1970-01-01, the epoch of the civil-date algorithm below.
constexpr DayNumber kEpochOffset = 25569;

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
int64_t FloorMod(int64_t a, int64_t b) {
  return a - FloorDiv(a, b) * b;
}

bool IsLeap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// A field of one or more digits; -1 otherwise.
int DigitsValue(std::string_view text) {
  if (text.empty() || text.size() > 4) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string_view Chars(std::string_view text, size_t from, size_t count) {
  if (from >= text.size()) return {};
  return text.substr(from, count);
}

DayNumber DayOrZero(int year, int month, int day) {
  if (!IsValidCivil(year, month, day)) return 0;
  return DayFromCivil(year, month, day);
}

// First day of month (k mod 12) + 1 of year k div 12, for a month counted as 12·year + month−1.
DayNumber FirstOfMonthIndex(int64_t k) {
  return DayFromCivil(static_cast<int>(FloorDiv(k, 12)), static_cast<int>(FloorMod(k, 12)) + 1, 1);
}

}  // namespace

bool IsValidCivil(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

DayNumber DayFromCivil(int year, int month, int day) {
  const int64_t y = year - (month <= 2);
  const int64_t era = FloorDiv(y, 400);
  const int64_t year_of_era = y - era * 400;
  const int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return static_cast<DayNumber>(era * 146097 + day_of_era - 719468 + kEpochOffset);
}

CivilDate CivilFromDay(DayNumber day) {
  const int64_t z = static_cast<int64_t>(day) - kEpochOffset + 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t day_of_era = z - era * 146097;
  const int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int64_t mp = (5 * day_of_year + 2) / 153;
  const int d = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int y = static_cast<int>(year_of_era + era * 400 + (m <= 2));
  return {y, m, d};
}

DayNumber CompactToDay(std::string_view compact) {
  return DayOrZero(DigitsValue(Chars(compact, 0, 4)), DigitsValue(Chars(compact, 4, 2)),
                   DigitsValue(Chars(compact, 6, 2)));
}

DayNumber SlashToDay(std::string_view slash) {
  const auto first = slash.find('/');
  if (first == std::string_view::npos) return 0;
  const auto second = slash.find('/', first + 1);
  if (second == std::string_view::npos) return 0;
  const std::string_view year = slash.substr(0, first);
  const std::string_view month = slash.substr(first + 1, second - first - 1);
  const std::string_view day = slash.substr(second + 1);
  if (year.size() != 4 || month.size() > 2 || day.size() > 2) return 0;
  return DayOrZero(DigitsValue(year), DigitsValue(month), DigitsValue(day));
}

std::string DayToSlash(DayNumber day) {
  const CivilDate date = CivilFromDay(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", date.year, date.month, date.day);
  return text;
}

std::string SlashToCompact(std::string_view slash) {
  return std::string(Chars(slash, 0, 4)) + std::string(Chars(slash, 5, 2)) +
         std::string(Chars(slash, 8, 2));
}

std::string DayToCompact(DayNumber day) {
  return std::to_string(DayToCompactInt(day));
}

int32_t DayToCompactInt(DayNumber day) {
  const CivilDate date = CivilFromDay(day);
  return date.year * 10000 + date.month * 100 + date.day;
}

int ParseCount(std::string_view text) {
  const auto value = ParseInt(text);
  return value ? *value : -1;
}

bool IsAllDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string MonthKey(std::string_view text) {
  // Characters after position 5 up to the next "/", which must come within characters 6–8.
  const auto slash = text.find('/', 5);
  if (slash == std::string_view::npos || slash > 7) return {};
  std::string month(text.substr(5, slash - 5));
  if (month.size() == 1) month = "0" + month;
  return std::string(Chars(text, 0, 4)) + month;
}

DayNumber PeriodEndDay(DayNumber date, int n, DataUnit unit) {
  const CivilDate civil = CivilFromDay(date);
  switch (unit) {
    case DataUnit::kDay:
      return date + n - 1;
    case DataUnit::kWeek:
      return static_cast<DayNumber>(FloorDiv(date, 7) * 7 + 7 * n - 1);
    case DataUnit::kMonth:
      return FirstOfMonthIndex(12LL * civil.year + civil.month + n - 1) - 1;
    case DataUnit::kQuarter: {
      const int64_t q = 4LL * civil.year + (civil.month - 1) / 3 + n;
      return DayFromCivil(static_cast<int>(FloorDiv(q, 4)),
                          3 * static_cast<int>(FloorMod(q, 4)) + 1, 1) -
             1;
    }
    case DataUnit::kYear:
      return DayFromCivil(civil.year + n - 1, 12, 31);
  }
  return date;
}

DayNumber DayAfterPeriodEnd(DayNumber period_end, DataUnit unit) {
  return period_end + (unit == DataUnit::kWeek ? 3 : 1);
}

DayNumber PeriodStartDay(DayNumber date, DataUnit unit) {
  return DayAfterPeriodEnd(PeriodEndDay(date, 0, unit), unit);
}

std::string PeriodEnd(std::string_view compact, int n, DataUnit unit) {
  return DayToCompact(PeriodEndDay(CompactToDay(compact), n, unit));
}

std::string PeriodStart(std::string_view compact, DataUnit unit) {
  return DayToCompact(PeriodStartDay(CompactToDay(compact), unit));
}

DayNumber LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return DayFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string StartupStartDate(DayNumber today) {
  const CivilDate date = CivilFromDay(today);
  // Months counted from year 0, so that going back across January needs no special case.
  const int months = date.year * 12 + (date.month - 1) - 5;
  return DayToCompact(DayFromCivil(months / 12, months % 12 + 1, 1));
}

}  // namespace varnolt
