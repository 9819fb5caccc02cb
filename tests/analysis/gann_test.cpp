#include "analysis/gann.h"

#include <gtest/gtest.h>

#include "analysis/analysis_test_data.h"
#include "analysis/clipped_line.h"
#include "base/messages.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::ChartBoxes;
using testing::RecordingCanvas;
using testing::SixtyDays;

constexpr int kWidth = 660;
constexpr int kHeight = 400;

GannBoxResult Box(const DataSet& data, const GannBoxes& boxes,
                  const ControlValues& controls = ChartBoxes()) {
  return GannBox(data, controls, 1, boxes, HolidayList(), kWidth, kHeight);
}

RegionFrame Frame(const DataSet& data) {
  return ShownPriceChart(data, ChartBoxes(), 1, kWidth, kHeight)->frame;
}

TEST(GannBox, SpansFromLowAtTheStartBarToHighAtTheEnd) {
  const DataSet data = SixtyDays();
  const RegionFrame frame = Frame(data);
  const std::string bar20 = std::to_string(data.bars[20].date);
  // 200 yen at 10 yen a bar, or at 0.1 bar a yen: 20 bars either way.
  for (const auto& [unit, time_per_price] : {std::pair{"10", false}, std::pair{"0.1", true}}) {
    const GannBoxResult result = Box(data, {bar20, "1200", "1000", unit, time_per_price});
    ASSERT_TRUE(result.box) << unit;
    EXPECT_EQ(result.box->x1, RegionX(frame, 20));
    EXPECT_EQ(result.box->x2, RegionX(frame, 40)) << unit;
    EXPECT_EQ(result.box->y1, RegionY(frame, 1000));
    EXPECT_EQ(result.box->y2, RegionY(frame, 1200));
    EXPECT_EQ(result.date, bar20);
  }
}

TEST(GannBox, StartBarDefaultsAndWarnings) {
  const DataSet data = SixtyDays();
  DataSet hidden = data;
  hidden.chart_shown = false;
  ControlValues bad_regions = ChartBoxes();
  bad_regions.Set("edv1", "6");
  bad_regions.Set("edv2", "3");
  const std::string after_last = std::to_string(data.bars[60].date + 1);
  struct Case {
    const char* name;
    const DataSet& data;
    ControlValues controls;
    GannBoxes boxes;
    const char* message;
    std::string date;  // written back into the date box, once the start bar is found
  };
  const Case cases[] = {
      {"empty date: first displayed bar",
       data,
       ChartBoxes(),
       {"", "", "", "1"},
       "",
       std::to_string(data.bars[1].date)},
      {"a Saturday: the Monday after",
       data,
       ChartBoxes(),
       {"20260110", "", "", "1"},
       "",
       "20260112"},
      {"chart not shown", hidden, ChartBoxes(), {"", "", "", "1"}, kShowChartFirstMessage, ""},
      {"regions reversed", data, bad_regions, {"", "", "", "1"}, kBadRegionsMessage, ""},
      {"after the last bar",
       data,
       ChartBoxes(),
       {after_last, "", "", "1"},
       kBadGannDateMessage,
       ""},
      {"unit empty",
       data,
       ChartBoxes(),
       {"", "", "", ""},
       kBadGannUnitMessage,
       std::to_string(data.bars[1].date)},
      {"unit zero",
       data,
       ChartBoxes(),
       {"", "", "", "0"},
       kBadGannUnitMessage,
       std::to_string(data.bars[1].date)},
  };
  for (const Case& c : cases) {
    const GannBoxResult result = Box(c.data, c.boxes, c.controls);
    EXPECT_EQ(result.message, c.message) << c.name;
    EXPECT_EQ(result.box.has_value(), std::string(c.message).empty()) << c.name;
    EXPECT_EQ(result.date, c.date) << c.name;
  }
  EXPECT_TRUE(GannBoxesReadable({"20260105", "1200", "", "1"}));
  EXPECT_FALSE(GannBoxesReadable({"2026/01/05", "1200", "1000", "1"}));
  EXPECT_FALSE(GannBoxesReadable({"", "1200.5", "1000", "1"}));
}

TEST(GannBox, CalendarSpacingPlacesTheBoxOnTheBarsDays) {
  const DataSet data = SixtyDays();
  ControlValues controls = ChartBoxes();
  controls.SetChecked("cbcalen", true);
  const RegionFrame frame = ShownPriceChart(data, controls, 1, kWidth, kHeight)->frame;
  // Bar 20 to bar 40 and to 10 bars past the last one, each on its own date.
  const GannBoxResult inside = Box(data, {"", "1200", "1000", "10"}, controls);
  EXPECT_EQ(inside.box->x2, RegionX(frame, CompactToDay(std::to_string(data.bars[21].date))));
  const GannBoxResult past =
      Box(data, {std::to_string(data.bars[50].date), "1200", "1000", "10"}, controls);
  const std::string tenth_coming =
      NextBarDate(std::to_string(data.bars[60].date), 10, DataUnit::kDay, HolidayList());
  EXPECT_EQ(past.box->x2, RegionX(frame, CompactToDay(tenth_coming)));
}

// Lines of a recording, split by direction and style.
struct LineCounts {
  int horizontal = 0;
  int vertical = 0;
  int dotted = 0;
};
LineCounts Count(const RecordingCanvas& canvas) {
  LineCounts counts;
  for (const auto& line : canvas.Lines()) {
    if (line.style == PenStyle::kDot) {
      ++counts.dotted;
    } else if (line.from.y == line.to.y) {
      ++counts.horizontal;
    } else if (line.from.x == line.to.x) {
      ++counts.vertical;
    }
  }
  return counts;
}

TEST(GannGrid, DivisionsGiveOneLineMoreThanPartsEachWayAndTwoDiagonals) {
  const GannCorners box{100, 300, 420, 100, 0, 345};
  for (const int n : {2, 4, 8}) {
    RecordingCanvas canvas(kWidth, kHeight);
    DrawGannGrid(canvas, box, n, kBlack);
    const LineCounts counts = Count(canvas);
    EXPECT_EQ(counts.horizontal, n + 1) << n;
    EXPECT_EQ(counts.vertical, n + 1) << n;
    EXPECT_EQ(counts.dotted, 2) << n;
    for (const auto& call : canvas.Calls()) {
      if (call.text.starts_with("line")) {
        EXPECT_EQ(call.mode, PenMode::kNotXor) << call.text;
      }
    }
  }
  // A box without width: its lines, but no diagonals and no division by zero.
  RecordingCanvas flat(kWidth, kHeight);
  DrawGannGrid(flat, {200, 300, 200, 100, 0, 345}, 4, kBlack);
  EXPECT_EQ(Count(flat).dotted, 0);
}

TEST(GannLines, FanLinesPassThroughTheCornerAndTheFractionPoint) {
  const GannCorners box{100, 300, 420, 100, 0, 345};
  // x: 1 (item 0), y: 1/2 (item 5): A is at the box's end and mid price.
  const Point a{420, 200};
  RecordingCanvas from_high(kWidth, kHeight);
  EXPECT_EQ(DrawGannLines(from_high, box, GannLineKind::kFromHigh, 0, 5, 11, 11, kBlack), "");
  ASSERT_EQ(from_high.Lines().size(), 1u);
  const auto line = from_high.Lines()[0];
  // Both the high corner (100, 100) and A lie on the drawn segment's line.
  const auto row_at = [&](int x) {
    return line.from.y +
           double(line.to.y - line.from.y) * (x - line.from.x) / (line.to.x - line.from.x);
  };
  EXPECT_NEAR(row_at(box.x1), box.y2, 1.0);
  EXPECT_NEAR(row_at(a.x), a.y, 1.0);

  RecordingCanvas lonely(kWidth, kHeight);
  EXPECT_EQ(DrawGannLines(lonely, box, GannLineKind::kTwoPoints, 0, 5, 11, 0, kBlack),
            kChooseTwoPointsMessage);
  EXPECT_TRUE(lonely.Lines().empty());
  // Two points in one column: a vertical line over the band.
  RecordingCanvas upright(kWidth, kHeight);
  DrawGannLines(upright, box, GannLineKind::kTwoPoints, 5, 0, 5, 10, kBlack);
  ASSERT_EQ(upright.Lines().size(), 1u);
  EXPECT_EQ(upright.Lines()[0].from, (Point{260, 345}));
  EXPECT_EQ(upright.Lines()[0].to, (Point{260, 0}));
  EXPECT_FLOAT_EQ(static_cast<float>(GannFraction(3)), 2.0f / 3.0f);
  EXPECT_EQ(GannFraction(11), -1);
}

TEST(ClippedLine, EndsOnThePlotEdgesOrTheBand) {
  struct Case {
    const char* name;
    int x0, y0;
    double slope;
    std::optional<std::pair<Point, Point>> segment;
  };
  const Case cases[] = {
      {"flat inside", 200, 150, 0, std::pair{Point{30, 150}, Point{630, 150}}},
      {"flat above the band", 200, 40, 0, std::nullopt},
      {"gentle: plot edge to plot edge", 330, 200, 0.1, std::pair{Point{30, 170}, Point{630, 230}}},
      {"steep: band top to band bottom", 330, 200, 10, std::pair{Point{320, 100}, Point{340, 300}}},
      {"crosses the band outside the plot", 5, 200, 10, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClippedSegment(kWidth, c.x0, c.y0, c.slope, 100, 300), c.segment) << c.name;
  }
}

}  // namespace
}  // namespace varnolt
