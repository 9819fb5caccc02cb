#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart/canvas.h"

namespace varnolt::testing {

// A canvas that draws nothing and writes down every call as a line of text, so tests can check
// what a drawing asked for:
//   "pen 0000FF dot 1 copy", "brush FFFFFF", "move 30,10", "line 30,10-30,385",
//   "rect 10,20-16,40", "fill 0,0-10,10", "ellipse 1,2-3,4", "polygon 1,2 3,4 5,6",
//   "text 5,385 単位千", "textcolor 008000".
// Colours are the stored 0x00BBGGRR value in hex. Text is 6 pixels per byte and 12 pixels high.
class RecordingCanvas : public Canvas {
 public:
  static constexpr int kCharWidth = 6;
  static constexpr int kTextHeight = 12;

  // One call with the pen and brush that were selected when it was made.
  struct Call {
    std::string text;
    Color pen = kBlack;
    PenStyle style = PenStyle::kSolid;
    PenMode mode = PenMode::kCopy;
    Color brush = kWhite;
  };

  // A drawn line with its end points, as LineTo received them.
  struct LineCall {
    Point from;
    Point to;
    Color pen;
    PenStyle style;
  };

  // A rectangle as Rectangle received it, with the colours it was drawn in.
  struct RectCall {
    Point from;
    Point to;
    Color pen;
    Color brush;
  };

  // A text and where it went, with the brush that paints its background.
  struct TextCall {
    int x = 0;
    int y = 0;
    std::string text;
    Color brush;
    Color color = kBlack;
  };

  RecordingCanvas(int width = 660, int height = 400) : width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void SetPen(Color color, PenStyle style, int width, PenMode mode) override;
  void SetBrush(Color color) override;
  void SetTextColor(Color color) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Polygon(std::span<const Point> points) override;
  void TextOut(int x, int y, std::string_view text) override;
  TextSize TextExtent(std::string_view text) override;

  const std::vector<Call>& Calls() const { return calls_; }
  // The call texts alone, in order.
  std::vector<std::string> CallTexts() const;
  // Calls that change the picture (lines, rectangles, fills, ellipses, polygons, texts); pen and
  // brush choices and moves are left out.
  std::vector<std::string> DrawingTexts() const;
  // Every TextOut text, in order.
  std::vector<std::string> Texts() const;
  std::vector<TextCall> TextCalls() const;
  std::vector<LineCall> Lines() const;
  std::vector<RectCall> Rects() const;
  bool Contains(std::string_view call_text) const;
  // Forgets what was recorded so far; the selected pen and brush stay.
  void Clear();

 private:
  void Record(std::string text);

  int width_;
  int height_;
  Color pen_ = kBlack;
  PenStyle style_ = PenStyle::kSolid;
  PenMode mode_ = PenMode::kCopy;
  Color brush_ = kWhite;
  Color text_color_ = kBlack;
  Point at_;
  std::vector<Call> calls_;
  std::vector<LineCall> lines_;
  std::vector<RectCall> rects_;
  std::vector<TextCall> texts_;
};

}  // namespace varnolt::testing
