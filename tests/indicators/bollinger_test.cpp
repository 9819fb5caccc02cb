#include "indicators/bollinger.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/file_error.h"
#include "base/numbers.h"
#include "support/recording_canvas.h"

namespace varnolt {

static void PrintTo(const Point& point, std::ostream* out) {
  *out << "(" << point.x << "," << point.y << ")";
}

namespace {

using testing::RecordingCanvas;
using Segment = std::pair<Point, Point>;

constexpr Color kGreen = Color::Rgb(0, 128, 0);
constexpr Color kBlue = Color::Rgb(0, 0, 255);

std::vector<int32_t> RandomCloses(int count, unsigned seed, int32_t low, int32_t high) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int32_t> price(low, high);
  std::vector<int32_t> closes(count);
  for (int32_t& close : closes) close = price(random);
  return closes;
}

ControlValues Parameters(std::string period, std::string width) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edVo1", std::move(period));
  controls.Set("edVo2", std::move(width));
  return controls;
}

// Mean and population deviation of the window ending at `bar`, worked out from a copy of it.
struct Window {
  double mean;
  double deviation;
};
Window SlowWindow(const std::vector<int32_t>& closes, int bar, int period) {
  const std::vector<double> values(closes.begin() + (bar - period), closes.begin() + bar);
  double sum = 0;
  for (double value : values) sum += value;
  const double mean = sum / period;
  double squares = 0;
  for (double value : values) squares += (value - mean) * (value - mean);
  return {mean, std::sqrt(squares / period)};
}

// One Bollinger drawing over closes without calendar spacing, with what it drew read back.
struct Chart {
  Chart(const std::vector<int32_t>& closes, int first_shown, ControlValues values, int64_t upper,
        int64_t lower)
      : controls(std::move(values)) {
    for (int32_t close : closes) {
      Bar bar;
      bar.open = bar.high = bar.low = bar.close = close;
      data.bars.Append(bar);
    }
    data.first_shown = first_shown;
    data.loaded = true;
    scale.upper = upper;
    scale.lower = lower;
    scale.margin = 10;
  }

  IndicatorContext Context() { return {data, controls, canvas, 1, scale, statistics}; }
  std::string Draw() { return DrawBollinger(Context()).message; }

  Point At(int bar, int64_t value) {
    const PixelPoint point = IndicatorFrame(Context()).Point(bar, value);
    return {point.x, point.y};
  }

  std::vector<Segment> LinesIn(Color color) const {
    std::vector<Segment> segments;
    for (const RecordingCanvas::LineCall& line : canvas.Lines()) {
      if (line.pen == color) segments.push_back({line.from, line.to});
    }
    return segments;
  }

  // Line m (−1 lower, 0 middle, +1 upper) as the slow version places it from bar `from` on.
  std::vector<Segment> SlowLine(const std::vector<int32_t>& closes, int period, double width, int m,
                                int from) {
    std::vector<Segment> segments;
    Point previous;
    for (int bar = from; bar <= static_cast<int>(closes.size()); ++bar) {
      const Window window = SlowWindow(closes, bar, period);
      const Point point = At(bar, RoundHalfEven(m * window.deviation * width + window.mean));
      if (bar > from) segments.push_back({previous, point});
      previous = point;
    }
    return segments;
  }

  // The segments of one line: every third line call from `line` on (lower, middle, upper).
  std::vector<Segment> Line(int line) const {
    std::vector<Segment> segments;
    const std::vector<RecordingCanvas::LineCall> lines = canvas.Lines();
    for (size_t i = line; i < lines.size(); i += 3)
      segments.push_back({lines[i].from, lines[i].to});
    return segments;
  }

  DataSet data;
  ControlValues controls;
  PriceScale scale;
  RecordingCanvas canvas;
  std::string statistics;
};

TEST(BollingerDrawing, BandsByHandRoundedHalfToEven) {
  // Period 2: bar 2 has mean 100.5 and deviation 0.5, bar 3 mean 101.5 and deviation 0.5.
  // With width 2 the values are 99.5, 100.5, 101.5 and 100.5, 101.5, 102.5.
  Chart chart({100, 101, 102}, 1, Parameters("2", "2"), 110, 90);
  EXPECT_EQ(chart.Draw(), "");
  EXPECT_EQ(chart.canvas.CallTexts().size(), 11u);  // three pens, moves and lines; the reset
  const std::vector<RecordingCanvas::LineCall> lines = chart.canvas.Lines();
  ASSERT_EQ(lines.size(), 3u);
  // Lower band, middle line, upper band.
  EXPECT_EQ(lines[0].from, chart.At(2, 100));
  EXPECT_EQ(lines[0].to, chart.At(3, 100));
  EXPECT_EQ(lines[1].from, chart.At(2, 100));
  EXPECT_EQ(lines[1].to, chart.At(3, 102));
  EXPECT_EQ(lines[2].from, chart.At(2, 102));
  EXPECT_EQ(lines[2].to, chart.At(3, 102));
  EXPECT_EQ(lines[0].pen, kBlue);
  EXPECT_EQ(lines[1].pen, kGreen);
  EXPECT_EQ(lines[2].pen, kBlue);
  for (const RecordingCanvas::Call& call : chart.canvas.Calls()) {
    if (call.text.starts_with("line ")) {
      EXPECT_EQ(call.mode, PenMode::kNotXor) << call.text;
    }
  }
  const std::vector<std::string> calls = chart.canvas.CallTexts();
  EXPECT_EQ(calls.end()[-2], "pen 000000 solid 1 copy");
  EXPECT_EQ(calls.back(), "brush FFFFFF");
}

TEST(BollingerDrawing, FollowsATwoPassVersionFromItsStartBar) {
  const std::vector<int32_t> closes = RandomCloses(120, 7, 900, 1100);
  // From bar 50 the window reaches back over earlier bars; from bar 3 the bands wait for the
  // first full window at bar 10.
  for (const int first : {50, 3}) {
    Chart chart(closes, first, Parameters("10", "1.5"), 1200, 800);
    chart.Draw();
    const int start = std::max(first, 10);
    for (int line = 0; line < 3; ++line) {
      EXPECT_EQ(chart.Line(line), chart.SlowLine(closes, 10, 1.5, line - 1, start))
          << "first " << first << " line " << line;
    }
    EXPECT_EQ(chart.canvas.Lines().size(), 3u * (120 - start));
  }
}

TEST(BollingerDrawing, EmptyBoxesMeanPeriod21AndWidth2) {
  const std::vector<int32_t> closes = RandomCloses(60, 11, 900, 1100);
  Chart empty(closes, 1, Parameters("", ""), 1200, 800);
  Chart explicit_values(closes, 1, Parameters("21", "2"), 1200, 800);
  Chart default_text(closes, 1, Parameters("15", ""), 1200, 800);
  Chart wider(closes, 1, Parameters("", "3"), 1200, 800);
  for (Chart* chart : {&empty, &explicit_values, &default_text, &wider}) chart->Draw();

  EXPECT_EQ(empty.canvas.CallTexts(), explicit_values.canvas.CallTexts());
  ASSERT_FALSE(empty.canvas.Lines().empty());
  EXPECT_EQ(empty.canvas.Lines()[0].from.x, empty.At(21, 0).x);
  EXPECT_EQ(default_text.canvas.Lines()[0].from.x, default_text.At(15, 0).x);
  EXPECT_NE(empty.Line(2), wider.Line(2));
  EXPECT_EQ(empty.Line(1), wider.Line(1));  // the middle line does not depend on the width
}

TEST(BollingerDrawing, NothingToDrawWithoutAWindowOrWithABadBox) {
  const std::vector<int32_t> closes = RandomCloses(30, 13, 900, 1100);
  // A period as long as the series has one window and no segment; longer ones, 0 and negative
  // periods none.
  for (const char* period : {"30", "31", "500", "0", "-4"}) {
    Chart chart(closes, 1, Parameters(period, "2"), 1200, 800);
    EXPECT_EQ(chart.Draw(), "") << period;
    EXPECT_TRUE(chart.canvas.Lines().empty()) << period;
    EXPECT_EQ(chart.canvas.CallTexts(),
              (std::vector<std::string>{"pen 000000 solid 1 copy", "brush FFFFFF"}))
        << period;
  }
  Chart bad(closes, 1, Parameters("10", "2倍"), 1200, 800);
  EXPECT_THROW(bad.Draw(), ConversionError);
  EXPECT_TRUE(bad.canvas.Lines().empty());
}

// Close-only entries with every result slot holding a leftover value.
ScreeningSeries SeriesOf(const std::vector<int32_t>& closes) {
  ScreeningSeries series;
  for (int i = 1; i <= kScreeningCapacity; ++i) {
    ScreeningEntry& entry = series[i];
    if (i <= static_cast<int>(closes.size())) {
      entry.open = entry.high = entry.low = entry.close = closes[i - 1];
    }
    entry.s1 = entry.s2 = entry.s3 = -7;
  }
  return series;
}

TEST(BollingerComputation, SlotsByHand) {
  ScreeningSeries series = SeriesOf({100, 101, 102, 99, 100});
  CalcBollinger(series, 4, Parameters("2", "2"));
  EXPECT_EQ(series[1].s1, 0);
  EXPECT_EQ(series[1].s2, 0);
  EXPECT_EQ(series[1].s3, 0);
  // Windows 100 101, 101 102, 102 99.
  EXPECT_EQ(series[2].s1, 1);
  EXPECT_EQ(series[2].s2, 100.5f);
  EXPECT_EQ(series[2].s3, 0.5f);
  EXPECT_EQ(series[3].s1, 1);
  EXPECT_EQ(series[3].s2, 101.5f);
  EXPECT_EQ(series[4].s1, -1);
  EXPECT_EQ(series[4].s2, 100.5f);
  EXPECT_EQ(series[4].s3, 1.5f);
  EXPECT_EQ(series[5].s1, -7);  // beyond the bar count nothing is written
  EXPECT_EQ(series[2].s4, 0);   // nor slots 4 and 5
}

TEST(BollingerComputation, MatchesATwoPassVersionOnRandomData) {
  const std::vector<int32_t> closes = RandomCloses(300, 17, 300, 30000);
  for (const char* period : {"2", "15", "", "300"}) {
    const int n = period[0] == '\0' ? 21 : std::stoi(period);
    ScreeningSeries series = SeriesOf(closes);
    EXPECT_NE(CalcBollinger(series, 300, Parameters(period, "2")), static_cast<int>(kFailureCode));
    for (int bar = 1; bar < n; ++bar) {
      ASSERT_EQ(series[bar].s1, 0) << period << " bar " << bar;
      ASSERT_EQ(series[bar].s2, 0);
      ASSERT_EQ(series[bar].s3, 0);
    }
    for (int bar = n; bar <= 300; ++bar) {
      const Window window = SlowWindow(closes, bar, n);
      ASSERT_FLOAT_EQ(series[bar].s2, static_cast<float>(window.mean)) << period << " bar " << bar;
      ASSERT_FLOAT_EQ(series[bar].s3, static_cast<float>(window.deviation));
      ASSERT_NEAR(series[bar].s1, (closes[bar - 1] - window.mean) / window.deviation, 1e-5);
    }
    EXPECT_EQ(series[301].s1, -7);
  }
}

TEST(BollingerComputation, WarmUpComputesNothing) {
  ScreeningSeries series = SeriesOf({100, 101, 102});
  EXPECT_EQ(CalcBollinger(series, 0, Parameters("15", "2")), 14);
  EXPECT_EQ(CalcBollinger(series, 0, Parameters("", "2")), 20);  // empty means 21, not 15
  EXPECT_EQ(series[1].s1, -7);

  // A period beyond the bar count zeroes only the bars there are.
  EXPECT_NO_THROW(CalcBollinger(series, 3, Parameters("5000", "2")));
  EXPECT_EQ(series[3].s2, 0);
  EXPECT_EQ(series[4].s2, -7);
}

TEST(BollingerComputation, EqualClosesAndPeriodsBelowOneFail) {
  const ComputationInfo* info = FindComputation("CalcBollinger");
  ASSERT_NE(info, nullptr);
  // The window 103 103 103 has no deviation.
  ScreeningSeries series = SeriesOf({100, 105, 103, 103, 103, 104});
  EXPECT_THROW(CalcBollinger(series, 6, Parameters("3", "2")), ComputationFault);
  EXPECT_EQ(RunComputation(*info, series, 6, Parameters("3", "2")), kFailureCode);
  // Up to the flat window the series is fine.
  EXPECT_NE(RunComputation(*info, series, 4, Parameters("3", "2")), kFailureCode);

  for (const char* period : {"0", "-3"}) {
    EXPECT_EQ(RunComputation(*info, series, 6, Parameters(period, "2")), kFailureCode) << period;
    EXPECT_EQ(RunComputation(*info, series, 0, Parameters(period, "2")), kFailureCode) << period;
  }
}

}  // namespace
}  // namespace varnolt
