#include "app/control_bridge.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QWidget>
#include <optional>
#include <string>

#include "app/radio_group.h"
#include "base/numbers.h"

namespace {

std::optional<std::string> ValueOf(const QWidget& widget) {
  if (const auto* box = qobject_cast<const QLineEdit*>(&widget)) return box->text().toStdString();
  if (const auto* check = qobject_cast<const QCheckBox*>(&widget)) {
    return check->isChecked() ? "true" : "false";
  }
  if (const auto* radio = qobject_cast<const QRadioButton*>(&widget)) {
    return radio->isChecked() ? "true" : "false";
  }
  if (const auto* group = qobject_cast<const RadioGroup*>(&widget)) {
    return std::to_string(group->itemIndex());
  }
  if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
    return std::to_string(combo->currentIndex());
  }
  return std::nullopt;
}

void SetValue(QWidget& widget, const std::string& value) {
  if (auto* box = qobject_cast<QLineEdit*>(&widget)) {
    box->setText(QString::fromStdString(value));
  } else if (auto* check = qobject_cast<QCheckBox*>(&widget)) {
    check->setChecked(value == "true");
  } else if (auto* radio = qobject_cast<QRadioButton*>(&widget)) {
    // Checking one button of a page unchecks its neighbours; an exclusive button cannot be
    // unchecked on its own, so only "true" acts.
    if (value == "true") radio->setChecked(true);
  } else if (auto* group = qobject_cast<RadioGroup*>(&widget)) {
    group->setItemIndex(varnolt::ToInt(value));
  } else if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    combo->setCurrentIndex(varnolt::ToInt(value));
  }
}

}  // namespace

varnolt::ControlValues ReadControlValues(const QWidget& root) {
  varnolt::ControlValues values = varnolt::ControlValues::Defaults();
  for (const QWidget* widget : root.findChildren<QWidget*>()) {
    const std::string name = widget->objectName().toStdString();
    if (name.empty() || !values.Has(name)) continue;
    if (auto value = ValueOf(*widget)) values.Set(name, std::move(*value));
  }
  return values;
}

void WriteControlValues(QWidget& root, const varnolt::ControlValues& values, bool quiet) {
  for (QWidget* widget : root.findChildren<QWidget*>()) {
    const std::string name = widget->objectName().toStdString();
    if (name.empty() || !values.Has(name)) continue;
    const QSignalBlocker blocker(quiet ? widget : nullptr);
    SetValue(*widget, values.Text(name));
  }
}
