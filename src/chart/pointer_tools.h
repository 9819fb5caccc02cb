#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "chart/canvas.h"
#include "chart/pointer_readout.h"

namespace varnolt {

// The drag figures of the chart image: the dotted line of a left drag, the dotted rectangle of
// a zoom drag and the solid crosshair of a right drag. They are drawn with the inverting pen,
// and each is remembered as drawn, so that erasing draws exactly the same figure again and
// leaves the image as it was whatever happens between the two.
class PointerDrag {
 public:
  // Left button: the drag starts here; nothing is drawn yet.
  void LeftDown(Point point);
  // Right button: the crosshair appears here.
  void RightDown(Point point, Canvas& canvas);
  // The pointer moved: the figures follow it, the rubber band as a rectangle when
  // `zoom_rectangle`, else as a line. False when the point is the last one, so that nothing
  // moved and the readout stays.
  bool Move(Point point, bool zoom_rectangle, Canvas& canvas);
  // Right button released: the crosshair goes.
  void RightUp(Canvas& canvas);

  // Left button released at `point`: the rubber band goes and the drag ends. What the drag was
  // for: nothing when no left drag was in progress, else its start point.
  std::optional<Point> LeftUp(Canvas& canvas);

  bool LeftDragging() const { return left_; }
  Point Start() const { return start_; }

  // The image was replaced (a resize): the figures are gone with it.
  void Forget();

 private:
  struct Band {
    Point from;
    Point to;
    bool rectangle = false;
  };
  static void DrawBand(const Band& band, Canvas& canvas);
  static void DrawCrosshair(Point point, Canvas& canvas);

  bool left_ = false;
  Point start_;
  std::optional<Point> last_;
  std::optional<Band> band_;  // the rubber band on the image
  bool right_ = false;
  std::optional<Point> crosshair_;  // the crosshair on the image
};

// Whether a left release at `release` zooms: zoom on, a left drag from `start` over a shown
// chart of data 1, the release inside the image right of the price labels and not at the start.
bool ZoomApplies(bool zoom_on, Point start, Point release, bool chart1_shown, int width,
                 int height);

// A trend line's slope on one data set's chart, in tenths of a yen per position, truncated:
// 0 without a chart or when both ends share a position.
int64_t SlopeTenths(const std::optional<ShownChart>& chart, Point start, Point end);

// "傾き: (1) 10 , (2) -0.5": the slopes in yen per position, shortest form.
std::string SlopeText(int64_t tenths1, int64_t tenths2);

// The trend-line tool after the rubber band is erased and the undo snapshot taken: a solid
// black line from the release point to the start and the slope text at the top left, when the
// release lies inside the plot; false when it does not and nothing was drawn.
bool DrawTrendLine(Point start, Point release, const std::string& slope_text, Canvas& canvas);

}  // namespace varnolt
