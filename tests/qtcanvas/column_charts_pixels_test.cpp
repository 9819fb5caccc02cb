#include <gtest/gtest.h>

#include <QImage>

#include <vector>

#include "indicators/point_figure.h"
#include "indicators/renko.h"
#include "qtcanvas/qimage_canvas.h"
#include "support/indicator_data.h"

namespace varnolt {
namespace {

constexpr int kWidth = 660;
constexpr int kHeight = 400;
constexpr Color kBlue = Color::Rgb(0, 0, 255);

using Drawing = DrawingResult (*)(const IndicatorContext&);

// One yen is one row: all ten regions of 400 rows give a band of 385 rows, row = 1385 − price.
QImage Draw(Drawing drawing, const std::vector<int32_t>& closes, const ControlValues& controls) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QImageCanvas canvas(image);
  canvas.Clear();
  const DataSet data = testing::DataOf(closes);
  std::string statistics;
  const IndicatorContext context{data, controls, canvas, 1, testing::OneRowPerYen(), statistics};
  EXPECT_EQ(drawing(context).message, "");
  return image;
}

bool Is(const QImage& image, int x, int y, Color colour) {
  return image.pixel(x, y) == QImageCanvas::ToQRgb(colour);
}

TEST(ColumnChartsPixelsTest, OnePixelBricksStillShowTheirColour) {
  // 699 one-yen bricks: 350 up from 1000 to 1350, then 349 down to 1000 after the two-box
  // turn. More bricks than plot pixels, so each brick is one pixel wide and its rectangle is empty;
  // the line at its right edge is what shows.
  std::vector<int32_t> closes;
  for (int p = 1000; p <= 1350; ++p) closes.push_back(p);
  for (int p = 1348; p >= 1000; --p) closes.push_back(p);
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edRen", "1");
  const QImage image = Draw(DrawRenko, closes, controls);
  // Brick 1 rises 1000 → 1001 at x = 31 (row 385 drawn, the line leaves out its end row 384).
  EXPECT_TRUE(Is(image, 31, 385, kRed));
  EXPECT_TRUE(Is(image, 200, 1385 - 1169, kRed)) << "brick 170 rises 1169 → 1170";
  EXPECT_TRUE(Is(image, 200, 1385 - 1170, kWhite)) << "nothing above a one-yen brick";
  // Brick 351, at x = 381, is the first of the turn: it falls from 1349, the bottom of the
  // last rising brick.
  EXPECT_TRUE(Is(image, 381, 1385 - 1349, kBlack));
  EXPECT_TRUE(Is(image, 381, 1385 - 1350, kWhite));
  EXPECT_TRUE(Is(image, 30, 385, kWhite)) << "nothing left of the first brick";
}

TEST(ColumnChartsPixelsTest, GridRowsOfEveryFifthBoxAreBlue) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edPF1", "10");
  controls.SetChecked("cbpf", true);
  // One X column 100 → 103 on the left; the grid spans the plot.
  const QImage image = Draw(DrawPointFigure, {1000, 1035}, controls);
  int blue_on_1050 = 0;
  int black_on_1060 = 0;
  int blue_on_1060 = 0;
  for (int x = 100; x < 600; ++x) {
    blue_on_1050 += Is(image, x, 1385 - 1050, kBlue) ? 1 : 0;
    black_on_1060 += Is(image, x, 1385 - 1060, kBlack) ? 1 : 0;
    blue_on_1060 += Is(image, x, 1385 - 1060, kBlue) ? 1 : 0;
  }
  // Dotted: about every other pixel along the row (vertical grid lines cross it in black).
  EXPECT_GT(blue_on_1050, 200);
  EXPECT_GT(black_on_1060, 200);
  EXPECT_EQ(blue_on_1060, 0);
  // The X marks are red over the grid.
  int red = 0;
  for (int y = 1385 - 1030; y <= 1385 - 1000; ++y) {
    for (int x = 31; x <= 40; ++x) red += Is(image, x, y, kRed) ? 1 : 0;
  }
  EXPECT_GT(red, 30);
}

}  // namespace
}  // namespace varnolt
