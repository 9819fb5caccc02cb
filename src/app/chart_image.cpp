#include "app/chart_image.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

ChartImage::ChartImage(QWidget* parent) : QWidget(parent) {
  setObjectName("imMain");
  // The bitmap follows the page, not the other way round: it must not hold the window open.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The pointer readout follows the pointer without a button held.
  setMouseTracking(true);
  Reset(QSize(1, 1));
}

void ChartImage::Reset(QSize size) {
  image_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image_.fill(Qt::white);
  update();
}

void ChartImage::Restore(const QImage& image) {
  image_ = image.convertToFormat(QImage::Format_RGB32);
  update();
}

void ChartImage::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // Outside a bitmap smaller than the widget (after an undo across a resize) stays white.
  painter.fillRect(event->rect(), Qt::white);
  painter.drawImage(0, 0, image_);
}

void ChartImage::mousePressEvent(QMouseEvent* event) {
  emit mouseDown(event->button(), event->position().toPoint());
}

void ChartImage::mouseDoubleClickEvent(QMouseEvent* event) {
  // The press of the second click still counts as a press for the pointer tools.
  emit mouseDown(event->button(), event->position().toPoint());
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

void ChartImage::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMove(event->position().toPoint());
}

void ChartImage::mouseReleaseEvent(QMouseEvent* event) {
  emit mouseUp(event->button(), event->position().toPoint());
}
