#include "app/statistics_page.h"

#include <QStringList>

#include "base/text_file.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

StatisticsPage BuildStatisticsPage(QWidget* parent) {
  StatisticsPage p;
  p.page = new QWidget(parent);
  p.text = new QTextEdit(p.page);
  p.text->setObjectName("reStat");
  p.text->setAcceptRichText(false);
  p.clear = new QPushButton("クリア", p.page);
  p.clear->setObjectName("Button52");
  p.save = new QPushButton("統計保存", p.page);
  p.save->setObjectName("Button57");
  p.show_oscillators = new QCheckBox("オシレーター表示", p.page);
  p.show_oscillators->setObjectName("cbshowosci");
  p.edit_holdings = new QCheckBox("保有銘柄編集", p.page);
  p.edit_holdings->setObjectName("CheckBox1");
  p.profit_and_loss = new QPushButton("保有銘柄損益", p.page);
  p.profit_and_loss->setObjectName("Button66");
  p.holdings = BuildHoldingsPanel(p.page);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(p.clear);
  buttons->addWidget(p.save);
  buttons->addSpacing(20);
  buttons->addWidget(p.show_oscillators);
  buttons->addSpacing(20);
  buttons->addWidget(p.edit_holdings);
  buttons->addWidget(p.profit_and_loss);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(p.page);
  layout->addLayout(buttons);
  layout->addWidget(p.text, 1);
  layout->addWidget(p.holdings.panel);
  return p;
}

QString StatisticsForDisplay(const std::string& core_text) {
  QStringList lines;
  for (const std::string& line : varnolt::SplitLines(core_text))
    lines << QString::fromStdString(line);
  return lines.join('\n');
}

std::string StatisticsForCore(const QString& shown_text) {
  if (shown_text.isEmpty()) return {};
  return varnolt::JoinLines(varnolt::SplitLines(shown_text.toStdString()));
}
