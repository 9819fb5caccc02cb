#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/controls.h"
#include "chart/data_set.h"
#include "chart/region_map.h"
#include "series/calendar.h"

namespace varnolt {

// A data set's price chart as the pointer reads it: the mapping of the last display and
// whether its positions are day numbers.
struct ShownChart {
  RegionFrame frame;
  bool calendar = false;
};

// The price chart of data set 1 or 2 on an image of width × height, from the scale and regions
// its display left in the basic settings boxes; nothing while the chart is not shown or the
// boxes no longer read as a scale.
std::optional<ShownChart> ShownPriceChart(const DataSet& data_set, const ControlValues& controls,
                                          int data_number, int width, int height);

// What lies under one pixel of a shown price chart.
struct PointerPoint {
  int64_t position = 1;  // bar number, or day number with calendar spacing
  int64_t offset = 1;    // 1 at the first displayed position
  int64_t price = 0;
  // Compact date of the position: the bar's date, a coming bar's date past the last bar, the
  // calendar day with calendar spacing. None left of the first displayed bar without calendar
  // spacing, where no date is known.
  std::optional<std::string> date;
  int bar = 0;               // the bar under the pointer, 0 for none
  bool beyond_last = false;  // past the last bar
};

// `holidays` dates the coming bars past the last one.
PointerPoint PointAt(const ShownChart& chart, const DataSet& data_set, const HolidayList& holidays,
                     int x, int y);

// The readout boxes of one data set: date, offset and price under the pointer and the bar
// there. This is what the pointer last showed, which the analysis pages take over on a double
// click.
struct PointerReadout {
  std::string date;  // compact date; empty until the pointer has shown one
  int64_t offset = 0;
  int64_t price = 0;
  std::optional<Bar> bar;

  bool operator==(const PointerReadout&) const = default;
};

// The readout after the pointer moved to `point`: a point without a date keeps the date shown.
PointerReadout NextReadout(const PointerReadout& shown, const PointerPoint& point,
                           const DataSet& data_set);

// The boxes of data set 1 or 2's readout row.
struct ReadoutBoxNames {
  const char* date;
  const char* offset;
  const char* price;
  const char* open;
  const char* high;
  const char* low;
  const char* close;
};
const ReadoutBoxNames& ReadoutNamesOf(int data_number);

// Box name and text for every box of the row; the bar boxes are empty without a bar.
std::vector<std::pair<const char*, std::string>> ReadoutTexts(const PointerReadout& readout,
                                                              int data_number);

}  // namespace varnolt
