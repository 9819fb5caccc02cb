#include "analysis/clipped_line.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"

namespace varnolt {
namespace {

constexpr int kLeft = 30;

// Rounds a pixel coordinate, far values kept far but inside int.
int64_t RoundPixel(double value) {
  if (!std::isfinite(value)) return value > 0 ? INT32_MAX : INT32_MIN;
  return RoundHalfEven(std::clamp(value, -1e12, 1e12));
}

// One end of the segment: the row at column `x`, or where the line crosses the nearer band
// edge when that row lies outside the band.
std::optional<Point> End(int x, int x0, int y0, double slope, int top, int bottom, int right) {
  const int64_t y = RoundPixel(slope * (x - x0) + y0);
  if (y >= top && y <= bottom) return Point{x, static_cast<int>(y)};
  const int edge = y < top ? top : bottom;
  const int64_t crossing = RoundPixel((edge - y0) / slope + x0);
  if (crossing < kLeft || crossing > right) return std::nullopt;
  return Point{static_cast<int>(crossing), edge};
}

}  // namespace

std::optional<std::pair<Point, Point>> ClippedSegment(int width, int x0, int y0, double slope,
                                                      int top, int bottom) {
  const int right = width - 30;
  if (slope == 0) {
    if (y0 < top || y0 > bottom) return std::nullopt;
    return std::pair{Point{kLeft, y0}, Point{right, y0}};
  }
  const auto left_end = End(kLeft, x0, y0, slope, top, bottom, right);
  const auto right_end = End(right, x0, y0, slope, top, bottom, right);
  if (!left_end || !right_end) return std::nullopt;
  return std::pair{*left_end, *right_end};
}

void ClippedLine(Canvas& canvas, int x0, int y0, double slope, int top, int bottom) {
  if (const auto segment = ClippedSegment(canvas.Width(), x0, y0, slope, top, bottom)) {
    canvas.Line(segment->first.x, segment->first.y, segment->second.x, segment->second.y);
  }
}

}  // namespace varnolt
