#pragma once

#include "base/data_set_names.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The page's control names come from the data set's row of the name table.
using BasicSettingsNames = varnolt::BasicPageNames;

// The controls of a page "基本(ﾃﾞｰﾀ１)" or "基本(ﾃﾞｰﾀ2)": the price scale, the regions and the
// chart type of one data set's price chart.
struct BasicSettingsPage {
  QWidget* page = nullptr;
  QLineEdit* upper = nullptr;          // "上限"
  QLineEdit* lower = nullptr;          // "下限"
  QLineEdit* interval = nullptr;       // "目盛幅"
  QCheckBox* automatic = nullptr;      // "自動設定": the display command works out the scale
  QCheckBox* auxiliary = nullptr;      // "補助線"
  QLineEdit* margin = nullptr;         // "右余白", empty positions right of the last bar
  QLineEdit* from = nullptr;           // "表示領域(1-10)", lowest region
  QLineEdit* to = nullptr;             // highest region
  QRadioButton* candles = nullptr;     // "ﾛｰｿｸ足"
  QRadioButton* close_bars = nullptr;  // "終値足"
  QRadioButton* close_line = nullptr;  // "終値折線"
  QCheckBox* calendar = nullptr;       // "暦日"
  QPushButton* clear = nullptr;        // "領域クリア"
  QPushButton* show = nullptr;         // "表示"
};

BasicSettingsPage BuildBasicSettingsPage(const BasicSettingsNames& names, QWidget* parent);

// The scale boxes can be typed into only while the automatic scale is off.
void ApplyAutomaticScale(const BasicSettingsPage& page);
