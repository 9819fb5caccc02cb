#pragma once

#include <string>

#include "chart/canvas.h"
#include "chart/data_set.h"
#include "chart/pointer_readout.h"
#include "series/calendar.h"

namespace varnolt {

// Data 2's boxes after a zoom rectangle over data 1's price chart.
struct ZoomBoxes {
  std::string start;   // edDtst2
  std::string end;     // edDTed2
  std::string upper;   // edUP2
  std::string lower;   // edDown2
  std::string margin;  // edspc2: room for coming bars when the rectangle reaches past the data
};

// The rectangle from `start` to `release` on data 1's chart `chart1`: the release corner gives
// the start date and the upper price, the start corner the end date and the lower price, each
// pair put in order afterwards. A corner left of the first displayed bar names no date, and
// that date box keeps its text (`start_box`, `end_box`). With calendar spacing a corner names
// the calendar day under it; the load then takes the trading days between the two. Prices
// below zero are read as zero, the lowest price a chart can show.
ZoomBoxes PlanZoom(const ShownChart& chart1, const DataSet& data1, const HolidayList& holidays,
                   Point start, Point release, const std::string& start_box,
                   const std::string& end_box);

}  // namespace varnolt
