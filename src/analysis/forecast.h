#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "series/bar_table.h"
#include "series/calendar.h"

namespace varnolt {

// A data set's bars with the lines of its data list, as the forecast input changes them.
struct ForecastTable {
  BarTable bars;
  std::vector<std::string> lines;
};

// Takes the forecast bars off the end (their list lines carry "予測") and gives their closes in
// date order, joined by commas: what the input dialog offers again.
std::string RemoveForecasts(ForecastTable& table);

// Appends one forecast bar per comma-separated value of `typed`, each on the next bar date with
// open = high = low = close = the value rounded to yen and no volume, and its list line in data
// set 1's or 2's format. Returns a warning, and changes nothing, when the bars would not fit the
// bar table. Throws ConversionError, changing nothing, for a value that does not read.
std::string AppendForecasts(ForecastTable& table, std::string_view typed, DataUnit unit,
                            int data_number, const HolidayList& holidays);

}  // namespace varnolt
