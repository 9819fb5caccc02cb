#include "chart/price_chart_controls.h"

namespace varnolt {
namespace {

struct PageNames {
  const char* upper;
  const char* lower;
  const char* interval;
  const char* automatic;
  const char* auxiliary;
  const char* margin;
  const char* from;
  const char* to;
  const char* candles;
  const char* close_bars;
  const char* close_line;
  const char* calendar;
};

constexpr PageNames kPages[2] = {
    {"edUP", "edDown", "edInter", "cbauto1", "cbsup", "edspc", "edv1", "edv2", "rbfour", "rbendbox",
     "rbendline", "cbcalen"},
    {"edUP2", "edDown2", "edInter2", "cbauto2", "cbsup2", "edspc2", "ed2v1", "ed2v2", "rbfour2",
     "rbendbox2", "rbendline2", "cbcalen2"},
};

const PageNames& Page(int data_set) {
  return kPages[data_set == 2 ? 1 : 0];
}

}  // namespace

PriceChartBoxes PriceBoxesFromControls(const ControlValues& controls, int data_set) {
  const PageNames& names = Page(data_set);
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
  const PageNames& names = Page(data_set);
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
  return data_set == 2 ? std::pair<std::string, std::string>{"ed2cv1", "ed2cv2"}
                       : std::pair<std::string, std::string>{"edcv1", "edcv2"};
}

}  // namespace varnolt
