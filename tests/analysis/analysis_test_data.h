#pragma once

#include "base/controls.h"
#include "base/dates.h"
#include "chart/data_set.h"
#include "series/calendar.h"

namespace varnolt::testing {

// Sixty daily bars on the weekdays from Monday 5 January 2026, all shown, closing between 1000
// and 1200, with the chart drawn.
inline DataSet SixtyDays() {
  DataSet data;
  for (DayNumber day = DayFromCivil(2026, 1, 5); data.bars.Count() < 60; ++day) {
    if (!IsTradingDay(day, HolidayList())) continue;
    const int32_t close = 1000 + (data.bars.Count() * 7) % 200;
    data.bars.Append({DayToCompactInt(day), close, close + 5, close - 5, close, 100, 0});
  }
  data.first_shown = 1;
  data.loaded = data.chart_shown = true;
  return data;
}

// The boxes that display left: scale 1300 … 900 over all regions, margin 10.
inline ControlValues ChartBoxes() {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edUP", "1300");
  controls.Set("edDown", "900");
  controls.Set("edspc", "10");
  return controls;
}

}  // namespace varnolt::testing
