#include "series/calendar.h"

#include <cmath>

#include "base/file_cache.h"
#include "base/text_file.h"

namespace varnolt {

HolidayList::HolidayList(const std::vector<std::string>& lines)
    : entries_(lines.begin(), lines.end()) {}

std::shared_ptr<const HolidayList> LoadHolidayListShared(const std::filesystem::path& path) {
  static FileCache<HolidayList> cache(
      [](const std::filesystem::path& file) { return HolidayList(ReadLines(file)); });
  if (auto list = cache.Get(path)) return list;
  return std::make_shared<const HolidayList>();
}

HolidayList LoadHolidayList(const std::filesystem::path& path) {
  return *LoadHolidayListShared(path);
}

bool IsTradingDay(DayNumber day, const HolidayList& holidays) {
  auto listed = [&holidays](DayNumber d) {
    const std::string slash = DayToSlash(d);
    return holidays.Contains(slash) || holidays.Contains(slash.substr(5, 5));
  };
  const int weekday = Weekday(day);
  if (weekday == 0 || weekday == 1) return false;
  // A holiday on Sunday moves to the Monday after it.
  if (weekday == 2 && listed(day - 1)) return false;
  return !listed(day);
}

std::string NextBarDate(std::string_view compact, int n, DataUnit unit,
                        const HolidayList& holidays) {
  const DayNumber date = CompactToDay(compact);
  if (unit != DataUnit::kDay)
    return DayToCompact(DayAfterPeriodEnd(PeriodEndDay(date, n, unit), unit));
  DayNumber day = date;
  for (int i = 0; i < n; ++i) {
    ++day;
    while (!IsTradingDay(day, holidays)) ++day;
  }
  return DayToCompact(day);
}

int UpdateNeed(int64_t mark, double now, bool scheduled, const HolidayList& holidays) {
  // The thresholds are the single-precision fractions of the day the program has always used.
  const double t1 = scheduled ? 0.6666667f : 0.6875f;  // 16:00 or 16:30
  const double t2 = scheduled ? 0.875f : 0.9166667f;   // 21:00 or 22:00
  const auto today = static_cast<DayNumber>(std::trunc(now));
  const double fraction = now - today;
  const DayNumber last = fraction < t1 ? today - 1 : today;
  const auto first = static_cast<DayNumber>(std::floor(static_cast<double>(mark) / 10 + 0.5));
  int result = 0;
  for (DayNumber day = first; day <= last; ++day) {
    if (!IsTradingDay(day, holidays)) continue;
    if (day < today) {
      result = 2;
    } else if (day == today && result == 0) {
      if (fraction > t2) {
        result = 2;
      } else if (mark != static_cast<int64_t>(today) * 10) {
        result = 1;
      }
    }
  }
  return result;
}

}  // namespace varnolt
