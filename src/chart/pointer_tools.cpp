#include "chart/pointer_tools.h"

#include <cstdlib>

namespace varnolt {
namespace {

// A drag line's ends must lie on the plot, left and right of which the price labels and the
// empty margin stay clear.
bool InPlot(Point point, int width, int height) {
  return point.x > 30 && point.x < width - 30 && point.y > 0 && point.y < height;
}

// A zoom rectangle's corners may reach the image's right edge.
bool InZoomArea(Point point, int width, int height) {
  return point.x > 30 && point.x < width && point.y > 0 && point.y < height;
}

}  // namespace

void PointerDrag::DrawBand(const Band& band, Canvas& canvas) {
  canvas.SetPen(kBlack, PenStyle::kDot, 1, PenMode::kNotXor);
  if (band.rectangle) {
    // The outline as one closed path: each corner is the end of one side, which LineTo leaves
    // out, and the start of the next, so every pixel is inverted once.
    canvas.MoveTo(band.from.x, band.from.y);
    canvas.LineTo(band.to.x, band.from.y);
    canvas.LineTo(band.to.x, band.to.y);
    canvas.LineTo(band.from.x, band.to.y);
    canvas.LineTo(band.from.x, band.from.y);
  } else {
    canvas.Line(band.from.x, band.from.y, band.to.x, band.to.y);
  }
  canvas.SetPen(kBlack);
}

void PointerDrag::DrawCrosshair(Point point, Canvas& canvas) {
  const int width = canvas.Width();
  const int height = canvas.Height();
  canvas.SetPen(kBlack, PenStyle::kSolid, 1, PenMode::kNotXor);
  if (point.x > 30 && point.x < width - 30) canvas.Line(point.x, 1, point.x, height);
  if (point.y > 0 && point.y < height) canvas.Line(30, point.y, width - 30, point.y);
  canvas.SetPen(kBlack);
}

void PointerDrag::LeftDown(Point point) {
  left_ = true;
  start_ = point;
}

void PointerDrag::RightDown(Point point, Canvas& canvas) {
  if (crosshair_) DrawCrosshair(*crosshair_, canvas);
  right_ = true;
  crosshair_ = point;
  DrawCrosshair(point, canvas);
}

bool PointerDrag::Move(Point point, bool zoom_rectangle, Canvas& canvas) {
  if (last_ == point) return false;
  last_ = point;
  const int width = canvas.Width();
  const int height = canvas.Height();
  if (left_) {
    if (band_) DrawBand(*band_, canvas);
    band_.reset();
    const bool inside = zoom_rectangle
                            ? InZoomArea(start_, width, height) && InZoomArea(point, width, height)
                            : InPlot(start_, width, height) && InPlot(point, width, height);
    if (inside) {
      band_ =
          Band{zoom_rectangle ? start_ : point, zoom_rectangle ? point : start_, zoom_rectangle};
      DrawBand(*band_, canvas);
    }
  }
  if (right_) {
    if (crosshair_) DrawCrosshair(*crosshair_, canvas);
    crosshair_ = point;
    DrawCrosshair(point, canvas);
  }
  return true;
}

void PointerDrag::RightUp(Canvas& canvas) {
  if (crosshair_) DrawCrosshair(*crosshair_, canvas);
  crosshair_.reset();
  right_ = false;
}

std::optional<Point> PointerDrag::LeftUp(Canvas& canvas) {
  if (band_) DrawBand(*band_, canvas);
  band_.reset();
  if (!left_) return std::nullopt;
  left_ = false;
  return start_;
}

void PointerDrag::Forget() {
  *this = PointerDrag();
}

bool ZoomApplies(bool zoom_on, Point start, Point release, bool chart1_shown, int width,
                 int height) {
  return zoom_on && chart1_shown && InZoomArea(release, width, height) && !(release == start);
}

int64_t SlopeTenths(const std::optional<ShownChart>& chart, Point start, Point end) {
  if (!chart) return 0;
  const PositionPrice a = RegionUnmap(chart->frame, start.x, start.y);
  const PositionPrice b = RegionUnmap(chart->frame, end.x, end.y);
  if (a.position == b.position) return 0;
  return (a.price - b.price) * 10 / (a.position - b.position);
}

std::string SlopeText(int64_t tenths1, int64_t tenths2) {
  const auto shortest = [](int64_t tenths) {
    const std::string sign = tenths < 0 ? "-" : "";
    const uint64_t size = tenths < 0 ? 0 - static_cast<uint64_t>(tenths) : tenths;
    std::string text = sign + std::to_string(size / 10);
    if (size % 10 != 0) text += "." + std::to_string(size % 10);
    return text;
  };
  return "傾き: (1) " + shortest(tenths1) + " , (2) " + shortest(tenths2);
}

bool DrawTrendLine(Point start, Point release, const std::string& slope_text, Canvas& canvas) {
  if (!InPlot(release, canvas.Width(), canvas.Height())) return false;
  canvas.SetPen(kBlack);
  canvas.Line(release.x, release.y, start.x, start.y);
  canvas.SetBrush(kWhite);
  canvas.TextOut(32, 16, slope_text);
  return true;
}

}  // namespace varnolt
