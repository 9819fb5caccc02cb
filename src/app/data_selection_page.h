#pragma once

#include "base/data_set_names.h"

class BarListModel;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListView;
class QPushButton;
class QWidget;
class RadioGroup;

// The controls of a page "データ選択（１）" or "データ選択（２）".
struct DataSelectionPage {
  QWidget* page = nullptr;
  QComboBox* code = nullptr;               // stock code or the start of a stock name
  QLineEdit* start = nullptr;              // compact date "日から"
  QLineEdit* end = nullptr;                // compact date "日まで"
  RadioGroup* unit = nullptr;              // "データ単位"
  QCheckBox* adjust = nullptr;             // "株式分割・併合の調整"
  QPushButton* select = nullptr;           // "選択"
  QListView* list = nullptr;               // one line per displayed bar
  BarListModel* lines = nullptr;           // what `list` shows
  QPushButton* end_after_units = nullptr;  // "単位目の日"
  QLineEdit* units = nullptr;              // count for "単位目の日"
  QPushButton* later = nullptr;            // "→"
  QPushButton* earlier = nullptr;          // "←"
  QLineEdit* shift = nullptr;              // count for "→" and "←"
  QPushButton* copy_dates = nullptr;       // copies the other data set's dates
  QPushButton* browse = nullptr;           // "銘柄一覧表示": the stock browser
};

// The page of a data set, named from its row of the name table; `copy_caption` is the caption
// of the button that copies the other data set's dates.
DataSelectionPage BuildDataSelectionPage(const varnolt::SelectionPageNames& names,
                                         const char* copy_caption, QWidget* parent);
