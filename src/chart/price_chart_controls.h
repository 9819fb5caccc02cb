#pragma once

#include "base/controls.h"
#include "chart/price_chart.h"

namespace varnolt {

// The basic settings page of data set 1 or 2 read from and written to the controls.
PriceChartBoxes PriceBoxesFromControls(const ControlValues& controls, int data_set);
void StorePriceBoxes(const PriceChartBoxes& boxes, int data_set, ControlValues& controls);

// Names of the region boxes of the trend page, which the display command fills.
std::pair<std::string, std::string> TrendRegionNames(int data_set);

}  // namespace varnolt
