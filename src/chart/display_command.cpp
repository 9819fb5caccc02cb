#include "chart/display_command.h"

#include <optional>

#include "base/data_set_names.h"
#include "chart/price_chart.h"
#include "chart/price_chart_controls.h"
#include "store/financial_data.h"

namespace varnolt {

DisplayOutcome RunDisplayCommand(DataSet& data_set, int data_number, const ControlValues& controls,
                                 const ProgramFolder& folder, Canvas& canvas, bool zoom) {
  const PriceChartBoxes boxes = PriceBoxesFromControls(controls, data_number);
  const std::string& name_box = controls.Text(DataSetNamesOf(data_number).selection.code);
  const auto financial = data_set.loaded
                             ? ReadFinancialRecordOrNone(folder.DataDir(), data_set.current_code)
                             : std::nullopt;
  const PriceChartResult result =
      ShowPriceChart(data_set, boxes, name_box, financial, zoom, canvas);
  DisplayOutcome outcome;
  if (!result.message.empty()) {
    outcome.message = result.message;
    return outcome;
  }
  StorePriceBoxes(result.boxes, data_number, outcome.written);
  const auto [trend_from, trend_to] = TrendRegionNames(data_number);
  outcome.written.Set(trend_from, boxes.region_from);
  outcome.written.Set(trend_to, boxes.region_to);
  return outcome;
}

}  // namespace varnolt
