#include "indicators/indicator_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace varnolt
