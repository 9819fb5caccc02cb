#pragma once

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;
class RadioGroup;

// Control names of one data selection page. The two pages name their twins irregularly, so each
// page gets its own table.
struct DataSelectionNames {
  const char* code;
  const char* start;
  const char* end;
  const char* unit;
  const char* adjust;
  const char* select;
  const char* list;
  const char* end_after_units;
  const char* units;
  const char* later;
  const char* earlier;
  const char* shift;
  const char* copy_dates;
  const char* copy_dates_caption;
};

inline constexpr DataSelectionNames kData1Names{
    "cbdata1", "edDtst1", "edDted1", "RG1",     "cbenddata", "buselect", "lbdata",
    "Button7", "edPlus",  "Button9", "Button8", "edShift",   "Button49", "ﾃﾞｰﾀ2の日付をｺﾋﾟｰ"};
inline constexpr DataSelectionNames kData2Names{
    "cbdata2",  "edDtst2", "edDTed2",  "RG2",      "cbenddata2", "buselect2", "lbdata2",
    "Button20", "edPlus2", "Button22", "Button21", "edShift2",   "Button51",  "ﾃﾞｰﾀ1の日付をｺﾋﾟｰ"};

// The controls of a page "データ選択（１）" or "データ選択（２）".
struct DataSelectionPage {
  QWidget* page = nullptr;
  QComboBox* code = nullptr;               // stock code or the start of a stock name
  QLineEdit* start = nullptr;              // compact date "日から"
  QLineEdit* end = nullptr;                // compact date "日まで"
  RadioGroup* unit = nullptr;              // "データ単位"
  QCheckBox* adjust = nullptr;             // "株式分割・併合の調整"
  QPushButton* select = nullptr;           // "選択"
  QListWidget* list = nullptr;             // one line per displayed bar
  QPushButton* end_after_units = nullptr;  // "単位目の日"
  QLineEdit* units = nullptr;              // count for "単位目の日"
  QPushButton* later = nullptr;            // "→"
  QPushButton* earlier = nullptr;          // "←"
  QLineEdit* shift = nullptr;              // count for "→" and "←"
  QPushButton* copy_dates = nullptr;       // copies the other data set's dates
};

DataSelectionPage BuildDataSelectionPage(const DataSelectionNames& names, QWidget* parent);
