#pragma once

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

// The title page `tsfuji`: the program's title and the progress panel that conversions and
// downloads show while they run.
struct TitlePage {
  QWidget* page = nullptr;        // tsfuji
  QLabel* title = nullptr;        // lbtitle
  QGroupBox* progress = nullptr;  // gbgoing "進行状況", hidden until a long operation runs
  QLabel* status = nullptr;       // lbl
  QLineEdit* detail = nullptr;    // edfuji
};

TitlePage BuildTitlePage(QWidget* parent);
