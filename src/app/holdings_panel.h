#pragma once

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;
class RadioGroup;

// The holdings editing panel of the page "統計" (Panel7, hidden until "保有銘柄編集" is checked).
struct HoldingsPanel {
  QWidget* panel = nullptr;       // Panel7
  QListWidget* list = nullptr;    // lbpossess: one holding line per item
  QLineEdit* date = nullptr;      // pdate "日付"
  QLineEdit* code = nullptr;      // pcode "銘柄ｺｰﾄﾞ"
  QLineEdit* price = nullptr;     // pprice "株価"
  QLineEdit* bought = nullptr;    // pquantity1 "購入株数"
  QLineEdit* adjusted = nullptr;  // pquantity2 "調整後株数"
  QPushButton* add = nullptr;     // Button64 "保有株追加"
  QCheckBox* modify = nullptr;    // cbmodify "修正ﾓｰﾄﾞ"
  QPushButton* remove = nullptr;  // Button67 "削除"
  RadioGroup* data = nullptr;     // rgdatasw "Data": which data set "ﾁｬｰﾄ" loads
  QPushButton* chart = nullptr;   // Button65 "ﾁｬｰﾄ"
};

HoldingsPanel BuildHoldingsPanel(QWidget* parent);
