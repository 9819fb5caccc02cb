#pragma once

#include <QLabel>

#include "chart/canvas.h"

// A colour label of the parameter pages: a small swatch whose colour is a drawing's pen or
// brush colour. The colour is kept as the settings file writes it (0x00BBGGRR), so a value
// loaded from the file reads back unchanged; the swatch shows its low 24 bits.
class ColorLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ColorLabel(varnolt::Color color, QWidget* parent = nullptr);

  varnolt::Color color() const { return color_; }
  void setColor(varnolt::Color color);

  // The colour as a QColor and back.
  QColor qColor() const;
  static varnolt::Color FromQColor(const QColor& color);

 private:
  varnolt::Color color_;
};
