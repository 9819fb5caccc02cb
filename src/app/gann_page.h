#pragma once

#include <vector>

#include "analysis/gann.h"
#include "app/parameter_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;
class RadioGroup;

// The page "ｷﾞｬﾝ分析": the box of a Gann construction, its grid and its fan lines.
struct GannPage {
  QWidget* page = nullptr;
  RadioGroup* data = nullptr;      // rggann
  QLineEdit* date = nullptr;       // edGdat
  QLineEdit* high = nullptr;       // edghi
  QLineEdit* low = nullptr;        // edglo
  QLineEdit* unit = nullptr;       // edgpe
  QComboBox* reading = nullptr;    // cbghi
  QComboBox* divisions = nullptr;  // cbgdiv
  QComboBox* line_kind = nullptr;  // cbgl
  QComboBox* fractions[4] = {};    // cbg1 … cbg4
  QPushButton* grid = nullptr;     // Button5 "表示"
  QPushButton* lines = nullptr;    // Button14 "ﾗｲﾝ"
  QCheckBox* copy = nullptr;       // cbgann
  ColorChoice color;               // lbgann, Button12
};

GannPage BuildGannPage(QWidget* parent, std::vector<ColorChoice>& colors);

// The boxes that place the box, as the page shows them.
varnolt::GannBoxes ReadGannBoxes(const GannPage& page);
// 2, 4 or 8.
int GannDivisions(const GannPage& page);
