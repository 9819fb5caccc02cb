#include "app/data_selection_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/bar_list_model.h"
#include "app/radio_group.h"

namespace {

// The list lines are formatted in fixed columns; a CJK monospace font keeps the column caption,
// whose Japanese characters take two columns each, in line with the numbers.
QFont ListFont() {
  QFont font;
  font.setFamilies({"Noto Sans Mono CJK JP", "DejaVu Sans Mono", "monospace"});
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

// Column caption over the list, padded to the widths of the list lines (8, then 9 per price).
constexpr const char* kListCaption =
    "    日付 ,      始値 ,      高値 ,      安値 ,      終値 , 出来高";

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QLineEdit* DateBox(const char* name, QWidget* parent) {
  auto* box = Named(new QLineEdit(parent), name);
  box->setMaxLength(8);
  box->setFixedWidth(110);
  return box;
}

QLineEdit* CountBox(const char* name, QWidget* parent) {
  auto* box = Named(new QLineEdit("100", parent), name);
  box->setFixedWidth(70);
  return box;
}

}  // namespace

DataSelectionPage BuildDataSelectionPage(const varnolt::SelectionPageNames& names,
                                         const char* copy_caption, QWidget* parent) {
  DataSelectionPage p;
  p.page = new QWidget(parent);

  p.code = Named(new QComboBox(p.page), names.code);
  p.code->setEditable(true);
  p.code->setInsertPolicy(QComboBox::NoInsert);
  p.start = DateBox(names.start, p.page);
  p.end = DateBox(names.end, p.page);
  p.unit = Named(new RadioGroup("データ単位", {"日足", "週足", "月足", "四半期足", "年足"}, p.page),
                 names.unit);
  p.adjust = Named(new QCheckBox("株式分割・併合の調整", p.page), names.adjust);
  p.adjust->setChecked(true);
  p.select = Named(new QPushButton("選択", p.page), names.select);

  auto* tools = new QGroupBox("補助計算", p.page);
  p.units = CountBox(names.units, tools);
  p.end_after_units = Named(new QPushButton("単位目の日", tools), names.end_after_units);
  p.earlier = Named(new QPushButton("←", tools), names.earlier);
  p.shift = CountBox(names.shift, tools);
  p.later = Named(new QPushButton("→", tools), names.later);
  auto* tools_layout = new QGridLayout(tools);
  tools_layout->addWidget(p.units, 0, 1);
  tools_layout->addWidget(p.end_after_units, 0, 2);
  tools_layout->addWidget(p.earlier, 1, 0);
  tools_layout->addWidget(p.shift, 1, 1);
  tools_layout->addWidget(p.later, 1, 2);
  tools_layout->setColumnStretch(3, 1);

  p.copy_dates = Named(new QPushButton(copy_caption, p.page), names.copy_dates);
  p.browse = Named(new QPushButton("銘柄一覧表示", p.page), names.browse);

  auto* dates = new QGridLayout;
  dates->addWidget(p.start, 0, 0);
  dates->addWidget(new QLabel("日から", p.page), 0, 1);
  dates->addWidget(p.end, 1, 0);
  dates->addWidget(new QLabel("日まで", p.page), 1, 1);
  dates->setColumnStretch(2, 1);

  auto* controls = new QVBoxLayout;
  controls->addWidget(new QLabel("銘柄コード・銘柄名", p.page));
  controls->addWidget(p.code);
  controls->addWidget(p.browse);
  controls->addLayout(dates);
  controls->addWidget(p.unit);
  controls->addWidget(p.adjust);
  controls->addWidget(p.select);
  controls->addWidget(tools);
  controls->addWidget(p.copy_dates);
  controls->addStretch();

  const QFont list_font = ListFont();
  auto* caption = new QLabel(kListCaption, p.page);
  caption->setFont(list_font);
  p.list = Named(new QListView(p.page), names.list);
  p.lines = new BarListModel(p.list);
  p.list->setModel(p.lines);
  p.list->setFont(list_font);
  p.list->setUniformItemSizes(true);

  auto* listing = new QVBoxLayout;
  listing->addWidget(caption);
  listing->addWidget(p.list, 1);

  auto* layout = new QHBoxLayout(p.page);
  layout->addLayout(controls);
  layout->addLayout(listing, 1);
  return p;
}
