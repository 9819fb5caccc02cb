#include "indicators/moving_average.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/file_error.h"
#include "support/recording_canvas.h"

namespace varnolt {

static void PrintTo(const Point& point, std::ostream* out) {
  *out << "(" << point.x << "," << point.y << ")";
}

namespace {

using testing::RecordingCanvas;
using Segment = std::pair<Point, Point>;

constexpr Color kGreen = Color::Rgb(0, 128, 0);
constexpr Color kPurple = Color::Rgb(128, 0, 128);
constexpr Color kYellow = Color::Rgb(255, 255, 0);

// Bars without calendar spacing, so their dates play no part. High and low lie 5 either side
// of the close.
DataSet Bars(const std::vector<int32_t>& closes, int first_shown) {
  DataSet data;
  for (int32_t close : closes) {
    Bar bar;
    bar.open = close;
    bar.high = close + 5;
    bar.low = close - 5;
    bar.close = close;
    data.bars.Append(bar);
  }
  data.first_shown = first_shown;
  data.loaded = true;
  return data;
}

// Twenty price units to about 19 rows, so that averages one apart land on different rows.
PriceScale Scale() {
  PriceScale scale;
  scale.upper = 1020;
  scale.lower = 1000;
  scale.margin = 10;
  return scale;
}

ControlValues Periods(std::string line1, std::string line2, std::string line3) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edav1", std::move(line1));
  controls.Set("edav2", std::move(line2));
  controls.Set("edav3", std::move(line3));
  return controls;
}

// One drawing over a data set and its controls, with what it drew read back.
struct Chart {
  Chart(DataSet bars, ControlValues values) : data(std::move(bars)), controls(std::move(values)) {}

  DataSet data;
  ControlValues controls;
  RecordingCanvas canvas;
  std::string statistics;

  IndicatorContext Context() { return {data, controls, canvas, 1, Scale(), statistics}; }
  std::string Draw(Drawing drawing) { return drawing(Context()).message; }

  // The segments between consecutive (bar, value) points as the frame places them.
  std::vector<Segment> Polyline(const std::vector<std::pair<int, int64_t>>& plots) {
    const IndicatorFrame frame(Context());
    std::vector<Segment> segments;
    for (size_t i = 1; i < plots.size(); ++i) {
      const PixelPoint a = frame.Point(plots[i - 1].first, plots[i - 1].second);
      const PixelPoint b = frame.Point(plots[i].first, plots[i].second);
      segments.push_back({{a.x, a.y}, {b.x, b.y}});
    }
    return segments;
  }

  std::vector<Segment> LinesIn(Color color) const {
    std::vector<Segment> segments;
    for (const RecordingCanvas::LineCall& line : canvas.Lines()) {
      if (line.pen == color) segments.push_back({line.from, line.to});
    }
    return segments;
  }

  std::vector<std::string> PenCalls() const {
    std::vector<std::string> pens;
    for (const std::string& text : canvas.CallTexts()) {
      if (text.starts_with("pen ") || text.starts_with("brush ")) pens.push_back(text);
    }
    return pens;
  }
};

// The average of closes over the period ending at each bar from `from` to the last bar,
// summed afresh for every bar and divided with truncation.
std::vector<std::pair<int, int64_t>> SlowAverages(const std::vector<int32_t>& closes, int period,
                                                  int from) {
  std::vector<std::pair<int, int64_t>> plots;
  for (int bar = from; bar <= static_cast<int>(closes.size()); ++bar) {
    int64_t sum = 0;
    for (int i = bar - period + 1; i <= bar; ++i) sum += closes[i - 1];
    plots.push_back({bar, sum / period});
  }
  return plots;
}

std::vector<int32_t> RandomCloses(int count) {
  std::mt19937 random(20240607);
  std::uniform_int_distribution<int32_t> price(1001, 1019);
  std::vector<int32_t> closes(count);
  for (int32_t& close : closes) close = price(random);
  return closes;
}

TEST(MovingAverageDrawing, StartsAtTheFirstDisplayedBarWhenEarlierBarsExist) {
  const std::vector<int32_t> closes = RandomCloses(120);

  // From bar 1 the first full window ends at bar 6.
  Chart from_start{Bars(closes, 1), Periods("6", "0", "0")};
  from_start.Draw(DrawMovingAverage);
  EXPECT_EQ(from_start.LinesIn(kGreen), from_start.Polyline(SlowAverages(closes, 6, 6)));

  // From bar 100 the line starts right there, over bars 95..100.
  Chart later{Bars(closes, 100), Periods("6", "0", "0")};
  later.Draw(DrawMovingAverage);
  EXPECT_EQ(later.LinesIn(kGreen), later.Polyline(SlowAverages(closes, 6, 100)));
  EXPECT_EQ(later.canvas.Lines().size(), 20u);

  // A first displayed bar before the period's end still starts at bar 6.
  Chart early{Bars(closes, 4), Periods("6", "0", "0")};
  early.Draw(DrawMovingAverage);
  EXPECT_EQ(early.LinesIn(kGreen), early.Polyline(SlowAverages(closes, 6, 6)));
}

TEST(MovingAverageDrawing, AveragesAreTruncatedWholeNumbers) {
  Chart run{Bars({1001, 1002, 1003, 1004}, 1), Periods("3", "2", "0")};
  run.Draw(DrawMovingAverage);
  // 1001, 1002, 1003 → 1002; then 1002, 1003, 1004 → 1003.
  EXPECT_EQ(run.LinesIn(kGreen), run.Polyline({{3, 1002}, {4, 1003}}));
  // 1001 and 1002 → 1001 (not 1002), 1002 and 1003 → 1002, 1003 and 1004 → 1003.
  EXPECT_EQ(run.LinesIn(kPurple), run.Polyline({{2, 1001}, {3, 1002}, {4, 1003}}));
}

TEST(MovingAverageDrawing, LinesInOrderInTheirLabelColoursWithTheNotXorPen) {
  Chart run{Bars(RandomCloses(20), 1), Periods("6", "12", "24")};
  run.controls.Set("lbav2", "255");  // a colour picked with the 色 button: red
  EXPECT_EQ(run.Draw(DrawMovingAverage), "");

  // Line 3 needs 24 bars and is skipped; the pen ends in copy mode with a white brush.
  EXPECT_EQ(run.PenCalls(),
            (std::vector<std::string>{"pen 008000 solid 1 notxor", "pen 0000FF solid 1 notxor",
                                      "pen 000000 solid 1 copy", "brush FFFFFF"}));
  EXPECT_EQ(run.LinesIn(kGreen).size(), 14u);                // bars 6..20
  EXPECT_EQ(run.LinesIn(Color::Rgb(255, 0, 0)).size(), 8u);  // bars 12..20
  EXPECT_TRUE(run.LinesIn(kYellow).empty());
  // Each segment is its own move and line.
  const std::vector<std::string> calls = run.canvas.CallTexts();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_TRUE(calls[1].starts_with("move ")) << calls[1];
  EXPECT_TRUE(calls[2].starts_with("line ")) << calls[2];
  EXPECT_TRUE(calls[3].starts_with("move ")) << calls[3];
}

TEST(MovingAverageDrawing, PeriodsThatSwitchALineOff) {
  const std::vector<int32_t> closes = RandomCloses(30);
  // 0, an empty box and a negative period draw nothing; the pen is still put back.
  Chart off{Bars(closes, 1), Periods("0", "", "-3")};
  off.Draw(DrawMovingAverage);
  EXPECT_TRUE(off.canvas.Lines().empty());
  EXPECT_EQ(off.PenCalls(), (std::vector<std::string>{"pen 000000 solid 1 copy", "brush FFFFFF"}));

  // A period longer than the series skips only its own line; the last bar itself suffices.
  Chart skip{Bars(closes, 1), Periods("31", "29", "30")};
  skip.Draw(DrawMovingAverage);
  EXPECT_TRUE(skip.LinesIn(kGreen).empty());
  EXPECT_EQ(skip.LinesIn(kPurple), skip.Polyline(SlowAverages(closes, 29, 29)));
  EXPECT_TRUE(skip.LinesIn(kYellow).empty());  // a single point, no segment
  EXPECT_EQ(skip.PenCalls().size(), 4u);       // purple, yellow, reset
}

TEST(MovingAverageDrawing, NonNumericPeriodEndsTheDrawing) {
  Chart run{Bars(RandomCloses(30), 1), Periods("6", "abc", "5")};
  EXPECT_THROW(run.Draw(DrawMovingAverage), ConversionError);
  // Line 1 was drawn before the bad box was read; line 3 never is.
  EXPECT_EQ(run.LinesIn(kGreen).size(), 24u);
  EXPECT_EQ(run.canvas.Lines().size(), 24u);
  // The canvas is not left in not-xor mode for whatever draws next.
  EXPECT_EQ(run.PenCalls().back(), "brush FFFFFF");
  EXPECT_EQ(run.PenCalls().end()[-2], "pen 000000 solid 1 copy");
}

TEST(MovingAverageHighLowDrawing, HighAndLowAveragesPerBarInTheLineColour) {
  Chart run{DataSet{}, Periods("2", "0", "0")};
  const int32_t highs[] = {1011, 1012, 1014, 1010};
  const int32_t lows[] = {995, 996, 999, 990};
  for (int i = 0; i < 4; ++i) {
    Bar bar;
    bar.high = highs[i];
    bar.low = lows[i];
    bar.open = bar.close = 1005;
    run.data.bars.Append(bar);
  }
  run.data.first_shown = 1;
  run.Draw(DrawMovingAverageHighLow);

  // Highs 1011 (2023 / 2), 1013, 1012; lows 995 (1991 / 2), 997, 994 (1989 / 2). Per bar the
  // high segment comes first.
  const std::vector<Segment> highs_line = run.Polyline({{2, 1011}, {3, 1013}, {4, 1012}});
  const std::vector<Segment> lows_line = run.Polyline({{2, 995}, {3, 997}, {4, 994}});
  EXPECT_EQ(run.LinesIn(kGreen),
            (std::vector<Segment>{highs_line[0], lows_line[0], highs_line[1], lows_line[1]}));
  EXPECT_EQ(run.canvas.Lines().size(), 4u);
  EXPECT_EQ(run.PenCalls().front(), "pen 008000 solid 1 notxor");
}

}  // namespace
}  // namespace varnolt
