#pragma once

#include <QFont>
#include <QImage>

#include "chart/canvas.h"

namespace varnolt {

// The chart canvas on a QImage, drawing as the classic Windows calls do: one-pixel lines set
// pixel by pixel (end point left out, dotted pens one pixel on and one off, not-xor mixing that
// inverts under a black pen), rectangles over x1..x2−1, and text on the brush colour.
class QImageCanvas : public Canvas {
 public:
  explicit QImageCanvas(QImage& image);

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }

  void SetPen(Color color, PenStyle style, int width, PenMode mode) override;
  void SetBrush(Color color) override { brush_ = color; }
  void SetTextColor(Color color) override { text_color_ = color; }
  void MoveTo(int x, int y) override { at_ = {x, y}; }
  void LineTo(int x, int y) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Polygon(std::span<const Point> points) override;
  void TextOut(int x, int y, std::string_view text) override;
  TextSize TextExtent(std::string_view text) override;

  // Fills the whole image white, as at start-up and after a resize.
  void Clear();

  static QRgb ToQRgb(Color color) { return qRgb(color.Red(), color.Green(), color.Blue()); }

 private:
  void Plot(int x, int y, Color color, PenMode mode);
  void ThinLine(Point from, Point to);
  void Fill(int x1, int y1, int x2, int y2, Color color, PenMode mode);
  void ConfigurePainter(class QPainter& painter, bool with_brush) const;

  QImage& image_;
  QFont font_;
  Color pen_ = kBlack;
  PenStyle style_ = PenStyle::kSolid;
  int pen_width_ = 1;
  PenMode mode_ = PenMode::kCopy;
  Color brush_ = kWhite;
  Color text_color_ = kBlack;
  Point at_;
};

}  // namespace varnolt
