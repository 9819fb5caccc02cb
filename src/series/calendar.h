#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

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

// holidays.txt: each line a "yyyy/mm/dd" date or an "mm/dd" day of every year, matched as
// whole-line text.
class HolidayList {
 public:
  HolidayList() = default;
  explicit HolidayList(const std::vector<std::string>& lines);
  bool Contains(std::string_view entry) const { return entries_.count(std::string(entry)) > 0; }
  bool Empty() const { return entries_.empty(); }

 private:
  std::unordered_set<std::string> entries_;
};

// Reads holidays.txt; a missing file is an empty list, which makes every weekday a trading day.
HolidayList LoadHolidayList(const std::filesystem::path& path);
// The same, shared with other readers and parsed again only when the file has changed.
std::shared_ptr<const HolidayList> LoadHolidayListShared(const std::filesystem::path& path);

bool IsTradingDay(DayNumber day, const HolidayList& holidays);

// Compact date of the n-th bar position after the date in the data unit: n trading days for
// daily data, else the first day of the n-th period after the date's period.
std::string NextBarDate(std::string_view compact, int n, DataUnit unit,
                        const HolidayList& holidays);

// Whether new trading days have passed since the update mark (day number × 10 + phase):
// 0 nothing new, 1 today's trading has closed and is not yet fetched, 2 a full day is missing.
// `now` is the data server's date-time in days since day 0; `scheduled` selects the earlier
// thresholds of the scheduled update.
int UpdateNeed(int64_t mark, double now, bool scheduled, const HolidayList& holidays);

}  // namespace varnolt
