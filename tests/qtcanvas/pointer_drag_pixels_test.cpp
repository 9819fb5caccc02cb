#include <gtest/gtest.h>

#include <QImage>

#include "chart/pointer_tools.h"
#include "qtcanvas/qimage_canvas.h"

namespace varnolt {
namespace {

// Every figure is erased by drawing it again: however the pointer wanders over coloured bars,
// with the rubber band as a line or a rectangle, in and out of the plot and with the crosshair
// on the way, the image comes back pixel for pixel.
TEST(PointerDragPixels, FiguresLeaveTheImageAsTheyFoundIt) {
  QImage original(300, 200, QImage::Format_RGB32);
  QImageCanvas(original).Clear();
  {
    QImageCanvas bars(original);
    for (int x = 40; x < 270; x += 12) {
      bars.SetPen(x % 24 ? kRed : kBlack, PenStyle::kDot, 1, PenMode::kCopy);
      bars.SetBrush(x % 24 ? kRed : kBlack);
      bars.Rectangle(x - 3, 60 + x % 50, x + 3, 90 + x % 70);
    }
  }
  const std::pair<Point, bool> path[] = {
      {{60, 40}, false},  {{61, 40}, false}, {{150, 150}, false}, {{10, 150}, false},
      {{280, 199}, true}, {{200, 20}, true}, {{100, 120}, true},  {{250, 60}, false}};
  for (const bool crosshair : {false, true}) {
    QImage image = original;
    QImageCanvas canvas(image);
    PointerDrag drag;
    drag.LeftDown({120, 80});
    if (crosshair) drag.RightDown({120, 80}, canvas);
    for (const auto& [point, rectangle] : path) drag.Move(point, rectangle, canvas);
    EXPECT_NE(image, original);
    if (crosshair) drag.RightUp(canvas);
    EXPECT_EQ(drag.LeftUp(canvas), (Point{120, 80}));
    EXPECT_EQ(image, original) << crosshair;
    EXPECT_FALSE(drag.LeftUp(canvas));  // the drag is over
  }
}

}  // namespace
}  // namespace varnolt
