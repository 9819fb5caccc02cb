#include "indicators/reverse_watch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/file_error.h"
#include "series/calendar.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::RecordingCanvas;

constexpr Color kBlue = Color::Rgb(0, 0, 255);

using Day = testing::CloseVolume;

// The days from 1 March 2024, shown from `first`, on a 660 × 400 image.
struct Drawing : testing::DrawingBench {
  Drawing(const std::vector<Day>& days, int first, const char* period)
      : DrawingBench(testing::DailyDataOf(days, first, DayFromCivil(2024, 3, 1))) {
    scale.upper = 1000;  // neither the price scale nor the margin matters here
    scale.lower = 1;
    scale.margin = 10;
    scale.calendar = true;
    controls.Set("edrw", period);
  }
  std::string Run() { return DrawReverseWatch(Context()).message; }
};

std::string Rect(int x, int y) {
  return "rect " + std::to_string(x - 2) + "," + std::to_string(y - 2) + "-" +
         std::to_string(x + 2) + "," + std::to_string(y + 2);
}

std::string Line(int x1, int y1, int x2, int y2) {
  return testing::LineText({x1, y1}, {x2, y2});
}

TEST(ReverseWatchDrawing, PeriodOnePlotsRawCloseAgainstRawVolume) {
  // Volumes 20..80 across 61 slots of the 600-pixel plot: x = 600·(v − 20) div 61 + 4 + 30.
  // Closes 100..120 over the whole 400-row band: y = 400·(120 − p) div 20.
  Drawing drawing({{100, 50}, {110, 20}, {105, 80}, {120, 40}}, 1, "1");
  EXPECT_EQ(drawing.Run(), "");
  EXPECT_EQ(drawing.canvas.DrawingTexts(),
            (std::vector<std::string>{Rect(329, 400), Line(329, 400, 34, 200), Rect(34, 200),
                                      Line(34, 200, 624, 300), Rect(624, 300),
                                      Line(624, 300, 230, 0), Rect(230, 0)}));
  // Red in copy mode, the latest bar's square blue.
  for (const RecordingCanvas::Call& call : drawing.canvas.Calls()) {
    if (!call.text.starts_with("line ") && !call.text.starts_with("rect ")) continue;
    EXPECT_EQ(call.mode, PenMode::kCopy) << call.text;
    EXPECT_EQ(call.style, PenStyle::kSolid) << call.text;
  }
  for (const RecordingCanvas::LineCall& line : drawing.canvas.Lines()) EXPECT_EQ(line.pen, kRed);
  const std::vector<RecordingCanvas::RectCall> rects = drawing.canvas.Rects();
  ASSERT_EQ(rects.size(), 4u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(rects[i].pen, kRed);
    EXPECT_EQ(rects[i].brush, kRed);
  }
  EXPECT_EQ(rects[3].pen, kBlue);
  EXPECT_EQ(rects[3].brush, kBlue);
  EXPECT_EQ(drawing.canvas.CallTexts().back(), "brush FFFFFF");
  EXPECT_EQ(drawing.canvas.Calls().back().pen, kBlack);
  EXPECT_EQ(drawing.canvas.Calls().back().mode, PenMode::kCopy);
  EXPECT_EQ(drawing.statistics, "earlier listing");
}

TEST(ReverseWatchDrawing, AveragesAreTruncatedAndStartAtTheFirstShownBar) {
  // Period 3, shown from bar 4 of 6, in regions 3..5 (rows 200..319):
  //   bar 4: closes 103+107+110 = 320 → 106, volumes 20+31+40 = 91 → 30
  //   bar 5: 321 → 107, 121 → 40
  //   bar 6: 315 → 105, 95 → 31
  // x = 600·(v − 30) div 11 + 27 + 30, y = 120·(107 − p) div 2 + 200.
  Drawing drawing({{100, 10}, {103, 20}, {107, 31}, {110, 40}, {104, 50}, {101, 5}}, 4, "3");
  drawing.scale.from = 3;
  drawing.scale.to = 5;
  EXPECT_EQ(drawing.Run(), "");
  EXPECT_EQ(drawing.canvas.DrawingTexts(),
            (std::vector<std::string>{Rect(57, 260), Line(57, 260, 602, 200), Rect(602, 200),
                                      Line(602, 200, 111, 320), Rect(111, 320)}));
}

TEST(ReverseWatchDrawing, FlatPriceIsWidenedByOneYenEachWay) {
  // Every close 200: the price scale becomes 201 .. 199, so the curve runs along row 200.
  Drawing flat({{200, 10}, {200, 20}, {200, 30}}, 1, "1");
  EXPECT_EQ(flat.Run(), "");
  EXPECT_EQ(flat.canvas.DrawingTexts(),
            (std::vector<std::string>{Rect(44, 200), Line(44, 200, 329, 200), Rect(329, 200),
                                      Line(329, 200, 615, 200), Rect(615, 200)}));

  // A single point: one slot across, one yen each way up; a blue square in the middle.
  Drawing single({{300, 70}, {310, 90}}, 2, "1");
  EXPECT_EQ(single.Run(), "");
  EXPECT_EQ(single.canvas.DrawingTexts(), (std::vector<std::string>{Rect(330, 200)}));
  EXPECT_EQ(single.canvas.Rects()[0].brush, kBlue);
}

TEST(ReverseWatchDrawing, PeriodBoxes) {
  const std::vector<Day> days = {{100, 50}, {110, 20}, {105, 80}, {120, 40}};
  Drawing raw(days, 1, "1");
  raw.Run();
  // Empty, 0 and negative boxes all plot the raw values.
  for (const char* period : {"", "0", "-4"}) {
    Drawing drawing(days, 1, period);
    EXPECT_EQ(drawing.Run(), "") << period;
    EXPECT_EQ(drawing.canvas.DrawingTexts(), raw.canvas.DrawingTexts()) << period;
  }
  // The default 25 is longer than the data: nothing to draw, nothing said.
  Drawing too_long(days, 1, "25");
  EXPECT_EQ(too_long.Run(), "");
  EXPECT_TRUE(too_long.canvas.DrawingTexts().empty());

  Drawing bad(days, 1, "1.5");
  EXPECT_THROW(bad.Run(), ConversionError);
  EXPECT_TRUE(bad.canvas.DrawingTexts().empty());
}

}  // namespace
}  // namespace varnolt
