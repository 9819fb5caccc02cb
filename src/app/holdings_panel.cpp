#include "app/holdings_panel.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/radio_group.h"

namespace {

QLineEdit* Edit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  return edit;
}

QPushButton* Button(const QString& caption, QWidget* parent, const char* name) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

HoldingsPanel BuildHoldingsPanel(QWidget* parent) {
  HoldingsPanel p;
  auto* frame = new QFrame(parent);
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setObjectName("Panel7");
  p.panel = frame;
  p.list = new QListWidget(frame);
  p.list->setObjectName("lbpossess");
  p.date = Edit(frame, "pdate");
  p.code = Edit(frame, "pcode");
  p.price = Edit(frame, "pprice");
  p.bought = Edit(frame, "pquantity1");
  p.adjusted = Edit(frame, "pquantity2");
  p.add = Button("保有株追加", frame, "Button64");
  p.modify = new QCheckBox("修正ﾓｰﾄﾞ", frame);
  p.modify->setObjectName("cbmodify");
  p.remove = Button("削除", frame, "Button67");
  p.data = new RadioGroup("Data", {"1", "2"}, frame);
  p.data->setObjectName("rgdatasw");
  p.chart = Button("ﾁｬｰﾄ", frame, "Button65");

  auto* edits = new QGridLayout;
  const std::pair<const char*, QLineEdit*> fields[] = {{"日付", p.date},
                                                       {"銘柄ｺｰﾄﾞ", p.code},
                                                       {"株価", p.price},
                                                       {"購入株数", p.bought},
                                                       {"調整後株数", p.adjusted}};
  int row = 0;
  for (const auto& [caption, edit] : fields) {
    edits->addWidget(new QLabel(caption, frame), row, 0);
    edits->addWidget(edit, row, 1);
    ++row;
  }
  auto* commands = new QHBoxLayout;
  commands->addWidget(p.add);
  commands->addWidget(p.modify);
  commands->addWidget(p.remove);
  auto* chart = new QHBoxLayout;
  chart->addWidget(p.data);
  chart->addWidget(p.chart);
  auto* side = new QVBoxLayout;
  side->addLayout(edits);
  side->addLayout(commands);
  side->addLayout(chart);
  side->addStretch();

  auto* layout = new QHBoxLayout(frame);
  layout->addWidget(p.list, 1);
  layout->addLayout(side);
  frame->setFixedHeight(230);
  frame->hide();
  return p;
}
