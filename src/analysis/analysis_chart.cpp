#include "analysis/analysis_chart.h"

#include <algorithm>

#include "base/dates.h"
#include "base/messages.h"
#include "chart/bar_position.h"
#include "chart/price_chart_controls.h"

namespace varnolt {

AnalysisChartOrMessage StartAnalysis(const DataSet& data_set, const ControlValues& controls,
                                     int data_number, int width, int height) {
  if (!data_set.chart_shown) return {std::nullopt, kShowChartFirstMessage};
  const PriceChartBoxes boxes = PriceBoxesFromControls(controls, data_number);
  const auto [from, to] = ReadRegionBoxes(boxes.region_from, boxes.region_to);
  if (from < 1 || from > to || to > 10) return {std::nullopt, kBadRegionsMessage};
  // A scale that no longer maps (edited into equal bounds, or not numbers) has no chart to
  // draw on either.
  const auto shown = ShownPriceChart(data_set, controls, data_number, width, height);
  if (!shown) return {std::nullopt, kShowChartFirstMessage};
  AnalysisChart chart;
  chart.shown = *shown;
  chart.top = RegionTop(height, to);
  chart.axis = RegionBottom(height, from) - 15;
  return {chart, {}};
}

int64_t PositionOfBar(const DataSet& data_set, int64_t bar, bool calendar,
                      const HolidayList& holidays) {
  const int count = data_set.bars.Count();
  if (!calendar || count == 0) return bar;
  if (bar < 1) return BarPosition(data_set, 1, true) + (bar - 1);
  if (bar <= count) return BarPosition(data_set, static_cast<int>(bar), true);
  const int ahead = static_cast<int>(std::min<int64_t>(bar - count, kMaxBars * 10));
  const std::string date =
      NextBarDate(std::to_string(data_set.bars[count].date), ahead, data_set.unit, holidays);
  return CompactToDay(date);
}

}  // namespace varnolt
