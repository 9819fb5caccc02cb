#pragma once

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Control names of one basic settings page; data 2's twins are named irregularly.
struct BasicSettingsNames {
  const char* upper;
  const char* lower;
  const char* interval;
  const char* automatic;
  const char* auxiliary;
  const char* margin;
  const char* from;
  const char* to;
  const char* candles;
  const char* close_bars;
  const char* close_line;
  const char* calendar;
  const char* clear;
  const char* show;
};

inline constexpr BasicSettingsNames kBasic1Names{
    "edUP", "edDown", "edInter",  "cbauto1",   "cbsup",   "edspc",   "edv1",
    "edv2", "rbfour", "rbendbox", "rbendline", "cbcalen", "Button4", "buShow1"};
inline constexpr BasicSettingsNames kBasic2Names{
    "edUP2", "edDown2", "edInter2",  "cbauto2",    "cbsup2",   "edspc2",   "ed2v1",
    "ed2v2", "rbfour2", "rbendbox2", "rbendline2", "cbcalen2", "Button17", "buShow2"};

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
