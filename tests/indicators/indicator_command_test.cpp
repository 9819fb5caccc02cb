#include "indicators/indicator_command.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "chart/price_chart.h"
#include "chart/price_chart_controls.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

// A drawing that fails leaves no record item, so replaying the record does not repeat the
// failure; one that only informs (drawn with a fallback) is recorded like any other.
TEST(IndicatorCommand, RecordsWhatGotThroughAndNothingThatFailed) {
  struct Case {
    const char* name;
    bool trend;
    int item;
    std::vector<std::pair<const char*, const char*>> boxes;
    const char* message;
    const char* record;
  };
  const std::vector<Case> cases = {
      {"plain oscillator", false, 0, {}, "", "4,0,6,10,"},
      {"MACD without a period", false, 8, {{"edmacd1", "0"}}, kSkewedDataMessage, ""},
      {"renko without a box", true, 6, {{"edRen", "0"}}, kBadBoxSizeMessage, ""},
      {"renko on a broken variable scale",
       true,
       6,
       {{"cbRenko", "true"}, {"edsc1", "x"}},
       kBadVariableScaleMessage,
       "3,6,6,10,"},
      {"item without a drawing", false, 11, {}, "", ""},
  };
  std::vector<int32_t> closes;
  for (int i = 0; i < 40; ++i) closes.push_back(100 + (i * 7) % 23);
  for (const Case& c : cases) {
    DataSet data = testing::DataOf(closes);
    ControlValues controls = ControlValues::Defaults();
    for (const auto& [name, text] : c.boxes) controls.Set(name, text);
    controls.Set("edUP", "130");
    controls.Set("edDown", "90");
    controls.Set(c.trend ? "edcv1" : "edov1", "6");
    controls.Set(c.trend ? "edcv2" : "edov2", "10");
    controls.Set(c.trend ? "cbchart1" : "cbos1", std::to_string(c.item));
    testing::RecordingCanvas canvas;
    std::string statistics;
    IndicatorCommandEnvironment environment{data, controls,   canvas,
                                            1,    statistics, [] {
                                              return true; }};
    const IndicatorCommandResult result =
        c.trend ? RunTrendCommand(environment) : RunOscillatorCommand(environment);
    EXPECT_EQ(result.message, c.message) << c.name;
    EXPECT_EQ(data.command_record, c.record) << c.name;
    EXPECT_EQ(result.drawn, !data.command_record.empty()) << c.name;
  }
}

// A calendar box left checked from daily data must not move weekly bars' indicators away from
// the bars: the moving averages stand on the price chart's own bar positions either way.
TEST(IndicatorCommand, MovingAveragesStandOnThePriceChartsBars) {
  for (const DataUnit unit : {DataUnit::kDay, DataUnit::kWeek}) {
    DataSet data;
    DayNumber day = DayFromCivil(2026, 1, 5);  // a Monday
    for (int i = 0; i < 40; ++i) {
      const int32_t close = 1000 + (i * 37) % 90;
      data.bars.Append({DayToCompactInt(day), close, close + 10, close - 10, close, 100, 0});
      // Weekdays for daily bars, Mondays for weekly ones.
      day += unit == DataUnit::kWeek ? 7 : Weekday(day) == 6 ? 3 : 1;
    }
    data.unit = unit;
    data.loaded = true;
    data.first_shown = 10;
    ControlValues controls = ControlValues::Defaults();
    controls.SetChecked("cbcalen", true);
    controls.Set("cbchart1", "0");  // moving averages of the closes
    testing::RecordingCanvas canvas;
    const PriceChartResult shown =
        ShowPriceChart(data, PriceBoxesFromControls(controls, 1), "", std::nullopt, false, canvas);
    ASSERT_EQ(shown.message, "");
    EXPECT_EQ(shown.scale.calendar, unit == DataUnit::kDay);
    StorePriceBoxes(shown.boxes, 1, controls);
    std::set<int> bar_columns;  // the candles' wicks
    for (const auto& line : canvas.Lines()) {
      if (line.from.x == line.to.x) bar_columns.insert(line.from.x);
    }
    canvas.Clear();
    std::string statistics;
    IndicatorCommandEnvironment environment{data, controls,   canvas,
                                            1,    statistics, [] { return true; }};
    ASSERT_TRUE(RunTrendCommand(environment).drawn);
    ASSERT_GT(canvas.Lines().size(), 10u);
    for (const auto& line : canvas.Lines()) {
      EXPECT_TRUE(bar_columns.count(line.from.x) && bar_columns.count(line.to.x))
          << static_cast<int>(unit) << ": " << line.from.x << "-" << line.to.x;
    }
  }
}

}  // namespace
}  // namespace varnolt
