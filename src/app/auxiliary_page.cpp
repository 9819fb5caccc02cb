#include "app/auxiliary_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <string>

#include "app/radio_group.h"

namespace {

QLineEdit* Box(const std::string& name, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromStdString(name));
  return box;
}

QComboBox* List(const char* name, const QStringList& items, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->addItems(items);
  list->setCurrentIndex(0);
  return list;
}

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

std::string Text(const QLineEdit* box) {
  return box->text().trimmed().toStdString();
}

}  // namespace

AuxiliaryPage BuildAuxiliaryPage(QWidget* parent) {
  AuxiliaryPage p;
  p.page = new QWidget(parent);
  auto* points = new QGroupBox("ポイント", p.page);
  auto* grid = new QGridLayout(points);
  grid->addWidget(new QLabel("日付", points), 0, 1);
  grid->addWidget(new QLabel("ｵﾌｾｯﾄ", points), 0, 2);
  grid->addWidget(new QLabel("価格", points), 0, 3);
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i + 1);
    grid->addWidget(new QLabel(QString::fromStdString("（" + n + "）"), points), i + 1, 0);
    p.date[i] = Box("edsdat" + n, points);
    p.offset[i] = Box("edsx" + n, points);
    p.price[i] = Box("edsy" + n, points);
    grid->addWidget(p.date[i], i + 1, 1);
    grid->addWidget(p.offset[i], i + 1, 2);
    grid->addWidget(p.price[i], i + 1, 3);
  }
  const std::pair<const char*, QLineEdit**> values[] = {
      {"（ａ）", &p.a}, {"（ｂ）", &p.b}, {"（ｃ）", &p.c}};
  int row = 4;
  for (const auto& [caption, box] : values) {
    *box = Box(row == 4 ? "edsa" : row == 5 ? "edsb" : "edsc", points);
    grid->addWidget(new QLabel(caption, points), row, 0);
    grid->addWidget(*box, row++, 1);
  }

  p.data = new RadioGroup("ﾃﾞｰﾀ", {"1", "2"}, p.page);
  p.data->setObjectName("rgs");
  p.data->setItemIndex(0);
  QStringList operations;
  for (const char* caption : varnolt::AuxiliaryOperationCaptions()) operations << caption;
  p.operation = List("cbss", operations, p.page);
  p.run = Button("Buss", "実行", p.page);

  auto* transfer = new QGroupBox("ダブル・クリック", p.page);
  auto* transfer_row = new QHBoxLayout(transfer);
  p.transfer_price = List("cbs1", {"なし", "始値", "高値", "安値", "終値"}, transfer);
  transfer_row->addWidget(p.transfer_price);
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i + 1);
    p.to_point[i] = new QRadioButton(QString::fromStdString("（" + n + "）"), transfer);
    p.to_point[i]->setObjectName(QString::fromStdString("rbss" + n));
    transfer_row->addWidget(p.to_point[i]);
  }
  p.to_point[0]->setChecked(true);
  p.transfer_line = List("cbs2", {"なし", "垂直", "水平", "十字"}, transfer);
  transfer_row->addWidget(p.transfer_line);

  auto* forecast = new QGroupBox("予測値の入力", p.page);
  auto* forecast_row = new QHBoxLayout(forecast);
  p.forecast[0] = Button("Button40", "ﾃﾞｰﾀ1", forecast);
  p.forecast[1] = Button("Button48", "ﾃﾞｰﾀ2", forecast);
  forecast_row->addWidget(p.forecast[0]);
  forecast_row->addWidget(p.forecast[1]);

  auto* command = new QHBoxLayout;
  command->addWidget(p.data);
  command->addWidget(p.operation);
  command->addWidget(p.run);
  command->addStretch();
  auto* column = new QVBoxLayout;
  column->addWidget(points);
  column->addLayout(command);
  column->addWidget(transfer);
  column->addWidget(forecast);
  column->addStretch();
  auto* layout = new QHBoxLayout(p.page);
  layout->addLayout(column);
  layout->addStretch(1);
  return p;
}

varnolt::AuxiliaryBoxes ReadAuxiliaryBoxes(const AuxiliaryPage& page) {
  varnolt::AuxiliaryBoxes boxes;
  for (int i = 0; i < 3; ++i) {
    boxes.date[i] = Text(page.date[i]);
    boxes.offset[i] = Text(page.offset[i]);
    boxes.price[i] = Text(page.price[i]);
  }
  boxes.a = Text(page.a);
  boxes.b = Text(page.b);
  boxes.c = Text(page.c);
  return boxes;
}

void WriteAuxiliaryBoxes(const AuxiliaryPage& page, const varnolt::AuxiliaryBoxes& boxes) {
  const auto set = [](QLineEdit* box, const std::string& text) {
    if (box->text().trimmed().toStdString() != text) box->setText(QString::fromStdString(text));
  };
  for (int i = 0; i < 3; ++i) {
    set(page.date[i], boxes.date[i]);
    set(page.offset[i], boxes.offset[i]);
    set(page.price[i], boxes.price[i]);
  }
  set(page.a, boxes.a);
  set(page.b, boxes.b);
  set(page.c, boxes.c);
}
