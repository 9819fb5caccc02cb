#include "analysis/auxiliary.h"

#include <gtest/gtest.h>

#include "analysis/analysis_test_data.h"
#include "base/file_error.h"
#include "base/messages.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::ChartBoxes;
using testing::RecordingCanvas;
using testing::SixtyDays;

constexpr int kWidth = 660;
constexpr int kHeight = 400;

AnalysisChart Chart(const DataSet& data) {
  return StartAnalysis(data, ChartBoxes(), 1, kWidth, kHeight).chart.value();
}

// Points (1) 1000 at offset 5, (2) 1200 at offset 30, (3) 1100 at offset 40.
AuxiliaryBoxes Points() {
  AuxiliaryBoxes boxes;
  boxes.date = {"20260109", "20260213", "20260227"};
  boxes.offset = {"5", "30", "40"};
  boxes.price = {"1000", "1200", "1100"};
  return boxes;
}

struct Operation {
  AuxiliaryBoxes boxes;
  RecordingCanvas canvas{kWidth, kHeight};
  int snapshots = 0;
};

void RunOn(Operation& run, int item, const DataSet& data) {
  RunAuxiliary(item, run.boxes, Chart(data), run.canvas, kBlack, [&] { ++run.snapshots; });
}

TEST(Auxiliary, WorkingValuesAndTheirPriceLines) {
  const DataSet data = SixtyDays();
  const RegionFrame frame = Chart(data).shown.frame;
  struct Case {
    int item;
    const char* a;
    const char* b;
    const char* c;
    const char* field;   // which working value the item writes
    const char* result;  // its text afterwards
    int64_t line;        // the price of the horizontal line, 0 for none
  };
  const Case cases[] = {
      {18, "", "", "", "a", "1300", 1300},  // V
      {19, "", "", "", "a", "1300", 1300},  // N
      {20, "", "", "", "a", "1400", 1400},  // E
      {21, "", "", "", "a", "1200", 1200},  // NT
      {22, "", "", "", "a", "900", 900},    // 背反値
      {23, "", "2", "", "a", "1600", 1600},
      {24, "", "2", "", "a", "1400", 1400},
      {0, "1100.5", "", "", "a", "1100.5", 1100},
      {3, "1000.5", "0.25", "", "a", "1000.75", 1001},
      {4, "1000", "0.5", "", "a", "999.5", 1000},
      {9, "", "3", "3.333", "b", "10", 0},
      {10, "", "", "100", "b", "128", 0},
      {11, "", "", "100", "b", "138.2", 0},
      {12, "", "", "100", "b", "161.8", 0},
      {13, "", "", "", "c", "26", 0},
      {5, "1234", "", "", "c", "1234", 0},
      {6, "", "", "77", "a", "77", 0},
      {7, "", "", "77", "b", "77", 0},
      {8, "", "", "", "a", "1000", 0},
  };
  for (const Case& c : cases) {
    Operation run;
    run.boxes = Points();
    run.boxes.a = c.a;
    run.boxes.b = c.b;
    run.boxes.c = c.c;
    RunOn(run, c.item, data);
    const std::string& field = c.field[0] == 'a'   ? run.boxes.a
                               : c.field[0] == 'b' ? run.boxes.b
                                                   : run.boxes.c;
    EXPECT_EQ(field, c.result) << "item " << c.item;
    const auto lines = run.canvas.Lines();
    EXPECT_EQ(lines.size(), c.line ? 1u : 0u) << "item " << c.item;
    EXPECT_EQ(run.snapshots, c.line ? 1 : 0) << "item " << c.item;
    if (c.line && !lines.empty()) {
      EXPECT_EQ(lines[0].from, (Point{31, RegionY(frame, c.line)})) << "item " << c.item;
      EXPECT_EQ(lines[0].to.x, kWidth - 31);
    }
  }
}

TEST(Auxiliary, EmptyInputsDoNothing) {
  const DataSet data = SixtyDays();
  for (int item = 0; item < kAuxiliaryOperationCount; ++item) {
    if (item >= 5 && item <= 8) continue;  // the copies need nothing
    Operation run;
    RunOn(run, item, data);
    EXPECT_EQ(run.boxes, AuxiliaryBoxes()) << item;
    EXPECT_TRUE(run.canvas.Calls().empty()) << item;
    EXPECT_EQ(run.snapshots, 0) << item;
  }
}

TEST(Auxiliary, PeriodLinesCountTheStartingDay) {
  const DataSet data = SixtyDays();
  const RegionFrame frame = Chart(data).shown.frame;
  const AnalysisChart chart = Chart(data);
  // (1) at offset 30, 26 periods before and after, counting the day itself.
  for (const auto& [item, position] : {std::pair{1, 5}, std::pair{2, 55}}) {
    Operation run;
    run.boxes.offset[0] = "30";
    run.boxes.b = "26";
    RunOn(run, item, data);
    ASSERT_EQ(run.canvas.Lines().size(), 1u);
    EXPECT_EQ(run.canvas.Lines()[0].from, (Point{RegionX(frame, position), chart.axis}));
    EXPECT_EQ(run.canvas.Lines()[0].to, (Point{RegionX(frame, position), chart.top}));
  }
}

TEST(Auxiliary, BasicNumberLinesFromTheFirstOffsetAndTheirErasure) {
  const DataSet data = SixtyDays();
  const RegionFrame frame = Chart(data).shown.frame;
  Operation run;
  run.boxes.offset[0] = "1";
  RunOn(run, 17, data);
  std::vector<int> xs;
  for (const auto& line : run.canvas.Lines()) xs.push_back(line.from.x);
  std::vector<int> expected;
  for (int offset : {1, 9, 17, 26, 33, 42, 65, 76, 129, 172}) {
    expected.push_back(RegionX(frame, offset));
  }
  EXPECT_EQ(xs, expected);
  EXPECT_EQ(run.canvas.Texts().front(), "1");
  EXPECT_EQ(run.canvas.Texts().back(), "172");
  // Every line goes in the inverting pen, so the second run takes them away again; the pen
  // returns to normal drawing.
  for (const auto& call : run.canvas.Calls()) {
    if (call.text.starts_with("line")) {
      EXPECT_EQ(call.mode, PenMode::kNotXor);
    }
  }
  EXPECT_EQ(run.canvas.Calls().back().mode, PenMode::kCopy);
}

TEST(Auxiliary, ConnectingLines) {
  const DataSet data = SixtyDays();
  const AnalysisChart chart = Chart(data);
  // From 900 to 1300 in one position: steeper than the band, so it runs from its bottom row to
  // its top row; the slope is written in yen per position.
  Operation steep;
  steep.boxes = Points();
  steep.boxes.offset = {"10", "11", ""};
  steep.boxes.price = {"900", "1300", ""};
  RunOn(steep, 14, data);
  ASSERT_EQ(steep.canvas.Lines().size(), 1u);
  const auto line = steep.canvas.Lines()[0];
  EXPECT_EQ(std::minmax(line.from.y, line.to.y), std::minmax(chart.top, chart.axis));
  EXPECT_EQ(steep.boxes.c, "400.00");

  // Gentle, rounded to tenths: 200 yen over 25 positions.
  Operation gentle;
  gentle.boxes = Points();
  gentle.boxes.c = "x";
  RunOn(gentle, 14, data);
  EXPECT_EQ(gentle.boxes.c, " 8.00");
  // The speed lines: the same line and its thirds, (c) untouched.
  Operation speed;
  speed.boxes = Points();
  speed.boxes.c = "x";
  RunOn(speed, 15, data);
  EXPECT_EQ(speed.canvas.Lines().size(), 3u);
  EXPECT_EQ(speed.canvas.Lines()[0].from, gentle.canvas.Lines()[0].from);
  EXPECT_EQ(speed.boxes.c, "x");
  // A slope line of (c) = 8 from (1) is the same line as the one through (1) and (2).
  Operation slope;
  slope.boxes = Points();
  slope.boxes.c = "8";
  RunOn(slope, 16, data);
  ASSERT_EQ(slope.canvas.Lines().size(), 1u);
  EXPECT_NEAR(slope.canvas.Lines()[0].from.y, gentle.canvas.Lines()[0].from.y, 1);
  EXPECT_NEAR(slope.canvas.Lines()[0].to.y, gentle.canvas.Lines()[0].to.y, 1);
  // Point prices with decimals do not read as whole yen.
  Operation decimals;
  decimals.boxes = Points();
  decimals.boxes.price[0] = "1000.5";
  EXPECT_THROW(RunOn(decimals, 14, data), ConversionError);
}

TEST(Auxiliary, CommonStartWarnings) {
  DataSet data = SixtyDays();
  ControlValues reversed = ChartBoxes();
  reversed.Set("edv1", "7");
  reversed.Set("edv2", "2");
  EXPECT_EQ(StartAnalysis(data, reversed, 1, kWidth, kHeight).message, kBadRegionsMessage);
  data.chart_shown = false;
  EXPECT_EQ(StartAnalysis(data, ChartBoxes(), 1, kWidth, kHeight).message, kShowChartFirstMessage);
  EXPECT_EQ(FormatShortestSingle(1200.1f), "1200.1");
  EXPECT_EQ(FormatShortestSingle(-3.0f), "-3");
}

}  // namespace
}  // namespace varnolt
