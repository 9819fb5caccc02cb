#include "indicators/record_replay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

// What the display command saw of the basic settings page each time it ran.
struct Display {
  std::string from;
  std::string to;
  std::string type;
};

struct ReplayCase {
  const char* record;
  int data_number;
  const char* message;
  std::vector<Display> displays;
  const char* command_record;  // what the trend and oscillator commands appended
};

TEST(ReplayCommandRecordTest, RunsEachItemThroughItsPageUntilTheFirstMessage) {
  const ReplayCase cases[] = {
      {"1,2,3,7,", 1, "", {{"3", "7", "rbendbox"}}, ""},
      {"1,3,1,10,", 2, "", {{"1", "10", "rbendline2"}}, ""},
      {"2,5,1,2,9,9,1,1,4,8,", 1, "", {{"4", "8", "rbfour"}}, ""},
      {"3,0,1,10,4,0,2,9,", 1, "", {}, "3,0,1,10,4,0,2,9,"},
      {"4,0,1,10,", 2, "", {}, "4,0,1,10,"},
      // A message ends the replay before the next item is even read.
      {"1,4,1,10,3,0,1,10,",
       1,
       "unknown chart type 4 (1 candlesticks, 2 close bars, 3 close line)",
       {},
       ""},
      {"5,1,1,1,x",
       1,
       "unknown record kind 5 (1 price bars, 2 skipped, 3 trend chart, 4 oscillator)",
       {},
       ""},
      {"3,0,11,12,4,0,1,10,", 1, "表示領域を正しく設定して下さい", {}, ""},
  };
  for (const ReplayCase& c : cases) {
    SCOPED_TRACE(c.record);
    DataSet data = testing::DataOf({100, 120, 90, 110, 105, 95, 130, 125, 115, 100});
    ControlValues controls = ControlValues::Defaults();
    for (const char* suffix : {"", "2"}) {
      controls.Set(std::string("edUP") + suffix, "140");
      controls.Set(std::string("edDown") + suffix, "80");
    }
    testing::RecordingCanvas canvas;
    std::string statistics;
    std::vector<Display> displays;
    const std::string type_names[2][3] = {{"rbfour", "rbendbox", "rbendline"},
                                          {"rbfour2", "rbendbox2", "rbendline2"}};
    const std::string v = c.data_number == 2 ? "ed2v" : "edv";
    auto show = [&] {
      Display shown{controls.Text(v + "1"), controls.Text(v + "2"), ""};
      for (const std::string& type : type_names[c.data_number - 1]) {
        if (controls.Checked(type)) shown.type += type;
      }
      displays.push_back(shown);
      return true;
    };
    IndicatorCommandEnvironment environment{data,          controls,   canvas,
                                            c.data_number, statistics, show};
    EXPECT_EQ(ReplayCommandRecord(c.record, environment), c.message);
    ASSERT_EQ(displays.size(), c.displays.size());
    for (size_t i = 0; i < displays.size(); ++i) {
      EXPECT_EQ(displays[i].from, c.displays[i].from);
      EXPECT_EQ(displays[i].to, c.displays[i].to);
      EXPECT_EQ(displays[i].type, c.displays[i].type);
    }
    EXPECT_EQ(data.command_record, c.command_record);
  }
}

TEST(ReplayCommandRecordTest, TrendAndOscillatorItemsSelectTheirPagesControls) {
  DataSet data = testing::DataOf({100, 120, 90, 110, 105, 95, 130, 125, 115, 100});
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edUP2", "140");
  controls.Set("edDown2", "80");
  testing::RecordingCanvas canvas;
  std::string statistics;
  IndicatorCommandEnvironment environment{data, controls,   canvas,
                                          2,    statistics, [] {
                                            return true; }};
  EXPECT_EQ(ReplayCommandRecord("3,1,2,5,4,3,6,9,", environment), "");
  EXPECT_EQ(controls.Text("cbchart2"), "1");
  EXPECT_EQ(controls.Text("ed2cv1"), "2");
  EXPECT_EQ(controls.Text("ed2cv2"), "5");
  EXPECT_EQ(controls.Text("cbos2"), "3");
  EXPECT_EQ(controls.Text("ed2ov1"), "6");
  EXPECT_EQ(controls.Text("ed2ov2"), "9");
  // Data 1's pages stay as they were.
  EXPECT_EQ(controls.Text("cbchart1"), "0");
  EXPECT_EQ(controls.Text("edov1"), "");
}

}  // namespace
}  // namespace varnolt
