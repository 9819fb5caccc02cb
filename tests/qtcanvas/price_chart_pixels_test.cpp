#include <gtest/gtest.h>

#include <QImage>

#include <iomanip>
#include <ostream>

#include "chart/price_chart.h"
#include "qtcanvas/qimage_canvas.h"

namespace varnolt {

// Failure messages name colours as the settings file stores them (0x00BBGGRR).
static void PrintTo(const Color& color, std::ostream* out) {
  *out << "0x" << std::hex << std::setw(6) << std::setfill('0') << color.value;
}

namespace {

// A 120 × 115 image: the price band of all ten regions is rows 0..100 with the time axis on
// row 100, and a scale of 1100..1000 puts a price p on row 1100 − p. Three bars without margin
// stand at x = 40, 60 and 80 with bodies 6 pixels either side.
constexpr int kWidth = 120;
constexpr int kHeight = 115;

Bar MakeBar(int32_t date, int32_t open, int32_t high, int32_t low, int32_t close) {
  Bar bar;
  bar.date = date;
  bar.open = open;
  bar.high = high;
  bar.low = low;
  bar.close = close;
  return bar;
}

DataSet Series() {
  DataSet data_set;
  data_set.bars.Append(MakeBar(20231227, 1010, 1050, 1005, 1040));  // rising
  data_set.bars.Append(MakeBar(20231228, 1050, 1060, 1020, 1030));  // falling
  data_set.bars.Append(MakeBar(20240104, 1030, 1045, 1025, 1035));  // rising, first of January
  data_set.first_shown = 1;
  data_set.loaded = true;
  return data_set;
}

PriceScale Scale() {
  PriceScale scale;
  scale.upper = 1100;
  scale.lower = 1000;
  scale.interval = 20;  // scale lines on rows 80, 60, 40 and 20
  scale.margin = 0;
  return scale;
}

using Drawing = void (*)(const DataSet&, const PriceScale&, bool, Canvas&);

QImage Draw(Drawing drawing) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QImageCanvas canvas(image);
  canvas.Clear();
  drawing(Series(), Scale(), true, canvas);
  return image;
}

Color At(const QImage& image, int x, int y) {
  const QRgb rgb = image.pixel(x, y);
  return Color::Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// What every chart type draws besides its bars.
void ExpectFrame(const QImage& image) {
  // Price axis and time axis.
  EXPECT_EQ(At(image, 30, 50), kBlack);
  EXPECT_EQ(At(image, 89, 100), kBlack);
  EXPECT_EQ(At(image, 100, 50), kWhite);
  // The scale line on row 20 lies above every bar: one pixel on, one off, from the axis on.
  for (int x = 30; x < 90; ++x) {
    EXPECT_EQ(At(image, x, 20), x % 2 == 0 ? kBlack : kWhite) << x;
  }
  EXPECT_EQ(At(image, 90, 20), kWhite);
  // January's tick under the third bar, above the time axis; none where the month stays.
  for (int y = 96; y < 100; ++y) EXPECT_EQ(At(image, 80, y), kBlack) << y;
  EXPECT_EQ(At(image, 80, 95), kWhite);
  EXPECT_EQ(At(image, 40, 97), kWhite);
  EXPECT_EQ(At(image, 60, 97), kWhite);
  // January's label "2401" on yellow, starting at the tick and below the axis.
  int yellow = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (At(image, x, y) != kYellow) continue;
      ++yellow;
      EXPECT_GE(x, 80);
      EXPECT_GE(y, 101);
    }
  }
  EXPECT_GT(yellow, 20);
  EXPECT_EQ(At(image, 80, 101), kYellow);
}

TEST(PriceChartPixelsTest, Candlesticks) {
  const QImage image = Draw(&DrawCandles);
  ExpectFrame(image);
  // Rising bar 1: body rows 60..90 in red, wick up to the high at row 50.
  EXPECT_EQ(At(image, 40, 75), kRed);
  EXPECT_EQ(At(image, 35, 61), kRed);
  EXPECT_EQ(At(image, 40, 55), kRed);
  EXPECT_EQ(At(image, 36, 55), kWhite);
  // Falling bar 2: body rows 50..70 in black.
  EXPECT_EQ(At(image, 60, 60), kBlack);
  EXPECT_EQ(At(image, 56, 65), kBlack);
  // Rising bar 3: body rows 65..70.
  EXPECT_EQ(At(image, 80, 67), kRed);
}

TEST(PriceChartPixelsTest, CloseBars) {
  const QImage image = Draw(&DrawCloseBars);
  ExpectFrame(image);
  EXPECT_EQ(At(image, 40, 75), kWhite);  // the first bar has no previous close
  EXPECT_EQ(At(image, 60, 65), kBlack);  // 1040 to 1030: rows 60..70
  EXPECT_EQ(At(image, 60, 55), kWhite);  // no wick
  EXPECT_EQ(At(image, 80, 67), kRed);    // 1030 to 1035: rows 65..70
}

TEST(PriceChartPixelsTest, CloseLine) {
  const QImage image = Draw(&DrawCloseLine);
  ExpectFrame(image);
  EXPECT_EQ(At(image, 40, 75), kWhite);  // no square for the first bar
  EXPECT_EQ(At(image, 60, 70), kBlack);  // square at the falling close
  EXPECT_EQ(At(image, 80, 65), kRed);    // square at the rising close
  EXPECT_EQ(At(image, 50, 65), kBlack);  // the segment between bars 1 and 2
  EXPECT_EQ(At(image, 72, 67), kRed);    // the segment between bars 2 and 3
}

}  // namespace
}  // namespace varnolt
