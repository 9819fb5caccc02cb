#include "indicators/record_replay.h"

#include "base/data_set_names.h"
#include "chart/command_record.h"

namespace varnolt {
namespace {

void SelectPanelItem(ControlValues& controls, const CommandPanelNames& names,
                     const RecordItem& item) {
  controls.Set(names.list, std::to_string(item.item));
  controls.Set(names.from, item.from);
  controls.Set(names.to, item.to);
}

// The display command of a price chart item: chart type 1 candles, 2 close bars, 3 close line.
std::string ReplayPriceChart(IndicatorCommandEnvironment& environment, const RecordItem& item) {
  if (item.item < 1 || item.item > 3) {
    return "unknown chart type " + std::to_string(item.item) +
           " (1 candlesticks, 2 close bars, 3 close line)";
  }
  const BasicPageNames& names = DataSetNamesOf(environment.data_number).basic;
  ControlValues& controls = environment.controls;
  controls.Set(names.from, item.from);
  controls.Set(names.to, item.to);
  controls.SetChecked(names.candles, item.item == 1);
  controls.SetChecked(names.close_bars, item.item == 2);
  controls.SetChecked(names.close_line, item.item == 3);
  environment.show_price_chart();
  return {};
}

}  // namespace

std::string ReplayCommandRecord(std::string_view record, IndicatorCommandEnvironment& environment) {
  const DataSetNames& names = DataSetNamesOf(environment.data_number);
  std::string message;
  ReplayRecord(record, [&](const RecordItem& item) {
    switch (item.kind) {
      case RecordKind::kPriceChart:
        message = ReplayPriceChart(environment, item);
        break;
      case RecordKind::kTrend:
        SelectPanelItem(environment.controls, names.trend, item);
        message = RunTrendCommand(environment).message;
        break;
      case RecordKind::kOscillator:
        SelectPanelItem(environment.controls, names.oscillator, item);
        message = RunOscillatorCommand(environment).message;
        break;
      default:
        message = "unknown record kind " + std::to_string(static_cast<int>(item.kind)) +
                  " (1 price bars, 2 skipped, 3 trend chart, 4 oscillator)";
        break;
    }
    return message.empty();
  });
  return message;
}

}  // namespace varnolt
