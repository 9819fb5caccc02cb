#pragma once

#include <QString>
#include <QStringList>

#include "indicators/indicator_family.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

// Control names of one data set's panel on the page "ﾁｬｰﾄ" or "ｵｼﾚｰﾀｰ".
struct CommandPanelNames {
  const char* list;
  const char* from;
  const char* to;
  const char* clear;
  const char* show;
};

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
