#include "chart/bar_position.h"

#include <string>

#include "base/dates.h"

namespace varnolt {

int64_t BarPosition(const LoadedSeries& data_set, int bar, bool calendar) {
  if (!calendar) return bar;
  return CompactToDay(std::to_string(data_set.bars[bar].date));
}

}  // namespace varnolt
