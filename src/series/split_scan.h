#pragma once

#include <functional>

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

// Where a reader takes one stock's slot of a year from: the store itself, or slots read once
// for many loads of the same stock. Nothing when the year has no file; the slot stays valid
// until the next call.
using YearSlots = std::function<const SlotRecords*(int year)>;

// The store's slots of a code, read afresh at each call.
YearSlots StoreYearSlots(const ProgramFolder& folder, int code);

// The product of the split factors recorded after `day`, from the current year down to the
// day's year, in single precision: dividing a price of `day` by it gives today's share terms.
float SplitsAfter(const ProgramFolder& folder, int code, DayNumber day, int current_year);
float SplitsAfter(const YearSlots& slots, DayNumber day, int current_year);

}  // namespace varnolt
