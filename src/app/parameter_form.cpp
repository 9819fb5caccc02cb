#include "app/parameter_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <string>

#include "app/color_label.h"
#include "app/radio_group.h"
#include "base/controls.h"
#include "base/numbers.h"

namespace {

enum Column { kCaption, kControl, kSwatch, kButton, kStretch };

const varnolt::ControlValues& BuiltIn() {
  static const varnolt::ControlValues values = varnolt::ControlValues::Defaults();
  return values;
}

varnolt::Color BuiltInColor(const std::string& name) {
  return {static_cast<uint32_t>(varnolt::ToInt(BuiltIn().Text(name)))};
}

}  // namespace

QLineEdit* ParameterBox(const char* name, QWidget* parent) {
  auto* box = new QLineEdit(QString::fromStdString(BuiltIn().Text(name)), parent);
  box->setObjectName(name);
  box->setFixedWidth(60);
  return box;
}

ParameterGroup::ParameterGroup(const QString& title, QWidget* parent,
                               std::vector<ColorChoice>& colors)
    : box_(new QGroupBox(title, parent)), grid_(new QGridLayout(box_)), colors_(colors) {
  grid_->setColumnStretch(kStretch, 1);
}

QLineEdit* ParameterGroup::AddBox(const QString& caption, const char* name) {
  QLineEdit* box = ParameterBox(name, box_);
  grid_->addWidget(new QLabel(caption, box_), row_, kCaption);
  grid_->addWidget(box, row_, kControl);
  ++row_;
  return box;
}

QLineEdit* ParameterGroup::AddColoredBox(const QString& caption, const char* name,
                                         const char* label, const char* button) {
  QLineEdit* box = ParameterBox(name, box_);
  grid_->addWidget(new QLabel(caption, box_), row_, kCaption);
  grid_->addWidget(box, row_, kControl);
  ColorAt(row_, label, button);
  ++row_;
  return box;
}

ColorChoice ParameterGroup::AddColor(const QString& caption, const char* label,
                                     const char* button) {
  grid_->addWidget(new QLabel(caption, box_), row_, kCaption, 1, 2);
  const ColorChoice choice = ColorAt(row_, label, button);
  ++row_;
  return choice;
}

QCheckBox* ParameterGroup::AddCheck(const char* name, const QString& caption) {
  auto* check = new QCheckBox(caption, box_);
  check->setObjectName(name);
  check->setChecked(BuiltIn().Checked(name));
  grid_->addWidget(check, row_, kCaption, 1, kStretch);
  ++row_;
  return check;
}

QCheckBox* ParameterGroup::AddColoredCheck(const char* name, const QString& caption,
                                           const char* button) {
  auto* check = new QCheckBox(caption, box_);
  check->setObjectName(name);
  check->setChecked(BuiltIn().Checked(name));
  grid_->addWidget(check, row_, kCaption, 1, 2);
  const std::string color_name = std::string(name) + std::string(varnolt::kColorSuffix);
  ColorAt(row_, color_name.c_str(), button);
  ++row_;
  return check;
}

RadioGroup* ParameterGroup::AddRadio(const char* name, const QString& caption,
                                     const QStringList& items) {
  auto* group = new RadioGroup(caption, items, box_);
  group->setObjectName(name);
  group->setItemIndex(BuiltIn().ItemIndex(name));
  grid_->addWidget(group, row_, kCaption, 1, kStretch);
  ++row_;
  return group;
}

void ParameterGroup::AddNote(const QString& text) {
  auto* note = new QLabel(text, box_);
  note->setWordWrap(true);
  grid_->addWidget(note, row_, kCaption, 1, kStretch);
  ++row_;
}

ColorChoice ParameterGroup::ColorAt(int row, const char* label, const char* button) {
  ColorChoice choice;
  choice.label = new ColorLabel(BuiltInColor(label), box_);
  choice.label->setObjectName(label);
  choice.button = new QPushButton("色", box_);
  choice.button->setObjectName(button);
  choice.button->setFixedWidth(36);
  grid_->addWidget(choice.label, row, kSwatch);
  grid_->addWidget(choice.button, row, kButton);
  colors_.push_back(choice);
  return choice;
}

void LayOutColumns(QWidget* page, const std::vector<std::vector<QWidget*>>& columns) {
  auto* content = new QWidget;
  auto* row = new QHBoxLayout(content);
  for (const std::vector<QWidget*>& column : columns) {
    auto* stack = new QVBoxLayout;
    for (QWidget* widget : column) stack->addWidget(widget);
    stack->addStretch();
    row->addLayout(stack);
  }
  row->addStretch(1);
  auto* scroll = new QScrollArea(page);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(content);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);
}
