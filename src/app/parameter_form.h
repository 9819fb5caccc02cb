#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class ColorLabel;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;
class RadioGroup;

// A colour label and the "色" button that chooses its colour.
struct ColorChoice {
  ColorLabel* label = nullptr;
  QPushButton* button = nullptr;
};

// One indicator's group box on a parameter page, filled row by row: a caption, the control,
// and for a line with its own colour the colour label and its "色" button. Every control starts
// with the window's built-in value for its name, so the pages and the settings file agree.
class ParameterGroup {
 public:
  // The colour choices of the group are added to `colors`, which the window connects.
  ParameterGroup(const QString& title, QWidget* parent, std::vector<ColorChoice>& colors);

  QGroupBox* box() const { return box_; }

  QLineEdit* AddBox(const QString& caption, const char* name);
  // A box whose line is drawn in the colour of `label` (chosen with `button`).
  QLineEdit* AddColoredBox(const QString& caption, const char* name, const char* label,
                           const char* button);
  ColorChoice AddColor(const QString& caption, const char* label, const char* button);
  QCheckBox* AddCheck(const char* name, const QString& caption);
  // A check box that also carries a colour, kept under the box's name with ".color".
  QCheckBox* AddColoredCheck(const char* name, const QString& caption, const char* button);
  RadioGroup* AddRadio(const char* name, const QString& caption, const QStringList& items);
  // A caption over the whole row, for a box whose caption does not fit beside it.
  void AddNote(const QString& text);

 private:
  ColorChoice ColorAt(int row, const char* label, const char* button);

  QGroupBox* box_;
  QGridLayout* grid_;
  std::vector<ColorChoice>& colors_;
  int row_ = 0;
};

// A parameter box outside a group, with the built-in value of its name.
QLineEdit* ParameterBox(const char* name, QWidget* parent);

// A page of indicator parameters and the colour choices on it.
struct ParameterPage {
  QWidget* page = nullptr;
  std::vector<ColorChoice> colors;
};

// Puts the page's columns of group boxes side by side, top-aligned, in a scroll area so that a
// small window still reaches every control.
void LayOutColumns(QWidget* page, const std::vector<std::vector<QWidget*>>& columns);
