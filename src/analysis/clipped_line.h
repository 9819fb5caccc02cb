#pragma once

#include <optional>
#include <utility>

#include "chart/canvas.h"

namespace varnolt {

// The piece of the line through pixel (x0, y0) with `slope` rows per column that lies inside
// the plot: columns 30 … width − 30 and rows top … bottom. Nothing when the line misses it.
std::optional<std::pair<Point, Point>> ClippedSegment(int width, int x0, int y0, double slope,
                                                      int top, int bottom);

// Draws that piece with the canvas's current pen.
void ClippedLine(Canvas& canvas, int x0, int y0, double slope, int top, int bottom);

}  // namespace varnolt
