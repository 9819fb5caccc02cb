#include "indicators/new_price.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::ClampedWalk;
using testing::DataOf;
using testing::Drawn;
using testing::OneRowPerYen;
using testing::RecordingCanvas;

ControlValues LinesOf(const std::string& lines) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edNL", lines);
  return controls;
}

ScreeningSeries SeriesOf(const std::vector<int32_t>& closes) {
  return testing::SeriesWithLeftovers(closes, {7});
}

std::vector<float> Directions(const std::vector<int32_t>& closes, const ControlValues& controls) {
  ScreeningSeries series = SeriesOf(closes);
  CalcNewPrice(series, static_cast<int>(closes.size()), controls);
  std::vector<float> slots;
  for (int i = 1; i <= static_cast<int>(closes.size()); ++i) slots.push_back(series[i].s1);
  return slots;
}

struct Line {
  int32_t from;
  int32_t to;
  bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Line& line) {
  return out << line.from << "->" << line.to;
}

void Draw(Drawn& drawn, const DataSet& data, const ControlValues& controls,
          const PriceScale& scale = OneRowPerYen()) {
  drawn.Run(DrawNewPrice, data, controls, scale);
}

// Lines read back from the rectangles: red rises from its bottom row, black falls from its top.
std::vector<Line> LinesDrawn(const RecordingCanvas& canvas) {
  std::vector<Line> lines;
  for (const auto& rect : canvas.Rects()) {
    const int32_t high = 1385 - rect.from.y;
    const int32_t low = 1385 - rect.to.y;
    lines.push_back(rect.brush == kRed ? Line{low, high} : Line{high, low});
  }
  return lines;
}

TEST(NewPriceTest, AfterFourRisingLinesOnlyTheThirdLastStartTurnsIt) {
  // Four rising lines 1000→1010→1020→1030→1040. The last three span 1010..1040, so closes
  // down to 1010 change nothing and 1009 turns with a line from the last start, 1030.
  const std::vector<int32_t> closes = {1000, 1010, 1020, 1030, 1040, 1025, 1015, 1010, 1009};
  Drawn drawn;
  Draw(drawn, DataOf(closes), LinesOf("3"));
  EXPECT_EQ(drawn.message, "");
  EXPECT_EQ(
      LinesDrawn(drawn.canvas),
      (std::vector<Line>{{1000, 1010}, {1010, 1020}, {1020, 1030}, {1030, 1040}, {1030, 1009}}));
  EXPECT_EQ(Directions(closes, LinesOf("3")), (std::vector<float>{0, 0, 1, 1, 1, 1, 1, 1, -1}));

  // With one line to break, 1025 is already below the last line's start.
  EXPECT_EQ(Directions(closes, LinesOf("1")), (std::vector<float>{0, 0, 1, 1, 1, -1, -1, -1, -1}));
  ScreeningSeries series = SeriesOf(closes);
  EXPECT_EQ(CalcNewPrice(series, 0, LinesOf("3")), 250);
}

TEST(NewPriceTest, FewerLinesThanTheReversalCountAreAllBroken) {
  // Falling lines 1100→1090→1080 (two lines, fewer than three): a close above 1100, the
  // highest point of both, turns it; 1100 itself does not. Equal closes never start the chart.
  const std::vector<int32_t> closes = {1100, 1100, 1090, 1080, 1100, 1101, 1105, 1095};
  Drawn drawn;
  Draw(drawn, DataOf(closes), LinesOf(""));  // empty: 3
  EXPECT_EQ(LinesDrawn(drawn.canvas),
            (std::vector<Line>{{1100, 1090}, {1090, 1080}, {1090, 1101}, {1101, 1105}}));
  EXPECT_EQ(Directions(closes, LinesOf("")), (std::vector<float>{0, 0, 0, -1, -1, 1, 1, 1}));
  const auto rects = drawn.canvas.Rects();
  ASSERT_EQ(rects.size(), 4u);
  EXPECT_EQ(rects[0].pen, kBlack);
  EXPECT_EQ(rects[2].pen, kRed);
  EXPECT_EQ(rects[2].brush, kRed);
  // Line 3 of width 10 covers x = 51..60: the rectangle and the line down its right edge.
  EXPECT_EQ(rects[2].from.x, 51);
  EXPECT_EQ(rects[2].to.x, 60);
  EXPECT_TRUE(drawn.canvas.Contains("line 60,295-60,284"));
  EXPECT_EQ(drawn.canvas.Calls().back().brush, kWhite);
}

TEST(NewPriceTest, UnchangedClosesDrawNothingAndLeaveZeros) {
  const std::vector<int32_t> flat(20, 1234);
  Drawn drawn;
  Draw(drawn, DataOf(flat), LinesOf("3"));
  EXPECT_TRUE(drawn.canvas.DrawingTexts().empty());
  EXPECT_EQ(Directions(flat, LinesOf("3")), std::vector<float>(20, 0));
  // Shown from the last bar alone: nothing to walk.
  Drawn one;
  Draw(one, DataOf({1000, 1100, 1200}, 3), LinesOf("3"));
  EXPECT_TRUE(one.canvas.DrawingTexts().empty());
}

TEST(NewPriceTest, ReversalCountBelowOneNeedsOneLine) {
  // A count of 0 would turn on every close that fails to extend the line, drawing "falling"
  // lines that rise; it breaks one line like a count of 1.
  const std::vector<int32_t> closes = {1000, 1010, 1020, 1015, 1005};
  EXPECT_EQ(Directions(closes, LinesOf("0")), Directions(closes, LinesOf("1")));
  EXPECT_EQ(Directions(closes, LinesOf("-4")), (std::vector<float>{0, 0, 1, 1, -1}));
}

TEST(NewPriceTest, ElementWidthBetweenOneAndTenPixels) {
  // 2000 alternating lines with a reversal count of 1: each turns from the start 1050.
  std::vector<int32_t> zigzag = {1050};
  for (int i = 0; i < 2000; ++i) zigzag.push_back(i % 2 == 0 ? 1100 : 1000);
  Drawn many;
  Draw(many, DataOf(zigzag), LinesOf("1"));
  const auto rects = many.canvas.Rects();
  ASSERT_GE(rects.size(), 600u);
  EXPECT_EQ(rects[0].from.x, 31);
  EXPECT_EQ(rects[0].to.x, 31) << "1 pixel: the line at x = 31 is the whole element";
  EXPECT_EQ(rects[1].from.x, 32);
  EXPECT_LT(rects.back().from.x, 660) << "elements past the image are left out";

  std::vector<int32_t> ten;
  for (int i = 0; i <= 10; ++i) ten.push_back(1000 + i);
  Drawn few;
  Draw(few, DataOf(ten), LinesOf("3"));
  ASSERT_EQ(few.canvas.Rects().size(), 10u);
  EXPECT_EQ(few.canvas.Rects()[9].from.x, 121);
  EXPECT_EQ(few.canvas.Rects()[9].to.x, 130);
}

// The chart told another way: turn when the close passes the lowest (highest) point of the
// last lines, tracked over every point rather than line by line.
struct SlowNewPrice {
  std::vector<Line> lines;
  std::vector<float> directions;
};

SlowNewPrice SlowWalk(const std::vector<int32_t>& closes, int reversal) {
  SlowNewPrice result;
  bool up = false;
  result.directions.push_back(0);
  for (size_t i = 1; i < closes.size(); ++i) {
    const int32_t v = closes[i];
    const bool started = !result.lines.empty();
    if (!started) {
      if (v != closes[0]) {
        result.lines.push_back({closes[0], v});
        up = v > closes[0];
      }
    } else {
      const Line last = result.lines.back();
      int32_t lowest = last.from;
      int32_t highest = last.from;
      const size_t n = result.lines.size();
      for (size_t k = n - std::min<size_t>(n, reversal); k < n; ++k) {
        lowest = std::min({lowest, result.lines[k].from, result.lines[k].to});
        highest = std::max({highest, result.lines[k].from, result.lines[k].to});
      }
      if ((up && v > last.to) || (!up && v < last.to)) {
        result.lines.push_back({last.to, v});
      } else if ((up && v < lowest) || (!up && v > highest)) {
        result.lines.push_back({last.from, v});
        up = !up;
      }
    }
    result.directions.push_back(!started ? 0.0f : up ? 1.0f : -1.0f);
  }
  return result;
}

TEST(NewPriceTest, DrawingAndComputationMatchTheLowestPointRule) {
  std::mt19937 random(1107);
  for (int round = 0; round < 30; ++round) {
    const int reversal = std::uniform_int_distribution<int>(1, 5)(random);
    std::uniform_int_distribution<int32_t> move(-12, 12);
    const std::vector<int32_t> closes = ClampedWalk(random, move, 1200, 400, 1000, 1380);
    const SlowNewPrice slow = SlowWalk(closes, reversal);
    const ControlValues controls = LinesOf(std::to_string(reversal));
    EXPECT_EQ(Directions(closes, controls), slow.directions) << round;
    Drawn drawn(100000);
    Draw(drawn, DataOf(closes), controls);
    EXPECT_EQ(LinesDrawn(drawn.canvas), slow.lines) << round;
  }
}

}  // namespace
}  // namespace varnolt
