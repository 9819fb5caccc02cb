#include "app/control_bridge.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVariant>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>

#include "app/color_label.h"
#include "app/radio_group.h"
#include "base/numbers.h"
#include "base/settings_file.h"

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
    // A box the user types into (the stock name) is its text; a list is its item index.
    if (combo->isEditable()) return combo->currentText().toStdString();
    return std::to_string(combo->currentIndex());
  }
  if (const auto* label = qobject_cast<const ColorLabel*>(&widget)) {
    // Signed, as a colour loaded from the settings file was written.
    return std::to_string(static_cast<int32_t>(label->color().value));
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
    if (combo->isEditable()) {
      combo->setEditText(QString::fromStdString(value));
    } else {
      combo->setCurrentIndex(varnolt::ToInt(value));
    }
  } else if (auto* label = qobject_cast<ColorLabel*>(&widget)) {
    label->setColor({static_cast<uint32_t>(varnolt::ToInt(value))});
  }
}

// The kept second line of the settings file belongs to no widget; the window holds it as a
// property of its own.
const char* KeptLineProperty() {
  static const std::string name(varnolt::kKeptLineName);
  return name.c_str();
}

}  // namespace

varnolt::ControlValues ReadControlValues(const QWidget& root) {
  varnolt::ControlValues values = varnolt::ControlValues::Defaults();
  for (const QWidget* widget : root.findChildren<QWidget*>()) {
    const std::string name = widget->objectName().toStdString();
    if (name.empty() || !values.Has(name)) continue;
    if (auto value = ValueOf(*widget)) values.Set(name, std::move(*value));
  }
  const QVariant kept = root.property(KeptLineProperty());
  if (kept.isValid()) values.Set(varnolt::kKeptLineName, kept.toString().toStdString());
  return values;
}

void WriteControlValues(QWidget& root, const varnolt::ControlValues& values, bool quiet) {
  for (QWidget* widget : root.findChildren<QWidget*>()) {
    const std::string name = widget->objectName().toStdString();
    if (name.empty() || !values.Has(name)) continue;
    const QSignalBlocker blocker(quiet ? widget : nullptr);
    SetValue(*widget, values.Text(name));
  }
  if (values.Has(varnolt::kKeptLineName)) {
    root.setProperty(KeptLineProperty(),
                     QString::fromStdString(values.Text(varnolt::kKeptLineName)));
  }
}
