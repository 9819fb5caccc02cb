#include "app/gann_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/radio_group.h"

namespace {

QLineEdit* Box(const char* name, const QString& text, QWidget* parent) {
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(name);
  return box;
}

QComboBox* List(const char* name, const QStringList& items, int selected, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->addItems(items);
  list->setCurrentIndex(selected);
  return list;
}

QStringList FractionItems(const QString& axis, bool with_none) {
  QStringList items;
  for (const char* fraction :
       {"1", "7/8", "3/4", "2/3", "5/8", "1/2", "3/8", "1/3", "1/4", "1/8", "0"}) {
    items << axis + ":   " + fraction;
  }
  if (with_none) items << "ﾅｼ";
  return items;
}

}  // namespace

GannPage BuildGannPage(QWidget* parent, std::vector<ColorChoice>& colors) {
  GannPage p;
  p.page = new QWidget(parent);
  p.data = new RadioGroup("ﾃﾞｰﾀ", {"1", "2"}, p.page);
  p.data->setObjectName("rggann");
  p.data->setItemIndex(0);
  p.date = Box("edGdat", "", p.page);
  p.high = Box("edghi", "", p.page);
  p.low = Box("edglo", "", p.page);
  p.unit = Box("edgpe", "1", p.page);
  p.reading = List("cbghi", {"価格/時間", "時間/価格"}, 0, p.page);
  p.divisions = List("cbgdiv", {"2分割", "4分割", "8分割"}, 1, p.page);
  p.line_kind = List("cbgl", {"2点間", "高値より", "安値より"}, 0, p.page);
  p.fractions[0] = List("cbg1", FractionItems("x", false), 10, p.page);
  p.fractions[1] = List("cbg2", FractionItems("y", false), 10, p.page);
  p.fractions[2] = List("cbg3", FractionItems("x", true), 0, p.page);
  p.fractions[3] = List("cbg4", FractionItems("y", true), 0, p.page);
  p.grid = new QPushButton("表示", p.page);
  p.grid->setObjectName("Button5");
  p.lines = new QPushButton("ﾗｲﾝ", p.page);
  p.lines->setObjectName("Button14");
  p.copy = new QCheckBox("ダブル・クリックによるコピー", p.page);
  p.copy->setObjectName("cbgann");
  p.copy->setChecked(true);
  ParameterGroup color_group(QString(), p.page, colors);
  p.color = color_group.AddColor("１単位", "lbgann", "Button12");

  auto* grid = new QGridLayout;
  int row = 0;
  grid->addWidget(p.data, row++, 0, 1, 2);
  for (const auto& [caption, box] : {std::pair{"日付", p.date}, std::pair{"高値", p.high},
                                     std::pair{"安値", p.low}, std::pair{"１単位", p.unit}}) {
    grid->addWidget(new QLabel(caption, p.page), row, 0);
    grid->addWidget(box, row++, 1);
  }
  grid->addWidget(p.reading, row++, 1);
  grid->addWidget(p.divisions, row, 0);
  grid->addWidget(p.grid, row++, 1);
  grid->addWidget(p.line_kind, row, 0);
  grid->addWidget(p.lines, row++, 1);
  grid->addWidget(p.fractions[0], row, 0);
  grid->addWidget(p.fractions[1], row++, 1);
  grid->addWidget(p.fractions[2], row, 0);
  grid->addWidget(p.fractions[3], row++, 1);
  grid->addWidget(p.copy, row++, 0, 1, 2);
  grid->addWidget(color_group.box(), row++, 0, 1, 2);
  auto* column = new QVBoxLayout;
  column->addLayout(grid);
  column->addStretch();
  auto* layout = new QHBoxLayout(p.page);
  layout->addLayout(column);
  layout->addStretch(1);
  return p;
}

varnolt::GannBoxes ReadGannBoxes(const GannPage& page) {
  return {page.date->text().trimmed().toStdString(), page.high->text().trimmed().toStdString(),
          page.low->text().trimmed().toStdString(), page.unit->text().trimmed().toStdString(),
          page.reading->currentIndex() == 1};
}

int GannDivisions(const GannPage& page) {
  return 2 << std::max(page.divisions->currentIndex(), 0);
}
