#pragma once

#include <functional>
#include <string>

#include "base/controls.h"
#include "chart/canvas.h"
#include "chart/data_set.h"

namespace varnolt {

// What the window supplies to an indicator command besides the controls: the data set, the
// chart image, the statistics page text, and a way to run the price chart display command of
// the same data set (which returns whether the chart is now shown).
struct IndicatorCommandEnvironment {
  DataSet& data;
  ControlValues& controls;
  Canvas& canvas;
  int data_number = 1;
  std::string& statistics;
  std::function<bool()> show_price_chart;
  const HolidayList* holidays = nullptr;
};

struct IndicatorCommandResult {
  std::string message;  // a warning to show
  bool drawn = false;   // the command got through and appended to the command record
};

// The trend command ("表示" on page ﾁｬｰﾄ) after its undo snapshot: the price chart first when it
// is not shown, the region check, the indicator of cbchart1/cbchart2, the record item "3,…".
IndicatorCommandResult RunTrendCommand(IndicatorCommandEnvironment& environment);

// The oscillator command ("表示" on page ｵｼﾚｰﾀｰ) after its undo snapshot, with the item of
// cbos1/cbos2 and the record item "4,…".
IndicatorCommandResult RunOscillatorCommand(IndicatorCommandEnvironment& environment);

}  // namespace varnolt
