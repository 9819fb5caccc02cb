#pragma once

#include <QString>
#include <string>

class QCheckBox;
class QPushButton;
class QTextEdit;
class QWidget;

// The page "統計": the text that loads and indicators report into, and its two commands.
struct StatisticsPage {
  QWidget* page = nullptr;
  QTextEdit* text = nullptr;     // reStat
  QPushButton* clear = nullptr;  // Button52 "クリア"
  QPushButton* save = nullptr;   // Button57 "統計保存"
  // cbshowosci "オシレーター表示": oscillators and kagi charts list their values in the text.
  QCheckBox* show_oscillators = nullptr;
};

StatisticsPage BuildStatisticsPage(QWidget* parent);

// The core writes the statistics text with CR LF line ends, as the program's texts are; the
// text box holds plain lines.
QString StatisticsForDisplay(const std::string& core_text);
std::string StatisticsForCore(const QString& shown_text);
