#include "qtcanvas/qimage_canvas.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include <iomanip>
#include <ostream>

namespace varnolt {

// Failure messages name colours as the settings file stores them (0x00BBGGRR).
static void PrintTo(const Color& color, std::ostream* out) {
  *out << "0x" << std::hex << std::setw(6) << std::setfill('0') << color.value;
}

namespace {

QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

Color At(const QImage& image, int x, int y) {
  const QRgb rgb = image.pixel(x, y);
  return Color::Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

TEST(QImageCanvasTest, LineToLeavesOutItsEndPoint) {
  QImage image = WhiteImage(20, 20);
  QImageCanvas qimage_canvas(image);
  Canvas& canvas = qimage_canvas;  // as the drawings see it, with the default pen arguments
  canvas.SetPen(kBlack);
  canvas.Line(2, 5, 10, 5);
  for (int x = 2; x < 10; ++x) EXPECT_EQ(At(image, x, 5), kBlack) << x;
  EXPECT_EQ(At(image, 10, 5), kWhite);
  EXPECT_EQ(At(image, 1, 5), kWhite);

  canvas.Line(15, 12, 15, 2);  // upwards
  for (int y = 3; y <= 12; ++y) EXPECT_EQ(At(image, 15, y), kBlack) << y;
  EXPECT_EQ(At(image, 15, 2), kWhite);

  canvas.Line(0, 10, 5, 15);  // diagonal
  for (int i = 0; i < 5; ++i) EXPECT_EQ(At(image, i, 10 + i), kBlack) << i;
  EXPECT_EQ(At(image, 5, 15), kWhite);
}

TEST(QImageCanvasTest, ConnectedLinesJoinWithoutGaps) {
  QImage image = WhiteImage(12, 12);
  QImageCanvas qimage_canvas(image);
  Canvas& canvas = qimage_canvas;
  canvas.SetPen(kRed);
  canvas.MoveTo(2, 2);
  canvas.LineTo(8, 2);
  canvas.LineTo(8, 8);
  for (int x = 2; x <= 8; ++x) EXPECT_EQ(At(image, x, 2), kRed) << x;
  for (int y = 2; y < 8; ++y) EXPECT_EQ(At(image, 8, y), kRed) << y;
  EXPECT_EQ(At(image, 8, 8), kWhite);
}

TEST(QImageCanvasTest, DottedLinesSetEveryOtherPixel) {
  QImage image = WhiteImage(24, 24);
  QImageCanvas qimage_canvas(image);
  Canvas& canvas = qimage_canvas;
  canvas.SetPen(kBlack, PenStyle::kDot);
  canvas.Line(1, 3, 21, 3);
  for (int x = 1; x <= 21; ++x) {
    EXPECT_EQ(At(image, x, 3), (x - 1) % 2 == 0 && x < 21 ? kBlack : kWhite) << x;
  }
  canvas.Line(5, 22, 5, 6);
  for (int y = 6; y <= 22; ++y) {
    EXPECT_EQ(At(image, 5, y), (22 - y) % 2 == 0 && y > 6 ? kBlack : kWhite) << y;
  }
}

TEST(QImageCanvasTest, NotXorInvertsUnderABlackPenAndTwiceRestores) {
  QImage image = WhiteImage(30, 30);
  QImageCanvas qimage_canvas(image);
  Canvas& canvas = qimage_canvas;
  canvas.SetBrush(kYellow);
  canvas.FillRect(0, 0, 15, 30);
  canvas.SetPen(kRed);
  canvas.Line(0, 20, 30, 20);
  const QImage before = image.copy();

  canvas.SetPen(kBlack, PenStyle::kSolid, 1, PenMode::kNotXor);
  canvas.SetBrush(kWhite);
  canvas.Line(0, 5, 29, 25);
  canvas.Line(10, 0, 10, 30);
  canvas.Rectangle(4, 4, 26, 24);
  EXPECT_NE(image, before);
  EXPECT_EQ(At(image, 20, 4), kBlack);                   // white under the rectangle's top edge
  EXPECT_EQ(At(image, 10, 2), Color::Rgb(0, 0, 255));    // yellow under the vertical line
  EXPECT_EQ(At(image, 4, 20), Color::Rgb(0, 255, 255));  // red under the left edge

  canvas.Line(0, 5, 29, 25);
  canvas.Line(10, 0, 10, 30);
  canvas.Rectangle(4, 4, 26, 24);
  EXPECT_EQ(image, before);
}

TEST(QImageCanvasTest, AThinNotXorRectangleInvertsEachPixelOnce) {
  QImage image = WhiteImage(20, 20);
  QImageCanvas qimage_canvas(image);
  Canvas& canvas = qimage_canvas;
  canvas.SetPen(kBlack, PenStyle::kSolid, 1, PenMode::kNotXor);
  canvas.Rectangle(5, 2, 6, 10);     // one column
  canvas.Rectangle(8, 15, 16, 16);   // one row
  canvas.Rectangle(18, 18, 19, 19);  // one pixel
  for (int y = 2; y < 10; ++y) EXPECT_EQ(At(image, 5, y), kBlack) << y;
  EXPECT_EQ(At(image, 5, 10), kWhite);
  for (int x = 8; x < 16; ++x) EXPECT_EQ(At(image, x, 15), kBlack) << x;
  EXPECT_EQ(At(image, 16, 15), kWhite);
  EXPECT_EQ(At(image, 18, 18), kBlack);
}

TEST(QImageCanvasTest, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
  for (const bool reversed : {false, true}) {
    SCOPED_TRACE(reversed);
    QImage image = WhiteImage(12, 12);
    QImageCanvas qimage_canvas(image);
    Canvas& canvas = qimage_canvas;
    canvas.SetPen(kRed);
    canvas.SetBrush(kYellow);
    if (reversed) {
      canvas.Rectangle(8, 9, 2, 3);
    } else {
      canvas.Rectangle(2, 3, 8, 9);
    }
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 12; ++x) {
        const bool inside = x >= 2 && x < 8 && y >= 3 && y < 9;
        const bool edge = x == 2 || x == 7 || y == 3 || y == 8;
        const Color expected = !inside ? kWhite : edge ? kRed : kYellow;
        ASSERT_EQ(At(image, x, y), expected) << x << "," << y;
      }
    }
  }
}

TEST(QImageCanvasTest, FillRectCoversTheSameAreaWithoutAnOutline) {
  QImage image = WhiteImage(12, 12);
  QImageCanvas qimage_canvas(image);
  Canvas& canvas = qimage_canvas;
  canvas.SetPen(kRed);
  canvas.SetBrush(kYellow);
  canvas.FillRect(2, 3, 8, 9);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 2 && x < 8 && y >= 3 && y < 9;
      ASSERT_EQ(At(image, x, y), inside ? kYellow : kWhite) << x << "," << y;
    }
  }
}

TEST(QImageCanvasTest, TextBackgroundIsTheBrushColour) {
  QImage image = WhiteImage(80, 40);
  QImageCanvas qimage_canvas(image);
  Canvas& canvas = qimage_canvas;
  canvas.SetBrush(kYellow);
  canvas.TextOut(10, 5, "0201");
  const TextSize size = canvas.TextExtent("0201");
  ASSERT_GT(size.width, 0);
  ASSERT_GT(size.height, 0);
  ASSERT_LT(10 + size.width, 80);
  ASSERT_LT(5 + size.height, 40);

  int yellow = 0;
  int black = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 80; ++x) {
      const Color colour = At(image, x, y);
      const bool in_box = x >= 10 && x < 10 + size.width && y >= 5 && y < 5 + size.height;
      if (colour == kYellow) ++yellow;
      if (colour != kWhite && colour != kYellow) ++black;
      if (!in_box) {
        ASSERT_EQ(colour, kWhite) << x << "," << y;
      }
    }
  }
  // Mostly background, with some glyph pixels on it.
  EXPECT_GT(yellow, size.width * size.height / 2);
  EXPECT_GT(black, 0);
  EXPECT_EQ(At(image, 10, 5), kYellow);
  EXPECT_EQ(At(image, 10 + size.width - 1, 5 + size.height - 1), kYellow);
}

}  // namespace
}  // namespace varnolt

// Text needs a GUI application; the tests run without a display on the offscreen platform.
int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QGuiApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
