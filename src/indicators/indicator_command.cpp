#include "indicators/indicator_command.h"

#include "base/numbers.h"
#include "chart/command_record.h"
#include "chart/region_map.h"
#include "indicators/indicator_context.h"
#include "indicators/indicator_family.h"

namespace varnolt {
namespace {

// Names of one data set's controls that an indicator command reads.
struct CommandNames {
  const char* upper;
  const char* lower;
  const char* margin;
  const char* calendar;
  const char* from;
  const char* to;
  const char* list;
};

CommandNames TrendNames(int data_number) {
  return data_number == 2
             ? CommandNames{"edUP2",  "edDown2", "edspc2",  "cbcalen2",
                            "ed2cv1", "ed2cv2",  "cbchart2"}
             : CommandNames{"edUP", "edDown", "edspc", "cbcalen", "edcv1", "edcv2", "cbchart1"};
}

CommandNames OscillatorNames(int data_number) {
  return data_number == 2
             ? CommandNames{"edUP2", "edDown2", "edspc2", "cbcalen2", "ed2ov1", "ed2ov2", "cbos2"}
             : CommandNames{"edUP", "edDown", "edspc", "cbcalen", "edov1", "edov2", "cbos1"};
}

// The shared steps: price chart first, scale and regions read, region check, the drawing of
// the list item, the record item. A drawing that fails ends the command there, with its message
// and without a record item.
IndicatorCommandResult RunCommand(IndicatorCommandEnvironment& environment,
                                  const CommandNames& names, Pane pane) {
  IndicatorCommandResult result;
  if (!environment.data.chart_shown && !environment.show_price_chart()) return result;
  const ControlValues& controls = environment.controls;
  PriceScale scale;
  scale.upper = ToInt(controls.Text(names.upper));
  scale.lower = ToInt(controls.Text(names.lower));
  scale.margin = ToInt(controls.Text(names.margin));
  scale.calendar = controls.Checked(names.calendar);
  const auto [from, to] = ReadRegionBoxes(controls.Text(names.from), controls.Text(names.to));
  if (from < 1 || from > 10 || to < 1 || to > 10 || to < from) {
    result.message = kBadRegionsMessage;
    return result;
  }
  scale.from = from;
  scale.to = to;
  const int index = controls.ItemIndex(names.list);
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
  const int kind = pane == Pane::kTrend ? 3 : 4;
  environment.data.command_record +=
      RecordText({kind, index, std::to_string(from), std::to_string(to)});
  result.drawn = true;
  return result;
}

}  // namespace

IndicatorCommandResult RunTrendCommand(IndicatorCommandEnvironment& environment) {
  return RunCommand(environment, TrendNames(environment.data_number), Pane::kTrend);
}

IndicatorCommandResult RunOscillatorCommand(IndicatorCommandEnvironment& environment) {
  return RunCommand(environment, OscillatorNames(environment.data_number), Pane::kOscillator);
}

}  // namespace varnolt
