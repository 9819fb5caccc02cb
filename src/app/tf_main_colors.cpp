// The "色" buttons of the parameter pages.
#include <QPushButton>

#include "app/color_label.h"
#include "app/tf_main.h"

void TfMain::ConnectColors(const std::vector<ColorChoice>& colors) {
  for (const ColorChoice& choice : colors) {
    ColorLabel* label = choice.label;
    connect(choice.button, &QPushButton::clicked, this,
            [this, label] { ChooseLabelColor(*label); });
  }
}

void TfMain::ChooseLabelColor(ColorLabel& label) {
  // A cancelled dialog leaves the colour as it was.
  if (const std::optional<QColor> chosen = chooseColor(label.qColor())) {
    label.setColor(ColorLabel::FromQColor(*chosen));
  }
}
