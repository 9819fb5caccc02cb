#include "indicators/obv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::CloseVolume;
using testing::RecordingCanvas;

// Closes 100, 105, 103, 103, 110, 108: rise, fall, unchanged, rise, fall.
const std::vector<CloseVolume> kSmall = {{100, 500}, {105, 300},  {103, 200},
                                         {103, 400}, {110, 1000}, {108, 100}};

DataSet ObvData(const std::vector<CloseVolume>& bars, int first) {
  return testing::DailyDataOf(bars, first, CompactToDay("20240101"));
}

// A 660 × 400 image, regions 1..10.
struct ObvDrawing : testing::DrawingBench {
  ObvDrawing(const std::vector<CloseVolume>& bars, int first) : DrawingBench(ObvData(bars, first)) {
    controls.SetChecked("cbshowosci", true);
  }
  std::string Run() { return DrawOBV(Context()).message; }
  std::vector<std::string> Segments() const {
    std::vector<std::string> segments;
    for (const RecordingCanvas::Call& call : canvas.Calls()) {
      if (call.text.starts_with("line ")) {
        EXPECT_EQ(call.pen, kRed) << call.text;
        EXPECT_EQ(call.mode, PenMode::kNotXor) << call.text;
        segments.push_back(call.text);
      }
    }
    return segments;
  }
};

TEST(ObvValues, StartAtTheFirstShownBar) {
  const DataSet from_second = ObvData(kSmall, 2);
  EXPECT_EQ(OnBalanceVolume(from_second.bars, 2),
            (std::vector<int64_t>{0, 0, 300, 100, 100, 1100, 1000}));
  const DataSet from_first = ObvData(kSmall, 1);
  EXPECT_EQ(OnBalanceVolume(from_first.bars, 1),
            (std::vector<int64_t>{0, 500, 800, 600, 600, 1600, 1500}));
  // Sums beyond 32 bits.
  const DataSet heavy = ObvData({{100, 2000000000}, {101, 2000000000}, {102, 2000000000}}, 1);
  EXPECT_EQ(OnBalanceVolume(heavy.bars, 1).back(), 6000000000);
}

TEST(ObvDrawing, LineScaleAndListing) {
  // OBV 300, 100, 100, 1100, 1000: scale 1100 … 100, row = 400 × (1100 − v) div 1000; five
  // bars in 600 pixels at x = 90, 210, …
  ObvDrawing drawing(kSmall, 2);
  EXPECT_EQ(drawing.Run(), "");
  EXPECT_EQ(drawing.Segments(),
            (std::vector<std::string>{"line 90,320-210,400", "line 210,400-330,400",
                                      "line 330,400-450,0", "line 450,0-570,40"}));
  EXPECT_TRUE(drawing.canvas.Texts().empty());  // no reference lines
  EXPECT_EQ(drawing.canvas.Calls().back().mode, PenMode::kCopy);
  EXPECT_EQ(drawing.canvas.CallTexts().back(), "brush FFFFFF");
  EXPECT_EQ(drawing.statistics,
            "OBV \r\n"
            "20240102 , 300\r\n"
            "20240103 , 100\r\n"
            "20240104 , 100\r\n"
            "20240105 , 1100\r\n"
            "20240106 , 1000\r\n");

  // Falling closes go below zero; whole numbers are listed as they are.
  ObvDrawing falling({{100, 10}, {90, 20}, {80, 30}, {80, 2000000000}, {81, 2000000000}}, 1);
  EXPECT_EQ(falling.Run(), "");
  EXPECT_EQ(falling.statistics,
            "OBV \r\n20240101 , 10\r\n20240102 , -10\r\n20240103 , -40\r\n20240104 , -40\r\n"
            "20240105 , 1999999960\r\n");

  ObvDrawing quiet(kSmall, 2);
  quiet.controls.SetChecked("cbshowosci", false);
  EXPECT_EQ(quiet.Run(), "");
  EXPECT_EQ(quiet.Segments().size(), 4u);
  EXPECT_EQ(quiet.statistics, "earlier listing");
}

TEST(ObvDrawing, FlatObvSitsInTheMiddle) {
  // Unchanged closes keep OBV at the first bar's volume: the scale becomes 501 … 499.
  ObvDrawing flat({{100, 500}, {100, 300}, {100, 700}}, 1);
  EXPECT_EQ(flat.Run(), "");
  EXPECT_EQ(flat.Segments(),
            (std::vector<std::string>{"line 130,200-330,200", "line 330,200-530,200"}));

  // One shown bar: a single point, no segment.
  ObvDrawing single(kSmall, 6);
  EXPECT_EQ(single.Run(), "");
  EXPECT_TRUE(single.Segments().empty());
  EXPECT_EQ(single.statistics, "OBV \r\n20240106 , 100\r\n");
}

}  // namespace
}  // namespace varnolt
