#pragma once

#include <optional>
#include <string>

#include "base/controls.h"
#include "chart/data_set.h"
#include "chart/pointer_readout.h"

namespace varnolt {

// A data set's price chart as the analysis pages draw over it: its mapping, and the rows of
// its band (top, and the axis 15 rows above the band's bottom where the date labels start).
struct AnalysisChart {
  ShownChart shown;
  int top = 0;
  int axis = 0;
};

struct AnalysisChartOrMessage {
  std::optional<AnalysisChart> chart;
  std::string message;  // a warning when there is no chart to draw on
};

// The common start of the analysis commands on data set 1 or 2 over an image of width ×
// height: the chart must be shown and its region boxes must name a range 1 ≤ from ≤ to ≤ 10.
// Throws ConversionError for a region box that is not a whole number.
AnalysisChartOrMessage StartAnalysis(const DataSet& data_set, const ControlValues& controls,
                                     int data_number, int width, int height);

// The horizontal position of bar number `bar` on the chart: the number itself, or with calendar
// spacing the day number of its date; bars past the last take the dates coming bars would have.
int64_t PositionOfBar(const DataSet& data_set, int64_t bar, bool calendar,
                      const HolidayList& holidays);

}  // namespace varnolt
