#include <gtest/gtest.h>

#include <QImage>

#include "chart/pointer_tools.h"
#include "qtcanvas/qimage_canvas.h"

namespace varnolt {
namespace {

// A chart-like image: coloured candles, a dotted scale line and a caption, so that the figures
// cross pixels of every kind.
QImage ChartLikeImage() {
  QImage image(300, 200, QImage::Format_RGB32);
  QImageCanvas qimage_canvas(image);
  qimage_canvas.Clear();
  Canvas& canvas = qimage_canvas;
  canvas.SetPen(kBlack, PenStyle::kDot);
  canvas.Line(30, 100, 270, 100);
  for (int x = 40; x < 270; x += 12) {
    canvas.SetPen(x % 24 ? kRed : kBlack);
    canvas.SetBrush(x % 24 ? kRed : kBlack);
    canvas.Rectangle(x - 3, 60 + x % 50, x + 3, 90 + x % 70);
  }
  canvas.SetBrush(kWhite);
  canvas.TextOut(31, 5, "caption");
  return image;
}

// Every figure is erased by drawing it again: however the pointer wanders, with the rubber band
// as a line or a rectangle and the crosshair on the way, the image comes back pixel for pixel.
TEST(PointerDragPixels, FiguresLeaveTheImageAsTheyFoundIt) {
  const QImage original = ChartLikeImage();
  struct Step {
    Point point;
    bool rectangle;
  };
  const Step path[] = {{{60, 40}, false},   {{61, 40}, false},
                       {{150, 150}, false}, {{150, 150}, false},  // no move: nothing redrawn
                       {{10, 150}, false},                        // off the plot: no band drawn
                       {{280, 199}, true},  {{200, 20}, true},
                       {{100, 120}, true},  {{250, 60}, false}};
  for (const bool with_crosshair : {false, true}) {
    QImage image = original;
    QImageCanvas canvas(image);
    PointerDrag drag;
    drag.LeftDown({120, 80});
    if (with_crosshair) drag.RightDown({120, 80}, canvas);
    bool changed = false;
    for (const Step& step : path) {
      drag.Move(step.point, step.rectangle, canvas);
      changed = changed || image != original;
    }
    EXPECT_TRUE(changed);
    EXPECT_NE(image, original);
    if (with_crosshair) drag.RightUp(canvas);
    const auto start = drag.LeftUp(canvas);
    ASSERT_TRUE(start);
    EXPECT_EQ(*start, (Point{120, 80}));
    EXPECT_EQ(image, original) << with_crosshair;
    // The drag is over: another release reports no drag and draws nothing.
    EXPECT_FALSE(drag.LeftUp(canvas));
    EXPECT_EQ(image, original);
  }
}

TEST(PointerDragPixels, TheBandIsDottedAndInvertsWhatLiesUnderIt) {
  QImage image(100, 50, QImage::Format_RGB32);
  QImageCanvas qimage_canvas(image);
  qimage_canvas.Clear();
  Canvas& canvas = qimage_canvas;
  canvas.SetPen(kBlack);
  canvas.Line(50, 0, 50, 50);  // a black column the band crosses
  PointerDrag drag;
  drag.LeftDown({40, 20});
  drag.Move({60, 20}, false, canvas);
  // The line runs from the pointer back to the start, one pixel on and one off.
  EXPECT_EQ(image.pixel(60, 20), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(59, 20), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(50, 20), qRgb(255, 255, 255));  // black under the pen turns white
  EXPECT_EQ(image.pixel(40, 20), qRgb(255, 255, 255));  // the end point is left out
}

}  // namespace
}  // namespace varnolt
