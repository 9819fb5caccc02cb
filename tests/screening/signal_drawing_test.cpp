#include "screening/signal_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/file_error.h"
#include "chart/data_set.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::RecordingCanvas;

// Twelve daily bars over a fortnight with a weekend gap; the first two are warm-up.
DataSet Bars() {
  DataSet data;
  const int32_t dates[] = {20040301, 20040302, 20040303, 20040304, 20040305, 20040308,
                           20040309, 20040310, 20040311, 20040312, 20040315, 20040316};
  for (int i = 0; i < 12; ++i) {
    const int32_t open = 1000 + 10 * i;
    data.bars.Append({dates[i], open, open + 50, open - 30, open + 20, 1000, 0});
  }
  data.first_shown = 3;
  data.loaded = true;
  data.current_code = 1301;
  return data;
}

TEST(SignalDrawingTest, MarksUseTheMappingOfThePriceChartTheyFollow) {
  for (const bool calendar : {false, true}) {
    for (const char* to : {"10", "6"}) {
      SCOPED_TRACE(std::string(to) + (calendar ? " calendar" : ""));
      DataSet data = Bars();
      PriceChartBoxes boxes;
      boxes.calendar = calendar;
      boxes.region_to = to;
      RecordingCanvas canvas;
      const PriceChartResult shown = ShowPriceChart(data, boxes, "1301", {}, false, canvas);
      ASSERT_EQ(shown.message, "");
      const RegionFrame expected = PriceFrame(data, shown.scale, canvas.Width(), canvas.Height());
      const auto frame = SignalFrame(data, shown.boxes, canvas.Width(), canvas.Height());
      ASSERT_TRUE(frame.has_value());
      EXPECT_EQ(RegionMap(*frame, expected.p0, 1100).x, RegionMap(expected, expected.p0, 1100).x);
      EXPECT_EQ(RegionMap(*frame, expected.p1, 990).y, RegionMap(expected, expected.p1, 990).y);
      EXPECT_EQ(frame->p1 - frame->p0, expected.p1 - expected.p0);
    }
  }
}

// The arrow's point touches the price, its shaft runs away from the bar, and the label stands
// beyond it: above the high for a buy mark, below the low for a sell mark.
TEST(SignalDrawingTest, BuyMarksStandAboveAndSellMarksBelowWithTheirNumber) {
  const DataSet data = Bars();
  PriceChartBoxes boxes;
  boxes.upper = "1200";
  boxes.lower = "900";
  const auto frame = SignalFrame(data, boxes, 660, 400);
  ASSERT_TRUE(frame.has_value());
  for (const SignalMark mark : {SignalMark{5, +1, 2, 1090}, SignalMark{5, -1, 1, 1010}}) {
    SCOPED_TRACE(mark.side);
    RecordingCanvas canvas;
    DrawSignal(data, *frame, false, mark, canvas);
    const PixelPoint at = RegionMap(*frame, mark.bar, mark.price);
    const auto lines = canvas.Lines();
    ASSERT_EQ(lines.size(), 3u);
    int nearest = 1000;
    for (const auto& line : lines) {
      EXPECT_EQ(line.pen, kGreen);
      for (const Point end : {line.from, line.to}) {
        EXPECT_LE(std::abs(end.x - at.x), 5);
        const int away = (at.y - end.y) * mark.side;  // rows from the price, away from the bar
        EXPECT_GE(away, 10);
        EXPECT_LE(away, 30);
        nearest = std::min(nearest, away);
      }
    }
    EXPECT_EQ(nearest, 10);
    const auto texts = canvas.TextCalls();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "[" + std::to_string(mark.number) + "]");
    EXPECT_EQ(texts[0].color, kGreen);
    EXPECT_GT((at.y - texts[0].y) * mark.side, 30);
    EXPECT_TRUE(canvas.Contains("pen 008000 solid 3 copy"));
    // The canvas is left writing black one-pixel text and lines.
    EXPECT_EQ(canvas.CallTexts().back(), "pen 008000 solid 1 copy");
    EXPECT_TRUE(canvas.Contains("textcolor 000000"));
  }
}

TEST(SignalDrawingTest, RegionsOutOfRangeDrawNothingAndBadBoxesStopTheDrawing) {
  const DataSet data = Bars();
  const std::vector<SignalMark> marks = {{5, +1, 1, 1090}};
  PriceChartBoxes boxes;
  boxes.upper = "1200";
  boxes.lower = "900";
  for (const auto& [from, to] : {std::pair{"0", "10"}, {"1", "11"}, {"7", "3"}, {"", ""}}) {
    boxes.region_from = from;
    boxes.region_to = to;
    RecordingCanvas canvas;
    DrawSignals(data, boxes, marks, canvas);
    EXPECT_TRUE(canvas.DrawingTexts().empty()) << from << "-" << to;
  }
  boxes.region_from = "1";
  boxes.upper = "x";
  RecordingCanvas canvas;
  EXPECT_THROW(DrawSignals(data, boxes, marks, canvas), ConversionError);
}

}  // namespace
}  // namespace varnolt
