#pragma once

#include <string_view>
#include <vector>

#include "base/text_file.h"
#include "series/calendar.h"

namespace varnolt::demo {

// The years the holiday rules cover: the equinox formula holds from 1980 to 2099. Other years
// throw std::out_of_range.
inline constexpr int kFirstHolidayYear = 1980;
inline constexpr int kLastHolidayYear = 2099;

struct PublicHoliday {
  DayNumber day = 0;
  std::string_view name;
};

// The public holidays of a year under the holiday law: the named days, the days set by their own
// laws, substitute holidays (振替休日) and citizens' holidays (国民の休日). Sorted by date;
// holidays on a weekend are included.
std::vector<PublicHoliday> JapanHolidays(int year);

// The days of the year on which the exchange does not trade apart from weekends: the public
// holidays and its own closures on 2 and 3 January and 31 December. Sorted; weekend dates included.
std::vector<DayNumber> ExchangeHolidays(int year);

// The lines of holidays.txt for the years: every exchange holiday that falls on a weekday as
// "yyyy/mm/dd", sorted. Weekend dates are left out on purpose: the trading-day test closes the
// Monday after any listed Sunday, so listing Sunday 3 January 2010 would close Monday 4 January.
Lines HolidayFileLines(int first_year, int last_year);

}  // namespace varnolt::demo
