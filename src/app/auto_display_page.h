#pragma once

class QComboBox;
class QPushButton;
class QWidget;

// The page "自動表示": the auto-display patterns of each data set, the full clear of the chart,
// and the buttons that save and reset all settings.
struct AutoDisplayPatterns {
  QComboBox* patterns = nullptr;    // cbautodata1, cbautodata2
  QPushButton* memorise = nullptr;  // Button41, Button44 "記憶"
  QPushButton* replay = nullptr;    // Button42, Button45 "表示"
  QPushButton* remove = nullptr;    // Button43, Button46 "削除"
};

struct AutoDisplayPage {
  QWidget* page = nullptr;
  AutoDisplayPatterns data1;
  AutoDisplayPatterns data2;
  QPushButton* clear_all = nullptr;  // Button47 "全面ｸﾘｱ"
  QPushButton* save = nullptr;       // buSave "全ての設定を保存"
  QPushButton* reset = nullptr;      // Button50 "全ての設定を初期化"
};

AutoDisplayPage BuildAutoDisplayPage(QWidget* parent);
