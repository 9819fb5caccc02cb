#pragma once

#include <cstdint>
#include <functional>

#include "base/program_folder.h"
#include "series/calendar.h"
#include "store/day_record.h"

namespace varnolt {

struct LatestQuote {
  int32_t close = 0;   // whole yen; 0 when the search found no day with a close
  int32_t open = 0;    // whole yen
  int64_t volume = 0;  // shares
  DayNumber date = 0;  // the day of the last record read: the close's day when close ≠ 0
};

// The close, open and volume of the last day with a close on or before `date`, restated in
// today's share terms across later splits. The search walks back at most 30 records in the
// date's year and pays 15 more of that budget for every year boundary it crosses, so a date
// early in January still finds the end of December but a long gap yields close 0. When no
// year file of the search exists, `date` comes back as given. `today` is the local date.
// Throws FileError when a year file cannot be read.
LatestQuote LatestPrice(const ProgramFolder& folder, int code, DayNumber date, DayNumber today);

// Where LatestPrice's search reads one stock's records: the record of day index d (1 … 365)
// of a year, or nothing when the year has no file. The record stays valid until the next call.
using DayRecordOf = std::function<const DayRecord*(int year, int d)>;

// LatestPrice's search over records kept elsewhere, with `factor` the product of the splits
// after the date (SplitsAfter's, or 1 from today on).
LatestQuote LatestPriceFrom(const DayRecordOf& record_of, DayNumber date, float factor);

}  // namespace varnolt
