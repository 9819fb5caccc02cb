#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnolt {

// Whole days since 30 December 1899 (day 0, a Saturday). 0 also means "not a valid date".
using DayNumber = int32_t;

// The five data units of the radio groups "データ単位", in item order.
enum class DataUnit { kDay = 0, kWeek = 1, kMonth = 2, kQuarter = 3, kYear = 4 };

struct CivilDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

bool IsValidCivil(int year, int month, int day);
DayNumber DayFromCivil(int year, int month, int day);  // the date must be valid
CivilDate CivilFromDay(DayNumber day);
// 0 Saturday, 1 Sunday, 2 Monday … 6 Friday.
inline int Weekday(DayNumber day) {
  return ((day % 7) + 7) % 7;
}

// Conversions between the compact date (yyyymmdd), the slash date (yyyy/mm/dd) and day numbers.
DayNumber CompactToDay(std::string_view compact);
std::string DayToSlash(DayNumber day);
std::string SlashToCompact(std::string_view slash);
std::string DayToCompact(DayNumber day);
int32_t DayToCompactInt(DayNumber day);
// A slash date with one- or two-digit month and day ("2005/1/4"); 0 when it does not read.
DayNumber SlashToDay(std::string_view slash);

// The integer value of the text, or −1 when it is not an integer.
int ParseCount(std::string_view text);
// True when every character is a digit; the empty text counts as all digits.
bool IsAllDigits(std::string_view text);
// "2004/3/…" or "2004/03/…" → "200403"; empty when no "/" follows within characters 6–8.
std::string MonthKey(std::string_view text);

// The last day of the period n − 1 periods after the date's own period (n = 1: the date's own
// period; n = 0: the day before it begins). Weeks run Saturday to Friday.
DayNumber PeriodEndDay(DayNumber date, int n, DataUnit unit);
// First day of the period after the one ending on `period_end`: Monday for weeks.
DayNumber DayAfterPeriodEnd(DayNumber period_end, DataUnit unit);
DayNumber PeriodStartDay(DayNumber date, DataUnit unit);

// The same on compact dates, as the date boxes hold them; the date must convert.
std::string PeriodEnd(std::string_view compact, int n, DataUnit unit);
std::string PeriodStart(std::string_view compact, DataUnit unit);

// The local date of the machine's clock.
DayNumber LocalToday();

// The start date the data selection pages open with: the first day of the month five months
// before today's month, so that the period covers six calendar months including the current one.
std::string StartupStartDate(DayNumber today);

}  // namespace varnolt
