#pragma once

#include <span>
#include <string_view>

#include "base/color.h"

namespace varnolt {

enum class PenStyle { kSolid, kDot };
// kNotXor inverts what lies under the pen when the pen is black, so drawing a figure twice
// erases it.
enum class PenMode { kCopy, kNotXor };

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct TextSize {
  int width = 0;
  int height = 0;
};

// The chart image as every drawing sees it, with the conventions of the classic Windows
// drawing calls: LineTo leaves out its end point, Rectangle and FillRect cover x1..x2−1 and
// y1..y2−1, Rectangle outlines with the pen and fills with the brush, and TextOut paints the
// text's background with the brush colour and the text in the text colour (black until set).
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void SetPen(Color color, PenStyle style = PenStyle::kSolid, int width = 1,
                      PenMode mode = PenMode::kCopy) = 0;
  virtual void SetBrush(Color color) = 0;
  virtual void SetTextColor(Color color) = 0;

  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  virtual void Polygon(std::span<const Point> points) = 0;
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  virtual TextSize TextExtent(std::string_view text) = 0;

  void Line(int x1, int y1, int x2, int y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
  }
};

}  // namespace varnolt
