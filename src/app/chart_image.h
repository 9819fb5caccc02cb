#pragma once

#include <QImage>
#include <QWidget>

// The chart image `imMain`: a bitmap that keeps whatever the drawing commands put into it. A
// repaint only shows the bitmap; nothing is redrawn from data.
class ChartImage : public QWidget {
  Q_OBJECT

 public:
  explicit ChartImage(QWidget* parent = nullptr);

  // The bitmap the commands draw into (Format_RGB32).
  QImage& image() { return image_; }
  const QImage& image() const { return image_; }

  // A new white bitmap of the given size.
  void Reset(QSize size);
  // Puts back a saved bitmap as it is, whatever its size.
  void Restore(const QImage& image);

 signals:
  // The mouse over the image, in image pixels. Moves arrive with and without a button held.
  void mouseDown(Qt::MouseButton button, QPoint point);
  void mouseMove(QPoint point);
  void mouseUp(Qt::MouseButton button, QPoint point);
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImage image_;
};
