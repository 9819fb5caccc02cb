#pragma once

#include "base/program_folder.h"
#include "series/calendar.h"
#include "store/day_record.h"

namespace varnolt {

// Reading one stock's slots year by year, as every reader that restates prices in today's
// share terms does.

// Reads the code's slot of a year; false when the year has no file. Like every reader, it
// allocates an empty slot for a code that has none in an existing file.
bool ReadYearSlot(const ProgramFolder& folder, int year, int code, SlotRecords& slot);

// The day number of 31 December of the year before: day index d of `year` is this + d.
inline DayNumber YearBase(int year) {
  return DayFromCivil(year, 1, 1) - 1;
}

// Day index range [from, to] of a year that the days first … last cover, clipped to 1..365.
struct DayRange {
  int from;
  int to;
};
DayRange RangeInYear(DayNumber year_base, DayNumber first, DayNumber last);

// The product of the split factors recorded after `day`, from the current year down to the
// day's year, in single precision: dividing a price of `day` by it gives today's share terms.
float SplitsAfter(const ProgramFolder& folder, int code, DayNumber day, int current_year);

}  // namespace varnolt
