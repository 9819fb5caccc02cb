#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/dates.h"

namespace varnolt {

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
