#pragma once

#include <QString>
#include <string>

#include "app/holdings_panel.h"

class QCheckBox;
class QPushButton;
class QTextEdit;
class QWidget;

// The page "統計": the text that loads and indicators report into, its commands, and the
// holdings ledger.
struct StatisticsPage {
  QWidget* page = nullptr;
  QTextEdit* text = nullptr;     // reStat
  QPushButton* clear = nullptr;  // Button52 "クリア"
  QPushButton* save = nullptr;   // Button57 "統計保存"
  // cbshowosci "オシレーター表示": oscillators and kagi charts list their values in the text.
  QCheckBox* show_oscillators = nullptr;
  QCheckBox* edit_holdings = nullptr;  // CheckBox1 "保有銘柄編集": shows the holdings panel
  QPushButton* profit_and_loss = nullptr;  // Button66 "保有銘柄損益"
  HoldingsPanel holdings;
};

StatisticsPage BuildStatisticsPage(QWidget* parent);

// The core writes the statistics text with CR LF line ends, as the program's texts are; the
// text box holds plain lines.
QString StatisticsForDisplay(const std::string& core_text);
std::string StatisticsForCore(const QString& shown_text);
