#include "indicators/point_figure.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "base/file_error.h"
#include "base/numbers.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::ClampedWalk;
using testing::DataOf;
using testing::Drawn;
using testing::OneRowPerYen;
using testing::RecordingCanvas;

constexpr Color kBlue = Color::Rgb(0, 0, 255);

ScreeningSeries SeriesOf(const std::vector<int32_t>& closes) {
  return testing::SeriesWithLeftovers(closes, {7});
}

enum Base { kTruncation = 0, kReached = 1 };

ControlValues Settings(Base base, const std::string& box = "10", const std::string& reversal = "3",
                       bool grid = false) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edPF1", box);
  controls.Set("edPF2", reversal);
  controls.Set("RGpf", std::to_string(static_cast<int>(base)));
  controls.SetChecked("cbpf", grid);
  return controls;
}

std::vector<float> Signals(const std::vector<int32_t>& closes, const ControlValues& controls) {
  ScreeningSeries series = SeriesOf(closes);
  CalcPointFigure(series, static_cast<int>(closes.size()), controls);
  std::vector<float> slots;
  for (int i = 1; i <= static_cast<int>(closes.size()); ++i) slots.push_back(series[i].s1);
  return slots;
}

void Draw(Drawn& drawn, const DataSet& data, const ControlValues& controls,
          const PriceScale& scale = OneRowPerYen()) {
  drawn.Run(DrawPointFigure, data, controls, scale);
}

// A mark as drawn on the one-row-per-yen scale: the prices of its cell, and its column's left x.
struct Mark {
  bool o;  // an O (ellipse) rather than an X (two red diagonals)
  int left;
  int32_t high;
  int32_t low;
};

std::vector<Mark> MarksOf(const RecordingCanvas& canvas) {
  std::vector<Mark> marks;
  for (const auto& call : canvas.Calls()) {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (std::sscanf(call.text.c_str(), "ellipse %d,%d-%d,%d", &x1, &y1, &x2, &y2) == 4) {
      EXPECT_EQ(call.pen, kBlack);
      marks.push_back({true, x1, 1385 - y1, 1385 - y2});
    }
  }
  const auto lines = canvas.Lines();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].pen != kRed) continue;
    // The rising diagonal, then the falling one over the same cell.
    EXPECT_EQ(lines[i].from.y, lines[i + 1].to.y);
    marks.push_back({false, lines[i].from.x, 1385 - lines[i].to.y, 1385 - lines[i].from.y});
    ++i;
  }
  return marks;
}

struct Column {
  int64_t start;
  int64_t end;
  bool operator==(const Column&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Column& column) {
  return out << column.start << "->" << column.end;
}

// Columns read back from the marks of box 10: the first and last cells give start and end.
std::vector<Column> ColumnsOf(const RecordingCanvas& canvas, Base base, int box = 10) {
  std::map<int, std::vector<Mark>> by_left;
  for (const Mark& mark : MarksOf(canvas)) by_left[mark.left].push_back(mark);
  std::vector<Column> columns;
  for (const auto& [left, marks] : by_left) {
    const Mark& first = marks.front();
    const Mark& last = marks.back();
    if (first.o) {
      // O cells count down from the top of their box in the truncation base.
      columns.push_back(base == kReached ? Column{first.low / box, last.low / box}
                                         : Column{first.high / box, last.low / box});
    } else {
      columns.push_back(base == kReached ? Column{first.low / box, last.low / box}
                                         : Column{first.low / box, last.high / box});
    }
  }
  return columns;
}

TEST(PointFigureTest, ReversalAt1170Or1180DependingOnTheBoxRule) {
  // An X column from box 100 to 120; R = 3.
  // Truncation base: a close of 1170 (box 117, 3 boxes back) holds, 1169 (116, 4 > 3) turns.
  EXPECT_EQ(ColumnsOf(
                [] {
                  Drawn d;
                  Draw(d, DataOf({1000, 1205, 1170}), Settings(kTruncation));
                  return d.canvas;
                }(),
                kTruncation),
            (std::vector<Column>{{100, 120}}));
  Drawn truncation;
  Draw(truncation, DataOf({1000, 1205, 1169}), Settings(kTruncation));
  EXPECT_EQ(truncation.message, "");
  EXPECT_EQ(ColumnsOf(truncation.canvas, kTruncation),
            (std::vector<Column>{{100, 120}, {119, 116}}));
  // The end box is unmarked: X over boxes 100..119 (1000..1200), O over 119..117 counted from
  // the top of their boxes (1190 down to 1160).
  const auto marks = MarksOf(truncation.canvas);
  ASSERT_EQ(marks.size(), 23u);
  EXPECT_EQ(marks[0].high, 1190);
  EXPECT_EQ(marks[0].low, 1180);
  EXPECT_EQ(marks[2].low, 1160);
  EXPECT_EQ(marks.back().high, 1200);

  // Reached-point base: 1180 (box 118) holds, 1179 (117, 3 ≥ 3) turns; every box is marked.
  Drawn held;
  Draw(held, DataOf({1000, 1205, 1180}), Settings(kReached));
  EXPECT_EQ(ColumnsOf(held.canvas, kReached), (std::vector<Column>{{100, 120}}));
  Drawn reached;
  Draw(reached, DataOf({1000, 1205, 1179}), Settings(kReached));
  EXPECT_EQ(ColumnsOf(reached.canvas, kReached), (std::vector<Column>{{100, 120}, {119, 117}}));
  const auto reached_marks = MarksOf(reached.canvas);
  ASSERT_EQ(reached_marks.size(), 24u);
  EXPECT_EQ(reached_marks[0].high, 1200) << "O box 119 spans 1190..1200";
  EXPECT_EQ(reached_marks.back().high, 1210) << "X box 120 spans 1200..1210";

  // Columns stand at x = 31.. and 41..: ten pixels each.
  EXPECT_EQ(reached_marks.back().left, 31);
  EXPECT_EQ(reached_marks[0].left, 41);
  EXPECT_TRUE(reached.canvas.Contains("ellipse 41,185-50,195"));
  EXPECT_TRUE(reached.canvas.Contains("line 31,385-40,375"));
  EXPECT_EQ(reached.canvas.Calls().back().brush, kWhite);
  EXPECT_EQ(reached.canvas.Calls().back().pen, kBlack);
}

TEST(PointFigureTest, OneBoxColumnIsUnmarkedInTheTruncationBase) {
  // 1005 → 1000 moves down (Ceil 100 < Ceil 100.5) with Trunc unchanged: column 100 → 100.
  const std::vector<int32_t> closes = {1005, 1000};
  Drawn drawn;
  Draw(drawn, DataOf(closes), Settings(kTruncation, "10", "3", true));
  EXPECT_TRUE(MarksOf(drawn.canvas).empty());
  EXPECT_FALSE(drawn.canvas.Lines().empty()) << "the grid is still drawn";
  EXPECT_EQ(Signals(closes, Settings(kTruncation)), (std::vector<float>{0, 0}));
  EXPECT_EQ(Signals({1005, 1000, 1000}, Settings(kTruncation)), (std::vector<float>{0, 0, -1}));
}

TEST(PointFigureTest, GridHasDottedLinesWithEveryFifthBoxBlue) {
  Drawn drawn;
  Draw(drawn, DataOf({1000, 1205, 1169}), Settings(kTruncation, "10", "3", true));
  std::vector<RecordingCanvas::LineCall> vertical;
  std::vector<RecordingCanvas::LineCall> horizontal;
  for (const auto& line : drawn.canvas.Lines()) {
    if (line.style != PenStyle::kDot) continue;
    (line.from.x == line.to.x ? vertical : horizontal).push_back(line);
  }
  // Two columns of 10 pixels: a line at the right edge of every column slot across the plot,
  // over the band (rows 0 to 385).
  ASSERT_EQ(vertical.size(), 60u);
  EXPECT_EQ(vertical[0].from, (Point{40, 0}));
  EXPECT_EQ(vertical[0].to, (Point{40, 385}));
  EXPECT_EQ(vertical.back().from.x, 630);
  // Boxes 100..138 (1000..1380), blue at 100, 105, … 135.
  ASSERT_EQ(horizontal.size(), 39u);
  for (size_t i = 0; i < horizontal.size(); ++i) {
    const int box = 100 + static_cast<int>(i);
    EXPECT_EQ(horizontal[i].from, (Point{31, 1385 - 10 * box})) << box;
    EXPECT_EQ(horizontal[i].to.x, 629) << box;
    EXPECT_EQ(horizontal[i].pen, box % 5 == 0 ? kBlue : kBlack) << box;
  }
  // Marks are drawn with a solid pen after the grid.
  for (const auto& line : drawn.canvas.Lines()) {
    if (line.pen == kRed) {
      EXPECT_EQ(line.style, PenStyle::kSolid);
    }
  }
  // No grid when cbpf is unchecked.
  Drawn bare;
  Draw(bare, DataOf({1000, 1205, 1169}), Settings(kTruncation, "10", "3", false));
  for (const auto& line : bare.canvas.Lines()) EXPECT_EQ(line.style, PenStyle::kSolid);
}

TEST(PointFigureTest, SignalFollowsDoubleTopsAndBottoms) {
  // Box 10, R 3, truncation base:
  //   1100  first column X 100 → 110: +1 from the next bar
  //   1050  O 109 → 105; not below 99 (the first column's start − 1)
  //   980   O to 98 < 99: sell, −1
  //   1030  X 99 → 103; not above 110
  //   1120  X to 112 > 110: buy, +1
  const std::vector<int32_t> closes = {1000, 1100, 1050, 1000, 980, 1030, 1120};
  EXPECT_EQ(Signals(closes, Settings(kTruncation)), (std::vector<float>{0, 0, 1, 1, -1, -1, 1}));
  ScreeningSeries series = SeriesOf(closes);
  EXPECT_EQ(CalcPointFigure(series, 0, Settings(kTruncation)), 250);
  // Unmoving closes leave every slot at 0.
  EXPECT_EQ(Signals({1000, 1003, 1009, 1000}, Settings(kReached)), std::vector<float>(4, 0));
  Drawn still;
  Draw(still, DataOf({1000, 1003, 1009, 1000}), Settings(kReached, "10", "3", true));
  EXPECT_TRUE(still.canvas.DrawingTexts().empty());
}

TEST(PointFigureTest, BoxAndReversalSettings) {
  const std::vector<int32_t> closes = {1000, 1205, 1169};
  // Empty boxes take 10 and 3.
  Drawn empty;
  Draw(empty, DataOf(closes), Settings(kTruncation, "", ""));
  EXPECT_EQ(ColumnsOf(empty.canvas, kTruncation), (std::vector<Column>{{100, 120}, {119, 116}}));
  // A reversal of 0 boxes in the reached-point base would open a "falling" column 119 → 120
  // on a close that stays at the top; it needs at least one box back.
  Drawn zero;
  Draw(zero, DataOf({1000, 1205, 1205, 1195}), Settings(kReached, "10", "0"));
  EXPECT_EQ(ColumnsOf(zero.canvas, kReached), (std::vector<Column>{{100, 120}, {119, 119}}));
  // A zero box is refused rather than dividing by it.
  Drawn refused;
  Draw(refused, DataOf(closes), Settings(kTruncation, "0"));
  EXPECT_EQ(refused.message, "値幅を正しく設定して下さい");
  EXPECT_TRUE(refused.canvas.DrawingTexts().empty());
  ScreeningSeries series = SeriesOf(closes);
  EXPECT_EQ(
      RunComputation(*FindComputation("CalcPointFigure"), series, 3, Settings(kTruncation, "0")),
      static_cast<int>(kFailureCode));

  // The variable scale at the last close 1169 gives box 30.
  ControlValues variable = Settings(kTruncation, "abc");
  variable.SetChecked("cbPF2", true);
  Drawn scaled;
  Draw(scaled, DataOf({1020, 1200}), variable);
  EXPECT_EQ(scaled.message, "");
  EXPECT_EQ(MarksOf(scaled.canvas).size(), 6u) << "boxes 34..39 of 30 yen";
}

TEST(PointFigureTest, ElementWidthBetweenOneAndTenPixels) {
  // 2000 columns alternating with R = 1 in the reached-point base.
  std::vector<int32_t> zigzag = {1100};
  for (int i = 0; i < 2000; ++i) zigzag.push_back(i % 2 == 0 ? 1200 : 1100);
  Drawn many;
  Draw(many, DataOf(zigzag), Settings(kReached, "10", "1"));
  const auto marks = MarksOf(many.canvas);
  ASSERT_FALSE(marks.empty());
  std::set<int> lefts;
  for (const Mark& mark : marks) lefts.insert(mark.left);
  EXPECT_EQ(*lefts.begin(), 31);
  EXPECT_EQ(*std::next(lefts.begin()), 32) << "one pixel per column";
  EXPECT_LT(*lefts.rbegin(), 660) << "columns past the image are left out";

  Drawn few;
  std::vector<int32_t> ten = {1100};
  for (int i = 0; i < 10; ++i) ten.push_back(i % 2 == 0 ? 1200 : 1100);
  Draw(few, DataOf(ten), Settings(kReached, "10", "1"));
  std::set<int> ten_lefts;
  for (const Mark& mark : MarksOf(few.canvas)) ten_lefts.insert(mark.left);
  EXPECT_EQ(ten_lefts, (std::set<int>{31, 41, 51, 61, 71, 81, 91, 101, 111, 121}));
}

TEST(PointFigureTest, BoxesFinerThanAPixelDrawEachDistinctMarkOnce) {
  // Box 0.01 yen: a fall from 1300 to 1050 is a column of 25000 boxes, about 40 to a row.
  const std::vector<int32_t> closes = {1300, 1050};
  Drawn drawn;
  Draw(drawn, DataOf(closes), Settings(kReached, "0.01", "3", true));
  std::set<std::tuple<int, int>> drawn_cells;
  int ellipses = 0;
  for (const auto& call : drawn.canvas.Calls()) {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (std::sscanf(call.text.c_str(), "ellipse %d,%d-%d,%d", &x1, &y1, &x2, &y2) == 4) {
      drawn_cells.insert({y1, y2});
      ++ellipses;
    }
  }
  EXPECT_EQ(ellipses, static_cast<int>(drawn_cells.size())) << "no cell twice";
  // Every distinct cell of boxes 130000 down to 105000 on the image.
  std::set<std::tuple<int, int>> all_cells;
  for (int64_t j = 130000; j >= 105000; --j) {
    const int top = 1385 - static_cast<int>(RoundHalfEven((j + 1) * 0.01));
    const int bottom = 1385 - static_cast<int>(RoundHalfEven(j * 0.01));
    if (bottom >= 0 && top < 400) all_cells.insert({top, bottom});
  }
  EXPECT_EQ(drawn_cells, all_cells);
  // Grid rows: one line per row, in the colour of the last box drawn on it, as if every box
  // had its line.
  std::map<int, Color> row_colours;
  for (int64_t k = 100000; k <= 138500; ++k) {
    row_colours[1385 - static_cast<int>(RoundHalfEven(k * 0.01))] = k % 5 == 0 ? kBlue : kBlack;
  }
  std::map<int, Color> drawn_rows;
  int horizontal = 0;
  for (const auto& line : drawn.canvas.Lines()) {
    if (line.style != PenStyle::kDot || line.from.y != line.to.y) continue;
    drawn_rows[line.from.y] = line.pen;
    ++horizontal;
  }
  EXPECT_EQ(horizontal, 386) << "rows 0..385 of prices 1000..1385";
  EXPECT_EQ(drawn_rows, row_colours);
}

// Columns and signal the long way: whole-number boxes, a list of columns, and the signal
// against the extreme of the column before last.
struct SlowPointFigure {
  std::vector<Column> columns;
  std::vector<float> signals;
};

SlowPointFigure SlowWalk(const std::vector<int32_t>& closes, int32_t box, int reversal, Base base) {
  SlowPointFigure result;
  const auto floor_box = [&](int32_t p) -> int64_t { return p / box; };
  const auto ceil_box = [&](int32_t p) -> int64_t { return (p + box - 1) / box; };
  const int64_t turn = base == kReached ? reversal : reversal + 1;
  bool up = false;
  int signal = 0;
  result.signals.push_back(0);
  std::vector<Column>& columns = result.columns;
  for (size_t i = 1; i < closes.size(); ++i) {
    const bool started = !columns.empty();
    const int64_t b = floor_box(closes[i]);
    if (!started) {
      const int64_t b0 = floor_box(closes[0]);
      const bool moves =
          (base == kReached ? b != b0 : b > b0) || ceil_box(closes[i]) < ceil_box(closes[0]);
      if (moves) {
        up = closes[i] >= closes[0];
        signal = up ? 1 : -1;
        columns.push_back({b0, b});
      }
    } else {
      Column& current = columns.back();
      if (up ? b > current.end : b < current.end) {
        current.end = b;
      } else if (up && current.end - b >= turn) {
        up = false;
        columns.push_back({current.end - 1, b});
      } else if (!up && b - current.end >= turn) {
        up = true;
        columns.push_back({current.end + 1, b});
      }
      const size_t n = columns.size();
      if (n >= 2) {
        // The extreme of the same kind of column: the one before last, or for the second
        // column, one box beyond the first column's start.
        const int64_t top = n >= 3 ? columns[n - 3].end : columns[0].start + 1;
        const int64_t bottom = n >= 3 ? columns[n - 3].end : columns[0].start - 1;
        if (up && signal < 0 && columns.back().end > top) signal = 1;
        if (!up && signal > 0 && columns.back().end < bottom) signal = -1;
      }
    }
    result.signals.push_back(started ? static_cast<float>(signal) : 0.0f);
  }
  return result;
}

TEST(PointFigureTest, DrawingAndComputationMatchTheLongWay) {
  std::mt19937 random(6802);
  for (int round = 0; round < 40; ++round) {
    const Base base = round % 2 == 0 ? kTruncation : kReached;
    const int reversal = std::uniform_int_distribution<int>(1, 4)(random);
    std::uniform_int_distribution<int32_t> move(-30, 30);
    const std::vector<int32_t> closes = ClampedWalk(random, move, 1200, 500, 1020, 1360);
    const SlowPointFigure slow = SlowWalk(closes, 10, reversal, base);
    ASSERT_GT(slow.columns.size(), 5u) << round;
    const ControlValues controls = Settings(base, "10", std::to_string(reversal));
    EXPECT_EQ(Signals(closes, controls), slow.signals) << round;

    Drawn drawn(100000);
    Draw(drawn, DataOf(closes), controls);
    std::vector<Column> marked;
    for (const Column& column : slow.columns) {
      if (base == kReached || column.start != column.end) marked.push_back(column);
    }
    EXPECT_EQ(ColumnsOf(drawn.canvas, base), marked) << round;
  }
}

}  // namespace
}  // namespace varnolt
