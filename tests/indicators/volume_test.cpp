#include "indicators/volume.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/file_error.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::CloseVolume;
using testing::RecordingCanvas;

constexpr Color kBlue = Color::Rgb(0, 0, 255);
constexpr Color kGreen = Color::Rgb(0, 128, 0);

// Bars at 1000 on consecutive days from 2024-01-01 with the given volumes, shown from
// `first`.
DataSet VolumeData(const std::vector<int32_t>& volumes, int first) {
  std::vector<CloseVolume> bars;
  for (const int32_t volume : volumes) bars.push_back({1000, volume});
  return testing::DailyDataOf(bars, first, CompactToDay("20240101"));
}

// A 660 × 400 image; regions 1..3 are rows 280..400.
struct VolumeDrawing : testing::DrawingBench {
  VolumeDrawing(const std::vector<int32_t>& volumes, int first)
      : DrawingBench(VolumeData(volumes, first)) {
    scale.from = 1;
    scale.to = 3;
  }
  std::string Run() { return DrawVolume(Context()).message; }

  // Line calls drawn with a pen of this colour and style, as recorded.
  std::vector<std::string> Lines(Color pen, PenStyle style) const {
    std::vector<std::string> lines;
    for (const RecordingCanvas::Call& call : canvas.Calls()) {
      if (call.text.starts_with("line ") && call.pen == pen && call.style == style) {
        lines.push_back(call.text);
      }
    }
    return lines;
  }
};

TEST(VolumeScale, TickStepIsAThirdCutToItsLeadingDigit) {
  EXPECT_EQ(VolumeTickStep(4500), 1000);   // 1500 → 1000
  EXPECT_EQ(VolumeTickStep(3702), 1000);   // 1234
  EXPECT_EQ(VolumeTickStep(13701), 4000);  // 4567
  EXPECT_EQ(VolumeTickStep(29), 9);        // one digit stays
  EXPECT_EQ(VolumeTickStep(30), 10);
  EXPECT_EQ(VolumeTickStep(299999), 90000);
  EXPECT_EQ(VolumeTickStep(3000000000), 1000000000);
  // No third to cut: one unit per tick.
  EXPECT_EQ(VolumeTickStep(1), 1);
  EXPECT_EQ(VolumeTickStep(2), 1);
}

TEST(VolumeDrawing, ScaleTicksBarsAndAverage) {
  // Largest volume 4500: scale 4950 … −450 over 120 rows from row 280,
  // row = 120 × (4950 − v) div 5400 + 280.
  VolumeDrawing drawing({1000, 4500, 2000, 0, 3000, 0}, 1);
  drawing.controls.Set("edvolopn", "3");
  EXPECT_EQ(drawing.Run(), "");

  // Ticks every 1000 from 0 to 4000, each a short dotted stroke and its label.
  EXPECT_EQ(drawing.Lines(kBlue, PenStyle::kDot),
            (std::vector<std::string>{"line 625,390-630,390", "line 625,367-630,367",
                                      "line 625,345-630,345", "line 625,323-630,323",
                                      "line 625,301-630,301"}));
  EXPECT_EQ(drawing.canvas.Texts(),
            (std::vector<std::string>{"0", "1000", "2000", "3000", "4000"}));
  const std::vector<RecordingCanvas::TextCall> labels = drawing.canvas.TextCalls();
  ASSERT_EQ(labels.size(), 5u);
  EXPECT_EQ(labels[0].x, 631);
  EXPECT_EQ(labels[0].y, 390 - RecordingCanvas::kTextHeight / 2);
  EXPECT_EQ(labels[4].y, 301 - RecordingCanvas::kTextHeight / 2);
  EXPECT_EQ(labels[0].brush, kWhite);

  // One bar per displayed bar down to the band's bottom row 400; six bars share 600 pixels.
  EXPECT_EQ(drawing.Lines(kBlue, PenStyle::kSolid),
            (std::vector<std::string>{"line 80,367-80,400", "line 180,290-180,400",
                                      "line 280,345-280,400", "line 380,390-380,400",
                                      "line 480,323-480,400", "line 580,390-580,400"}));
  EXPECT_TRUE(drawing.canvas.Contains("pen FF0000 solid 2 copy"));

  // Averages 2500, 2166, 1666 at bars 3–5; the last bar has no volume yet, so no point there.
  EXPECT_EQ(drawing.Lines(kGreen, PenStyle::kSolid),
            (std::vector<std::string>{"line 280,334-380,341", "line 380,341-480,352"}));
  EXPECT_TRUE(drawing.canvas.Contains("pen 008000 solid 1 copy"));

  for (const RecordingCanvas::Call& call : drawing.canvas.Calls()) {
    EXPECT_EQ(call.mode, PenMode::kCopy) << call.text;
  }
  EXPECT_EQ(drawing.canvas.CallTexts().back(), "brush FFFFFF");
  EXPECT_EQ(drawing.statistics, "earlier listing");
}

TEST(VolumeDrawing, AverageWindowAndLastBar) {
  // A last bar with volume keeps its point: (2000 + 0 + 3000) / 3, then (0 + 3000 + 600) / 3.
  VolumeDrawing complete({1000, 4500, 2000, 0, 3000, 600}, 1);
  complete.controls.Set("edvolopn", "3");
  EXPECT_EQ(complete.Run(), "");
  EXPECT_EQ(complete.Lines(kGreen, PenStyle::kSolid),
            (std::vector<std::string>{"line 280,334-380,341", "line 380,341-480,352",
                                      "line 480,352-580,363"}));

  // Shown from bar 4: the first average still takes bars 2–4, and the largest volume is the
  // one of the shown bars (3000: scale 3300 … −300 over rows 280..400).
  VolumeDrawing later({1000, 4500, 2000, 0, 3000, 600}, 4);
  later.controls.Set("edvolopn", "3");
  EXPECT_EQ(later.Run(), "");
  // Three bars in 600 pixels: x = 130, 330, 530. Averages 2166, 1666, 1200.
  EXPECT_EQ(later.Lines(kGreen, PenStyle::kSolid),
            (std::vector<std::string>{"line 130,317-330,334", "line 330,334-530,350"}));
  EXPECT_EQ(later.canvas.Texts(), (std::vector<std::string>{"0", "1000", "2000", "3000"}));

  // An empty box, or a period longer than the series, draws no average.
  for (const char* period : {"", "0", "7"}) {
    VolumeDrawing none({1000, 4500, 2000, 0, 3000, 600}, 1);
    none.controls.Set("edvolopn", period);
    EXPECT_EQ(none.Run(), "");
    EXPECT_TRUE(none.Lines(kGreen, PenStyle::kSolid).empty()) << period;
    EXPECT_EQ(none.Lines(kBlue, PenStyle::kSolid).size(), 6u);
  }

  VolumeDrawing bad({1000, 4500}, 1);
  bad.controls.Set("edvolopn", "nine");
  EXPECT_THROW(bad.Run(), ConversionError);
}

TEST(VolumeDrawing, SmallAndMissingVolumes) {
  // Largest 2: ticks at every unit; largest 1: at 0 and 1.
  VolumeDrawing two({1, 2, 0}, 1);
  EXPECT_EQ(two.Run(), "");
  EXPECT_EQ(two.canvas.Texts(), (std::vector<std::string>{"0", "1", "2"}));
  VolumeDrawing one({1, 0, 1}, 1);
  EXPECT_EQ(one.Run(), "");
  EXPECT_EQ(one.canvas.Texts(), (std::vector<std::string>{"0", "1"}));

  // No volume on any shown bar: no scale to draw on, nothing drawn.
  VolumeDrawing none({500, 0, 0}, 2);
  EXPECT_EQ(none.Run(), "");
  EXPECT_TRUE(none.canvas.DrawingTexts().empty());
}

}  // namespace
}  // namespace varnolt
