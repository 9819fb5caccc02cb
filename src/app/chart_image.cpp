#include "app/chart_image.h"

#include <QPaintEvent>
#include <QPainter>

ChartImage::ChartImage(QWidget* parent) : QWidget(parent) {
  setObjectName("imMain");
  // The bitmap follows the page, not the other way round: it must not hold the window open.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  setAttribute(Qt::WA_OpaquePaintEvent);
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
