#include "qimage_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>

namespace varnolt {

QImageCanvas::QImageCanvas(QImage& image) : image_(image) {
  // Pixels are set directly as 32-bit words.
  if (image_.format() != QImage::Format_RGB32)
    image_ = image_.convertToFormat(QImage::Format_RGB32);
  font_.setFamilies({"Noto Sans CJK JP", "Noto Sans JP", "IPAGothic", "sans-serif"});
  font_.setPixelSize(11);
}

void QImageCanvas::SetPen(Color color, PenStyle style, int width, PenMode mode) {
  pen_ = color;
  style_ = style;
  pen_width_ = std::max(width, 1);
  mode_ = mode;
}

void QImageCanvas::Plot(int x, int y, Color color, PenMode mode) {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
  auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
  const QRgb source = ToQRgb(color);
  // Not-xor: each channel becomes the complement of pen xor destination.
  row[x] = mode == PenMode::kCopy ? source : (0xFF000000u | (~(source ^ row[x]) & 0x00FFFFFFu));
}

void QImageCanvas::ThinLine(Point from, Point to) {
  // Bresenham from `from` up to, but not including, `to`.
  int x = from.x, y = from.y;
  const int dx = std::abs(to.x - x), dy = -std::abs(to.y - y);
  const int sx = x < to.x ? 1 : -1, sy = y < to.y ? 1 : -1;
  int error = dx + dy;
  bool on = true;
  while (x != to.x || y != to.y) {
    if (style_ == PenStyle::kSolid || on) Plot(x, y, pen_, mode_);
    on = !on;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
}

void QImageCanvas::ConfigurePainter(QPainter& painter, bool with_brush) const {
  if (mode_ == PenMode::kNotXor)
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  QPen pen(QColor(ToQRgb(pen_)));
  pen.setWidth(pen_width_);
  pen.setStyle(style_ == PenStyle::kDot ? Qt::DotLine : Qt::SolidLine);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(with_brush ? QBrush(QColor(ToQRgb(brush_))) : Qt::NoBrush);
}

void QImageCanvas::LineTo(int x, int y) {
  const Point to{x, y};
  if (pen_width_ == 1) {
    ThinLine(at_, to);
  } else {
    QPainter painter(&image_);
    ConfigurePainter(painter, false);
    painter.drawLine(at_.x, at_.y, x, y);
  }
  at_ = to;
}

void QImageCanvas::Fill(int x1, int y1, int x2, int y2, Color color, PenMode mode) {
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, image_.width());
  y2 = std::min(y2, image_.height());
  for (int y = y1; y < y2; ++y) {
    for (int x = x1; x < x2; ++x) Plot(x, y, color, mode);
  }
}

void QImageCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  Fill(x1 + 1, y1 + 1, x2 - 1, y2 - 1, brush_, mode_);
  const Point saved = at_;
  MoveTo(x1, y1);
  if (x2 - x1 == 1) {
    // One column or one row thin: a single line, so that a not-xor pen meets each pixel once.
    LineTo(x1, y2);
  } else if (y2 - y1 == 1) {
    LineTo(x2, y1);
  } else {
    // The outline runs round the rectangle's outermost pixels, x2−1 and y2−1 included.
    LineTo(x2 - 1, y1);
    LineTo(x2 - 1, y2 - 1);
    LineTo(x1, y2 - 1);
    LineTo(x1, y1);
  }
  at_ = saved;
}

void QImageCanvas::FillRect(int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  Fill(x1, y1, x2, y2, brush_, PenMode::kCopy);
}

void QImageCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  QPainter painter(&image_);
  ConfigurePainter(painter, true);
  painter.drawEllipse(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                            QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1)));
}

void QImageCanvas::Polygon(std::span<const Point> points) {
  QPolygon polygon;
  for (const Point& p : points) polygon << QPoint(p.x, p.y);
  QPainter painter(&image_);
  ConfigurePainter(painter, true);
  painter.drawPolygon(polygon);
}

void QImageCanvas::TextOut(int x, int y, std::string_view text) {
  const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  QPainter painter(&image_);
  painter.setFont(font_);
  const QFontMetrics metrics(font_);
  const QRect box(x, y, metrics.horizontalAdvance(string), metrics.height());
  painter.fillRect(box, QColor(ToQRgb(brush_)));
  painter.setPen(QColor(ToQRgb(text_color_)));
  painter.drawText(x, y + metrics.ascent(), string);
}

TextSize QImageCanvas::TextExtent(std::string_view text) {
  const QFontMetrics metrics(font_);
  const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return {metrics.horizontalAdvance(string), metrics.height()};
}

void QImageCanvas::Clear() {
  image_.fill(Qt::white);
}

}  // namespace varnolt
