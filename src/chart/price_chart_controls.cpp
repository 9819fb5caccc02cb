#include "chart/price_chart_controls.h"

#include "base/data_set_names.h"

namespace varnolt {
namespace {

const BasicPageNames& Page(int data_set) {
  return DataSetNamesOf(data_set).basic;
}

}  // namespace

PriceChartBoxes PriceBoxesFromControls(const ControlValues& controls, int data_set) {
  const BasicPageNames& names = Page(data_set);
  PriceChartBoxes boxes;
  boxes.upper = controls.Text(names.upper);
  boxes.lower = controls.Text(names.lower);
  boxes.interval = controls.Text(names.interval);
  boxes.automatic = controls.Checked(names.automatic);
  boxes.auxiliary = controls.Checked(names.auxiliary);
  boxes.margin = controls.Text(names.margin);
  boxes.region_from = controls.Text(names.from);
  boxes.region_to = controls.Text(names.to);
  boxes.calendar = controls.Checked(names.calendar);
  boxes.type = controls.Checked(names.close_line)   ? ChartType::kCloseLine
               : controls.Checked(names.close_bars) ? ChartType::kCloseBars
                                                    : ChartType::kCandles;
  return boxes;
}

void StorePriceBoxes(const PriceChartBoxes& boxes, int data_set, ControlValues& controls) {
  const BasicPageNames& names = Page(data_set);
  controls.Set(names.upper, boxes.upper);
  controls.Set(names.lower, boxes.lower);
  controls.Set(names.interval, boxes.interval);
  controls.SetChecked(names.automatic, boxes.automatic);
  controls.SetChecked(names.auxiliary, boxes.auxiliary);
  controls.Set(names.margin, boxes.margin);
  controls.Set(names.from, boxes.region_from);
  controls.Set(names.to, boxes.region_to);
  controls.SetChecked(names.calendar, boxes.calendar);
  controls.SetChecked(names.candles, boxes.type == ChartType::kCandles);
  controls.SetChecked(names.close_bars, boxes.type == ChartType::kCloseBars);
  controls.SetChecked(names.close_line, boxes.type == ChartType::kCloseLine);
}

std::pair<std::string, std::string> TrendRegionNames(int data_set) {
  const CommandPanelNames& trend = DataSetNamesOf(data_set).trend;
  return {trend.from, trend.to};
}

}  // namespace varnolt
