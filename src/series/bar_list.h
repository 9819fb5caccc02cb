#pragma once

#include <string>
#include <string_view>

#include "series/bar_table.h"

namespace varnolt {

// The list box lines of a loaded series: one per displayed bar, from the first displayed bar to
// the last. A line is formatted only when it is asked for, so that a load of 10,000 bars does
// not format lines nobody looks at.

// Number of list lines: the displayed bars; 0 when nothing was displayed.
int BarListCount(const LoadedSeries& series);

// Line `row` (0 = the first displayed bar): "%8d , %9d , %9d , %9d , %9d" of date and prices,
// " (調整値)" when adjusted, the volume with the divisor's label, and the split or merge.
std::string BarListLine(const LoadedSeries& series, int row);

// The caption of the volume divisor as the list lines end with it.
std::string_view VolumeLabel(int divisor);

}  // namespace varnolt
