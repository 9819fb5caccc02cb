#pragma once

#include <QString>
#include <QStringList>

#include "base/data_set_names.h"
#include "indicators/indicator_family.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

// The panel's control names come from the data set's row of the name table.
using CommandPanelNames = varnolt::CommandPanelNames;

// The indicator list, its display regions, the region clear and the display button of one
// data set: what the trend and the oscillator pages hold twice.
struct CommandPanel {
  QGroupBox* box = nullptr;
  QComboBox* list = nullptr;     // the indicator, item 0 at start
  QLineEdit* from = nullptr;     // lowest display region
  QLineEdit* to = nullptr;       // highest display region
  QPushButton* clear = nullptr;  // "クリア": whitens the regions
  QPushButton* show = nullptr;   // "表示": the indicator command
};

// The labels of the pane's indicator list, in the order of the command's item indices.
QStringList IndicatorItemLabels(varnolt::Pane pane);

// The region boxes start with the built-in values of their names.
CommandPanel BuildCommandPanel(const QString& title, const CommandPanelNames& names,
                               const QStringList& items, QWidget* parent);
