#include "indicators/indicator_command.h"

#include "base/data_set_names.h"
#include "base/numbers.h"
#include "chart/bar_position.h"
#include "chart/command_record.h"
#include "chart/region_map.h"
#include "indicators/indicator_context.h"
#include "indicators/indicator_family.h"

namespace varnolt {
namespace {

// The shared steps: price chart first, scale and regions read, region check, the drawing of
// the list item, the record item. A drawing that fails ends the command there, with its message
// and without a record item.
IndicatorCommandResult RunCommand(IndicatorCommandEnvironment& environment, Pane pane) {
  const DataSetNames& data_names = DataSetNamesOf(environment.data_number);
  const BasicPageNames& basic = data_names.basic;
  const CommandPanelNames& panel = pane == Pane::kTrend ? data_names.trend : data_names.oscillator;
  IndicatorCommandResult result;
  if (!environment.data.chart_shown && !environment.show_price_chart()) return result;
  const ControlValues& controls = environment.controls;
  PriceScale scale;
  scale.upper = ToInt(controls.Text(basic.upper));
  scale.lower = ToInt(controls.Text(basic.lower));
  scale.margin = ToInt(controls.Text(basic.margin));
  scale.calendar = CalendarSpacing(environment.data, controls.Checked(basic.calendar));
  const auto [from, to] = ReadRegionBoxes(controls.Text(panel.from), controls.Text(panel.to));
  if (from < 1 || from > 10 || to < 1 || to > 10 || to < from) {
    result.message = kBadRegionsMessage;
    return result;
  }
  scale.from = from;
  scale.to = to;
  const int index = controls.ItemIndex(panel.list);
  const IndicatorFamily* family = FamilyOfItem(pane, index);
  // An item whose drawing is not there draws nothing and records nothing.
  if (family == nullptr) return result;
  IndicatorContext context{environment.data,        controls, environment.canvas,
                           environment.data_number, scale,    environment.statistics,
                           environment.holidays};
  DrawingResult drawn = FindListItem(pane, index)->draw(context);
  result.message = std::move(drawn.message);
  if (drawn.failed) return result;
  if (family->price_chart_on_top) {
    environment.show_price_chart();
    environment.show_price_chart();
  }
  const RecordKind kind = pane == Pane::kTrend ? RecordKind::kTrend : RecordKind::kOscillator;
  environment.data.command_record +=
      RecordText({kind, index, std::to_string(from), std::to_string(to)});
  result.drawn = true;
  return result;
}

}  // namespace

IndicatorCommandResult RunTrendCommand(IndicatorCommandEnvironment& environment) {
  return RunCommand(environment, Pane::kTrend);
}

IndicatorCommandResult RunOscillatorCommand(IndicatorCommandEnvironment& environment) {
  return RunCommand(environment, Pane::kOscillator);
}

}  // namespace varnolt
