#include "app/readout_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "chart/pointer_readout.h"

QWidget* BuildReadoutPanel(QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName("pnReadout");
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(4, 2, 4, 2);
  grid->setVerticalSpacing(2);
  const char* const kHeadings[] = {"日付", "x", "y", "始値", "高値", "安値", "終値"};
  for (int column = 0; column < 7; ++column) {
    grid->addWidget(new QLabel(kHeadings[column], panel), 0, column + 1);
  }
  for (int data_number = 1; data_number <= 2; ++data_number) {
    grid->addWidget(new QLabel(data_number == 1 ? "（１）" : "（２）", panel), data_number, 0);
    const varnolt::ReadoutBoxNames& names = varnolt::ReadoutNamesOf(data_number);
    const char* const kBoxes[] = {names.date, names.offset, names.price, names.open,
                                  names.high, names.low,    names.close};
    for (int column = 0; column < 7; ++column) {
      auto* box = new QLineEdit(panel);
      box->setObjectName(kBoxes[column]);
      box->setReadOnly(true);
      box->setMaximumWidth(column == 0 ? 90 : 70);
      grid->addWidget(box, data_number, column + 1);
    }
  }
  grid->setColumnStretch(8, 1);
  return panel;
}
