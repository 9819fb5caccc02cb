#pragma once

#include <cstdint>

#include "series/bar_table.h"

namespace varnolt {

// Whether a data set's charts space their bars by calendar day: only daily bars can, so a box
// left checked from daily data does not apply to weekly or longer bars. The price chart, every
// indicator and the pointer ask here, so they agree on where a bar stands.
inline bool CalendarSpacing(const LoadedSeries& data_set, bool box_checked) {
  return box_checked && data_set.unit == DataUnit::kDay;
}

// The horizontal position of bar `bar`: its number, or with calendar spacing the day number of
// its date.
int64_t BarPosition(const LoadedSeries& data_set, int bar, bool calendar);

}  // namespace varnolt
