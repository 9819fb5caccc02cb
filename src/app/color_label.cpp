#include "app/color_label.h"

#include <QPalette>

ColorLabel::ColorLabel(varnolt::Color color, QWidget* parent) : QLabel(parent) {
  setAutoFillBackground(true);
  setFrameShape(QFrame::Box);
  setFixedSize(24, 16);
  setColor(color);
}

void ColorLabel::setColor(varnolt::Color color) {
  color_ = color;
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, qColor());
  setPalette(palette);
}

QColor ColorLabel::qColor() const {
  return QColor(color_.Red(), color_.Green(), color_.Blue());
}

varnolt::Color ColorLabel::FromQColor(const QColor& color) {
  return varnolt::Color::Rgb(color.red(), color.green(), color.blue());
}
