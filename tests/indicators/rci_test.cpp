#include "indicators/rci.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "indicators/oscillator_frame.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::RecordingCanvas;

constexpr Color kLime = Color::Rgb(0, 255, 0);

ScreeningSeries SeriesOf(const std::vector<int32_t>& closes) {
  ScreeningSeries series;
  for (size_t i = 0; i < closes.size(); ++i) {
    ScreeningEntry& entry = series[static_cast<int>(i) + 1];
    entry.open = entry.high = entry.low = entry.close = closes[i];
    entry.s1 = -1;  // left over from an earlier computation
  }
  return series;
}

ControlValues RciControls(std::string period) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edRci1", std::move(period));
  return controls;
}

std::vector<float> Rci(const std::vector<int32_t>& closes, const std::string& period) {
  ScreeningSeries series = SeriesOf(closes);
  CalcRCI(series, static_cast<int>(closes.size()), RciControls(period));
  std::vector<float> values;
  for (int bar = 1; bar <= static_cast<int>(closes.size()); ++bar) values.push_back(series[bar].s1);
  return values;
}

// The rank correlation of the window ending at bar `last` (numbered from 1) by sorting the
// window afresh: each close goes before the equal closes already sorted; a close's rank is one
// more than the place of the first equal close, plus a half when the next place holds an equal
// close too.
float SortedRci(const std::vector<int32_t>& closes, int last, int period) {
  std::vector<int32_t> sorted;
  for (int bar = last - period + 1; bar <= last; ++bar) {
    const int32_t close = closes[bar - 1];
    auto place = sorted.begin();
    while (place != sorted.end() && *place > close) ++place;
    sorted.insert(place, close);
  }
  double sum = 0;
  for (int bar = last - period + 1; bar <= last; ++bar) {
    const int32_t close = closes[bar - 1];
    const int first =
        static_cast<int>(std::find(sorted.begin(), sorted.end(), close) - sorted.begin());
    double price_rank = first + 1;
    if (first + 1 < period && sorted[first + 1] == close) price_rank += 0.5;
    const double time_rank = last - bar + 1;
    sum += (time_rank - price_rank) * (time_rank - price_rank);
  }
  const double n = period;
  return static_cast<float>(100 - 6 * sum * 100 / (n * (n * n - 1)));
}

TEST(RciComputation, OrderedWindowsAndTiedRanks) {
  EXPECT_EQ(Rci({1, 2, 3, 4, 5}, "3"), (std::vector<float>{0, 0, 100, 100, 100}));
  EXPECT_EQ(Rci({9, 7, 5, 3, 1}, "4"), (std::vector<float>{0, 0, 0, -100, -100}));

  // Bar 4, closes 2 3 3: the two 3s both rank 1.5, Σd² = 0.25 + 0.25 → 87.5.
  // Bar 5, closes 3 3 1: Σd² = 2.25 + 0.25 + 4 → −62.5.
  EXPECT_EQ(Rci({1, 2, 3, 3, 1}, "3"), (std::vector<float>{0, 0, 100, 87.5, -62.5}));
  // Three equal closes still rank 1 + 0.5 each: d = −0.5, 0.5, 1.5 → 31.25.
  EXPECT_EQ(Rci({5, 5, 5}, "3"), (std::vector<float>{0, 0, 31.25}));

  // 500 falling closes: Σd² of the fully reversed window, scaled by 100, is about 4.2 × 10⁹.
  std::vector<int32_t> falling;
  for (int i = 0; i < 600; ++i) falling.push_back(100000 - i);
  const std::vector<float> values = Rci(falling, "500");
  EXPECT_EQ(values[498], 0);
  EXPECT_EQ(values[499], -100);
  EXPECT_EQ(values[599], -100);
}

TEST(RciComputation, WarmUpAndPeriodLimits) {
  ScreeningSeries series = SeriesOf({1, 2, 3});
  EXPECT_EQ(CalcRCI(series, 0, RciControls("26")), 25);
  EXPECT_EQ(CalcRCI(series, 0, RciControls("")), 8);  // an empty box means 9
  EXPECT_EQ(series[1].s1, -1);                        // the warm-up call computes nothing
  EXPECT_EQ(Rci({1, 2, 3, 4}, ""), (std::vector<float>(4, 0)));  // not enough bars for 9

  const ComputationInfo& info = *FindComputation("CalcRCI");
  EXPECT_EQ(RunComputation(info, series, 3, RciControls("500")), 0);
  for (const char* period : {"501", "1", "0", "-5"}) {
    SCOPED_TRACE(period);
    EXPECT_THROW(CalcRCI(series, 3, RciControls(period)), ComputationFault);
    EXPECT_EQ(RunComputation(info, series, 3, RciControls(period)), kFailureCode);
  }
}

TEST(RciComputation, MatchesSortingEachWindowOnRandomData) {
  std::mt19937 random(7203);
  // Few distinct closes give many ties; a wide range gives few.
  for (const int spread : {3, 20, 100000}) {
    std::uniform_int_distribution<int32_t> close(1000, 1000 + spread);
    std::vector<int32_t> closes(999);
    for (int32_t& value : closes) value = close(random);
    for (const int period : {2, 3, 9, 26, 137, 500}) {
      SCOPED_TRACE(::testing::Message() << "spread " << spread << " period " << period);
      const std::vector<float> values = Rci(closes, std::to_string(period));
      for (int bar = 1; bar < period; ++bar) ASSERT_EQ(values[bar - 1], 0) << bar;
      for (int bar = period; bar <= 999; ++bar) {
        ASSERT_EQ(values[bar - 1], SortedRci(closes, bar, period)) << bar;
      }
    }
  }
}

TEST(RciComputation, MatchesSortingEachWindowAtRunLengthBoundaries) {
  // The window is updated in runs of eight slots and a shorter rest: periods at and beside a
  // multiple of eight leave an empty rest or put the leaving bar in a one-slot rest.
  std::mt19937 random(4411);
  for (const int spread : {2, 50}) {
    std::uniform_int_distribution<int32_t> close(700, 700 + spread);
    std::vector<int32_t> closes(400);
    for (int32_t& value : closes) value = close(random);
    for (const int period : {7, 8, 16, 17, 64, 65}) {
      SCOPED_TRACE(::testing::Message() << "spread " << spread << " period " << period);
      const std::vector<float> values = Rci(closes, std::to_string(period));
      for (int bar = period; bar <= 400; ++bar) {
        ASSERT_EQ(values[bar - 1], SortedRci(closes, bar, period)) << bar;
      }
    }
  }
}

struct Drawing {
  DataSet data;
  ControlValues controls = ControlValues::Defaults();
  RecordingCanvas canvas;
  std::string statistics = "earlier listing";
  PriceScale scale;

  Drawing(const std::vector<int32_t>& closes, int first) : data(testing::DataOf(closes, first)) {
    scale.margin = 0;
    controls.Set("edRci1", "");
    controls.Set("edRci2", "");
    controls.Set("edrci3", "");
  }
  IndicatorContext Context() { return {data, controls, canvas, 1, scale, statistics}; }
  std::string Run() { return DrawRCI(Context()).message; }

  std::string Segment(int bar, int value, int next_value) {
    const IndicatorFrame frame = OscillatorFrame(Context(), 110, -110);
    const PixelPoint a = frame.Point(bar, value);
    const PixelPoint b = frame.Point(bar + 1, next_value);
    return "line " + std::to_string(a.x) + "," + std::to_string(a.y) + "-" + std::to_string(b.x) +
           "," + std::to_string(b.y);
  }
};

TEST(RciDrawing, PlotsWholePercentsCutTowardZeroAndListsHundredths) {
  // Period 6 from bar 6: closes 2 1 4 3 6 5 have Σd² = 6 (82.857…), and bars 7..12, closes
  // 5 6 3 4 1 2, Σd² = 64 (−82.857…).
  Drawing drawing({2, 1, 4, 3, 6, 5, 5, 6, 3, 4, 1, 2}, 6);
  drawing.controls.Set("edRci1", "6");
  drawing.controls.Set("edRci4", "");  // 80 when empty
  drawing.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(drawing.Run(), "");

  EXPECT_EQ(drawing.statistics,
            "RCI 周期 , 6 , 0 , 0\r\n"
            "20240106 , 82.86 , 0 , 0\r\n"
            "20240107 , 75.71 , 0 , 0\r\n"
            "20240108 , 68.57 , 0 , 0\r\n"
            "20240109 , 4.29 , 0 , 0\r\n"
            "20240110 , -62.86 , 0 , 0\r\n"
            "20240111 , -72.86 , 0 , 0\r\n"
            "20240112 , -82.86 , 0 , 0\r\n");
  const std::vector<std::string> segments = DrawnSegments(drawing.canvas, kLime);
  ASSERT_EQ(segments.size(), 6u);
  EXPECT_EQ(segments.front(), drawing.Segment(6, 82, 75));
  EXPECT_EQ(segments.back(), drawing.Segment(11, -72, -82));

  // Reference lines and labels at 0, 100, −100 and ±80, before the line.
  std::vector<std::string> labels;
  for (const RecordingCanvas::TextCall& text : drawing.canvas.TextCalls())
    labels.push_back(text.text);
  EXPECT_EQ(labels, (std::vector<std::string>{"0", "100", "-100", "80", "-80"}));
  EXPECT_EQ(drawing.canvas.CallTexts().back(), "brush FFFFFF");
  EXPECT_EQ(drawing.canvas.Calls().back().mode, PenMode::kCopy);
}

TEST(RciDrawing, PeriodsThatCannotBeDrawn) {
  // A period above 500 on any line: nothing drawn, nothing listed.
  Drawing drawing({1, 2, 3, 4, 5}, 1);
  drawing.controls.Set("edRci1", "3");
  drawing.controls.Set("edrci3", "501");
  drawing.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(drawing.Run(), "周期が長すぎます");
  EXPECT_TRUE(drawing.canvas.CallTexts().empty());
  EXPECT_EQ(drawing.statistics, "earlier listing");

  // 500 is allowed; a line longer than the data is just not drawn.
  drawing.controls.Set("edrci3", "500");
  EXPECT_EQ(drawing.Run(), "");
  EXPECT_EQ(DrawnSegments(drawing.canvas, kLime).size(), 2u);  // bars 3..5 at 100
  EXPECT_EQ(DrawnSegments(drawing.canvas, kLime).front(), drawing.Segment(3, 100, 100));
  EXPECT_EQ(drawing.statistics,
            "RCI 周期 , 3 , 0 , 500\r\n"
            "20240101 , 0 , 0 , 0\r\n"
            "20240102 , 0 , 0 , 0\r\n"
            "20240103 , 100 , 0 , 0\r\n"
            "20240104 , 100 , 0 , 0\r\n"
            "20240105 , 100 , 0 , 0\r\n");

  // One bar has no rank correlation: the drawing stops with the reference lines only.
  drawing.canvas.Clear();
  drawing.statistics = "earlier listing";
  drawing.controls.Set("edRci1", "1");
  EXPECT_EQ(drawing.Run(), "データの偏りが大きいため演算不適当");
  EXPECT_EQ(drawing.canvas.TextCalls().size(), 5u);
  EXPECT_TRUE(DrawnSegments(drawing.canvas, kLime).empty());
  EXPECT_EQ(drawing.statistics, "earlier listing");
}

}  // namespace
}  // namespace varnolt
