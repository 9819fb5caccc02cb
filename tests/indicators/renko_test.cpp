#include "indicators/renko.h"

#include <gtest/gtest.h>

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

ScreeningSeries SeriesOf(const std::vector<int32_t>& closes) {
  return testing::SeriesWithLeftovers(closes, {7});
}

std::vector<float> Directions(const std::vector<int32_t>& closes, const ControlValues& controls) {
  ScreeningSeries series = SeriesOf(closes);
  CalcRenko(series, static_cast<int>(closes.size()), controls);
  std::vector<float> slots;
  for (int i = 1; i <= static_cast<int>(closes.size()); ++i) slots.push_back(series[i].s1);
  return slots;
}

ControlValues BoxOf(const std::string& box) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edRen", box);
  return controls;
}

struct Brick {
  int32_t from;  // price where the brick starts
  int32_t to;    // price where it ends
  bool operator==(const Brick&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Brick& brick) {
  return out << brick.from << "->" << brick.to;
}

void Draw(Drawn& drawn, const DataSet& data, const ControlValues& controls,
          const PriceScale& scale = OneRowPerYen()) {
  drawn.Run(DrawRenko, data, controls, scale);
}

// Bricks read back from the rectangles on the one-row-per-yen scale: a red brick rises from
// its bottom row, a black one falls from its top row.
std::vector<Brick> BricksOf(const RecordingCanvas& canvas) {
  std::vector<Brick> bricks;
  for (const auto& rect : canvas.Rects()) {
    const int32_t high = 1385 - rect.from.y;
    const int32_t low = 1385 - rect.to.y;
    bricks.push_back(rect.brush == kRed ? Brick{low, high} : Brick{high, low});
  }
  return bricks;
}

TEST(RenkoTest, BricksOfTheWorkedCase) {
  // From 1000 with box 10: a rise to 1035 lays 100–101, 101–102, 102–103; a fall to 1011 lays
  // nothing (Ceil 101.1 = 102 is not two boxes below 103); 1009 lays the one brick 102–101.
  const std::vector<int32_t> closes = {1000, 1035, 1011, 1009};
  Drawn drawn;
  Draw(drawn, DataOf(closes), BoxOf("10"));
  EXPECT_EQ(drawn.message, "");
  EXPECT_EQ(BricksOf(drawn.canvas),
            (std::vector<Brick>{{1000, 1010}, {1010, 1020}, {1020, 1030}, {1020, 1010}}));
  // Rising bricks red, falling black, each filled in its own colour.
  const auto rects = drawn.canvas.Rects();
  ASSERT_EQ(rects.size(), 4u);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(rects[k].pen, kRed) << k;
  EXPECT_EQ(rects[3].pen, kBlack);
  EXPECT_EQ(rects[3].brush, kBlack);
  // Four bricks share 600 pixels but stay 10 wide: brick k from x = 10k + 21 with a line at
  // its right edge, 10k + 30, over the same rows.
  EXPECT_EQ(rects[1].from.x, 41);
  EXPECT_EQ(rects[1].to.x, 50);
  EXPECT_TRUE(drawn.canvas.Contains("line 50,375-50,365")) << "brick 2 rises from 1010 to 1020";
  EXPECT_TRUE(drawn.canvas.Contains("line 70,365-70,375")) << "brick 4 falls from 1020 to 1010";
  // The canvas is left as every drawing leaves it.
  EXPECT_EQ(drawn.canvas.Calls().back().brush, kWhite);
  EXPECT_EQ(drawn.canvas.Calls().back().pen, kBlack);

  EXPECT_EQ(Directions(closes, BoxOf("10")), (std::vector<float>{0, 0, 1, -1}));
  ScreeningSeries series = SeriesOf(closes);
  EXPECT_EQ(CalcRenko(series, 0, BoxOf("10")), 250);
  EXPECT_EQ(series[3].s1, 7) << "the warm-up query computes nothing";
}

TEST(RenkoTest, FirstBricksNeedABoxBoundaryCrossed) {
  // 1005 → 1009 stays inside box 100; 1000 would cross down (Ceil 100 < Ceil 100.5 = 101)
  // and lays the one brick 101–100.
  const std::vector<int32_t> closes = {1005, 1009, 1001, 1000, 990};
  Drawn drawn;
  Draw(drawn, DataOf(closes), BoxOf("10"));
  EXPECT_EQ(BricksOf(drawn.canvas), (std::vector<Brick>{{1010, 1000}, {1000, 990}}));
  EXPECT_EQ(Directions(closes, BoxOf("10")), (std::vector<float>{0, 0, 0, 0, -1}));

  // A reversal up from a falling run needs Trunc two boxes above the last brick's end: after
  // bricks down to 99, 1000 and 1009 (box 100) do nothing, 1010 reverses with brick 100–101.
  const std::vector<int32_t> turn = {1005, 990, 1009, 1010};
  Drawn turned;
  Draw(turned, DataOf(turn), BoxOf("10"));
  EXPECT_EQ(BricksOf(turned.canvas), (std::vector<Brick>{{1010, 1000}, {1000, 990}, {1000, 1010}}));
  EXPECT_EQ(Directions(turn, BoxOf("10")), (std::vector<float>{0, 0, -1, 1}));
}

TEST(RenkoTest, NothingDrawnAndSlotsZeroWithoutAMove) {
  const std::vector<int32_t> flat = {1000, 1004, 1009, 1000, 1001};
  Drawn drawn;
  Draw(drawn, DataOf(flat), BoxOf("10"));
  EXPECT_TRUE(drawn.canvas.DrawingTexts().empty());
  EXPECT_EQ(Directions(flat, BoxOf("10")), (std::vector<float>{0, 0, 0, 0, 0}));
}

TEST(RenkoTest, WalkStartsAtTheFirstDisplayedBar) {
  // Shown from bar 3 (1040): the earlier rise is not part of the chart.
  Drawn drawn;
  Draw(drawn, DataOf({1000, 1020, 1040, 1050, 1061}, 3), BoxOf("10"));
  EXPECT_EQ(BricksOf(drawn.canvas), (std::vector<Brick>{{1040, 1050}, {1050, 1060}}));
}

TEST(RenkoTest, ElementWidthIsSharedPlotWidthBetweenOneAndTen) {
  // 2000 bricks over 600 pixels: one pixel each, and only those starting on the image drawn.
  std::vector<int32_t> rise;
  for (int i = 0; i <= 2000; ++i) rise.push_back(1000 + i);
  Drawn many;
  Draw(many, DataOf(rise), BoxOf("1"), [] {
    PriceScale scale;
    scale.upper = 3100;
    scale.lower = 900;
    return scale;
  }());
  const auto lines = many.canvas.Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front().from.x, 31) << "brick 1 of width 1 ends at x = 1 + 30";
  EXPECT_EQ(lines[1].from.x, 32);
  EXPECT_LE(lines.back().from.x, 660);
  EXPECT_GE(lines.back().from.x, 658);

  // Ten bricks: 60 pixels each would fit, but the width stops at 10.
  std::vector<int32_t> ten;
  for (int i = 0; i <= 10; ++i) ten.push_back(1000 + 10 * i);
  Drawn few;
  Draw(few, DataOf(ten), BoxOf("10"));
  const auto rects = few.canvas.Rects();
  ASSERT_EQ(rects.size(), 10u);
  EXPECT_EQ(rects[9].from.x, 121);
  EXPECT_EQ(rects[9].to.x, 130);
}

TEST(RenkoTest, VariableScaleTakesTheBoxAtTheLastClose) {
  ControlValues controls = BoxOf("10");
  controls.SetChecked("cbRenko", true);
  // Last close 1200: the band below 2000 gives box 30, so 1000 → 1200 runs from box 33 (990)
  // to box 40 (1200).
  const std::vector<int32_t> closes = {1000, 1100, 1200};
  Drawn drawn;
  Draw(drawn, DataOf(closes), controls);
  EXPECT_EQ(drawn.message, "");
  const auto bricks = BricksOf(drawn.canvas);
  ASSERT_EQ(bricks.size(), 7u);
  EXPECT_EQ(bricks[0], (Brick{990, 1020}));
  EXPECT_EQ(bricks[6], (Brick{1170, 1200}));

  // A table that does not read: the message, and the chart drawn with box 10.
  controls.Set("edscale3", "x");
  Drawn fallback;
  Draw(fallback, DataOf(closes), controls);
  EXPECT_EQ(fallback.message, "変動スケールが正しく設定されていません");
  EXPECT_EQ(BricksOf(fallback.canvas).size(), 20u);
  EXPECT_EQ(Directions({1000, 1100, 1200}, controls), (std::vector<float>{0, 0, 1}));
}

TEST(RenkoTest, BoxSizesThatCannotCountBoxes) {
  const std::vector<int32_t> closes = {1000, 1050, 990};
  // An empty box is 10 (five bricks up to 1050, five down from 1040 to 990); a box that does
  // not read ends the command.
  Drawn empty;
  Draw(empty, DataOf(closes), BoxOf(""));
  EXPECT_EQ(BricksOf(empty.canvas).size(), 10u);
  Drawn bad;
  EXPECT_THROW(Draw(bad, DataOf(closes), BoxOf("ten")), ConversionError);
  // Zero, negative and vanishing boxes would never lay a brick, or lay billions: refused.
  for (const char* box : {"0", "-10", "1e-30"}) {
    Drawn refused;
    Draw(refused, DataOf(closes), BoxOf(box));
    EXPECT_EQ(refused.message, "値幅を正しく設定して下さい") << box;
    EXPECT_TRUE(refused.canvas.DrawingTexts().empty()) << box;
    ScreeningSeries series = SeriesOf(closes);
    const ComputationInfo* info = FindComputation("CalcRenko");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(RunComputation(*info, series, 3, BoxOf(box)), static_cast<int>(kFailureCode)) << box;
  }
}

// One brick at a time in whole-number arithmetic: box positions of a close with a whole box
// are the integer quotient rounded down or up.
struct SlowRenko {
  std::vector<Brick> bricks;
  std::vector<float> directions;
};

SlowRenko SlowWalk(const std::vector<int32_t>& closes, int32_t box) {
  SlowRenko result;
  const auto floor_box = [&](int32_t p) { return p / box; };
  const auto ceil_box = [&](int32_t p) { return (p + box - 1) / box; };
  bool started = false;
  bool up = false;
  int32_t end = 0;  // box where the last brick ends
  const auto lay = [&](int32_t from, int32_t to) {
    result.bricks.push_back({from * box, to * box});
    end = to;
  };
  result.directions.push_back(0);
  for (size_t i = 1; i < closes.size(); ++i) {
    const bool was_started = started;
    const int32_t p = closes[i];
    if (!started) {
      const int32_t p0 = closes[0];
      if (floor_box(p) > floor_box(p0)) {
        started = up = true;
        for (int32_t k = floor_box(p0); k < floor_box(p); ++k) lay(k, k + 1);
      } else if (ceil_box(p) < ceil_box(p0)) {
        started = true;
        up = false;
        for (int32_t k = ceil_box(p0); k > ceil_box(p); --k) lay(k, k - 1);
      }
    } else if (up) {
      if (floor_box(p) > end) {
        while (end < floor_box(p)) lay(end, end + 1);
      } else if (ceil_box(p) <= end - 2) {
        up = false;
        lay(end - 1, end - 2);
        while (end > ceil_box(p)) lay(end, end - 1);
      }
    } else {
      if (ceil_box(p) < end) {
        while (end > ceil_box(p)) lay(end, end - 1);
      } else if (floor_box(p) >= end + 2) {
        up = true;
        lay(end + 1, end + 2);
        while (end < floor_box(p)) lay(end, end + 1);
      }
    }
    result.directions.push_back(!was_started ? 0.0f : up ? 1.0f : -1.0f);
  }
  return result;
}

TEST(RenkoTest, DrawingAndComputationMatchABrickByBrickWalk) {
  std::mt19937 random(4202);
  for (int round = 0; round < 30; ++round) {
    const int32_t box = std::uniform_int_distribution<int32_t>(3, 12)(random);
    std::uniform_int_distribution<int32_t> move(-25, 25);
    const std::vector<int32_t> closes =
        ClampedWalk(random, move, 1100 + move(random), 300, 1000, 1380);
    const SlowRenko slow = SlowWalk(closes, box);
    ASSERT_GT(slow.bricks.size(), 10u) << round;

    const ControlValues controls = BoxOf(std::to_string(box));
    EXPECT_EQ(Directions(closes, controls), slow.directions) << round;
    Drawn drawn(100000);
    Draw(drawn, DataOf(closes), controls);
    EXPECT_EQ(BricksOf(drawn.canvas), slow.bricks) << round;
  }
}

}  // namespace
}  // namespace varnolt
