#include "app/basic_settings_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QLineEdit* NumberBox(const char* name, const char* text, QWidget* parent) {
  auto* box = Named(new QLineEdit(text, parent), name);
  box->setFixedWidth(100);
  return box;
}

QCheckBox* CheckBox(const char* name, const char* caption, bool checked, QWidget* parent) {
  auto* box = Named(new QCheckBox(caption, parent), name);
  box->setChecked(checked);
  return box;
}

}  // namespace

BasicSettingsPage BuildBasicSettingsPage(const BasicSettingsNames& names, QWidget* parent) {
  BasicSettingsPage p;
  p.page = new QWidget(parent);

  auto* scale = new QGroupBox(p.page);
  p.automatic = CheckBox(names.automatic, "自動設定", true, scale);
  p.upper = NumberBox(names.upper, "", scale);
  p.lower = NumberBox(names.lower, "", scale);
  p.interval = NumberBox(names.interval, "", scale);
  p.auxiliary = CheckBox(names.auxiliary, "補助線", true, scale);
  auto* scale_layout = new QGridLayout(scale);
  scale_layout->addWidget(p.automatic, 0, 0, 1, 2);
  scale_layout->addWidget(new QLabel("上限", scale), 1, 0);
  scale_layout->addWidget(p.upper, 1, 1);
  scale_layout->addWidget(new QLabel("下限", scale), 2, 0);
  scale_layout->addWidget(p.lower, 2, 1);
  scale_layout->addWidget(new QLabel("目盛幅", scale), 3, 0);
  scale_layout->addWidget(p.interval, 3, 1);
  scale_layout->addWidget(p.auxiliary, 4, 0, 1, 2);
  scale_layout->setColumnStretch(2, 1);

  auto* area = new QGroupBox(p.page);
  p.margin = NumberBox(names.margin, "10", area);
  p.from = NumberBox(names.from, "1", area);
  p.to = NumberBox(names.to, "10", area);
  p.from->setFixedWidth(50);
  p.to->setFixedWidth(50);
  p.clear = Named(new QPushButton("領域クリア", area), names.clear);
  p.calendar = CheckBox(names.calendar, "暦日", false, area);
  auto* area_layout = new QGridLayout(area);
  area_layout->addWidget(new QLabel("右余白", area), 0, 0);
  area_layout->addWidget(p.margin, 0, 1, 1, 3);
  area_layout->addWidget(new QLabel("表示領域(1-10)", area), 1, 0);
  area_layout->addWidget(p.from, 1, 1);
  area_layout->addWidget(new QLabel("～", area), 1, 2);
  area_layout->addWidget(p.to, 1, 3);
  area_layout->addWidget(p.clear, 1, 4);
  area_layout->addWidget(p.calendar, 2, 0, 1, 4);
  area_layout->setColumnStretch(5, 1);

  auto* type = new QGroupBox(p.page);
  p.candles = Named(new QRadioButton("ﾛｰｿｸ足", type), names.candles);
  p.close_bars = Named(new QRadioButton("終値足", type), names.close_bars);
  p.close_line = Named(new QRadioButton("終値折線", type), names.close_line);
  p.candles->setChecked(true);
  auto* type_layout = new QHBoxLayout(type);
  type_layout->addWidget(p.candles);
  type_layout->addWidget(p.close_bars);
  type_layout->addWidget(p.close_line);
  type_layout->addStretch();

  p.show = Named(new QPushButton("表示", p.page), names.show);
  p.show->setMinimumWidth(120);

  auto* column = new QVBoxLayout;
  column->addWidget(scale);
  column->addWidget(area);
  column->addWidget(type);
  column->addWidget(p.show, 0, Qt::AlignLeft);
  column->addStretch();
  auto* layout = new QHBoxLayout(p.page);
  layout->addLayout(column);
  layout->addStretch(1);

  ApplyAutomaticScale(p);
  return p;
}

void ApplyAutomaticScale(const BasicSettingsPage& page) {
  const bool automatic = page.automatic->isChecked();
  page.upper->setReadOnly(automatic);
  page.lower->setReadOnly(automatic);
  page.interval->setReadOnly(automatic);
}
