#include "chart/display_command.h"

#include <gtest/gtest.h>

#include <string>

#include "support/indicator_data.h"
#include "support/recording_canvas.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

class DisplayCommandTest : public ::testing::Test {
 protected:
  DisplayCommandTest() {
    controls_.Set("cbdata2", "7203 : 東海自動車");
    controls_.Set("ed2v1", "3");
    controls_.Set("ed2v2", "7");
  }

  DisplayOutcome Run() {
    return RunDisplayCommand(data_, 2, controls_, ProgramFolder(temp_.Path()), canvas_);
  }

  testing::TempFolder temp_;  // no finance.dat: the caption's figures are "-"
  DataSet data_ = testing::DataOf({100, 120, 90, 110});
  ControlValues controls_ = ControlValues::Defaults();
  testing::RecordingCanvas canvas_;
};

TEST_F(DisplayCommandTest, DrawsAndGivesBackTheScaleAndTheTrendRegions) {
  data_.chart_shown = false;
  const DisplayOutcome outcome = Run();
  EXPECT_EQ(outcome.message, "");
  EXPECT_TRUE(data_.chart_shown);
  EXPECT_EQ(data_.command_record, "1,1,3,7,");
  // The automatic scale: an eighth of the range beyond each end.
  EXPECT_EQ(outcome.written.Text("edUP2"), "123");
  EXPECT_EQ(outcome.written.Text("edDown2"), "87");
  EXPECT_EQ(outcome.written.Text("ed2cv1"), "3");
  EXPECT_EQ(outcome.written.Text("ed2cv2"), "7");
  EXPECT_TRUE(outcome.written.Checked("rbfour2"));
  // Data 1's controls are not the command's.
  EXPECT_FALSE(outcome.written.Has("edUP"));
  EXPECT_FALSE(outcome.written.Has("edcv1"));
  bool captioned = false;
  for (const std::string& text : canvas_.Texts()) {
    captioned = captioned || text.starts_with("7203 : 東海自動車");
  }
  EXPECT_TRUE(captioned);
}

TEST_F(DisplayCommandTest, AWarningDrawsNothingAndWritesNothing) {
  const struct {
    const char* name;
    bool loaded;
    const char* from;
    const char* message;
  } cases[] = {
      {"not loaded", false, "3", "まずデータを選択して下さい"},
      {"regions", true, "8", "表示領域を正しく設定して下さい"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    data_.loaded = c.loaded;
    data_.chart_shown = false;
    controls_.Set("ed2v1", c.from);
    canvas_.Clear();
    const DisplayOutcome outcome = Run();
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_TRUE(outcome.written.All().empty());
    EXPECT_TRUE(canvas_.DrawingTexts().empty());
    EXPECT_FALSE(data_.chart_shown);
  }
}

}  // namespace
}  // namespace varnolt
