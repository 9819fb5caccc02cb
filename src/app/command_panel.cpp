#include "app/command_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/parameter_form.h"

CommandPanel BuildCommandPanel(const QString& title, const CommandPanelNames& names,
                               const QStringList& items, QWidget* parent) {
  CommandPanel p;
  p.box = new QGroupBox(title, parent);
  p.list = new QComboBox(p.box);
  p.list->setObjectName(names.list);
  p.list->addItems(items);
  p.list->setCurrentIndex(0);
  p.list->setMinimumWidth(220);
  p.from = ParameterBox(names.from, p.box);
  p.to = ParameterBox(names.to, p.box);
  p.from->setFixedWidth(50);
  p.to->setFixedWidth(50);
  p.clear = new QPushButton("クリア", p.box);
  p.clear->setObjectName(names.clear);
  p.show = new QPushButton("表示", p.box);
  p.show->setObjectName(names.show);
  p.show->setMinimumWidth(120);

  auto* layout = new QGridLayout(p.box);
  layout->addWidget(p.list, 0, 0, 1, 5);
  layout->addWidget(new QLabel("表示領域(1-10)", p.box), 1, 0);
  layout->addWidget(p.from, 1, 1);
  layout->addWidget(new QLabel("～", p.box), 1, 2);
  layout->addWidget(p.to, 1, 3);
  layout->addWidget(p.clear, 1, 4);
  layout->addWidget(p.show, 2, 0, Qt::AlignLeft);
  layout->setColumnStretch(5, 1);
  return p;
}

QStringList IndicatorItemLabels(varnolt::Pane pane) {
  QStringList labels;
  for (int index = 0; index < varnolt::ListItemCount(pane); ++index) {
    const varnolt::PaneItem* item = varnolt::FindListItem(pane, index);
    labels << (item ? QString::fromUtf8(item->label.data(),
                                        static_cast<qsizetype>(item->label.size()))
                    : QString());
  }
  return labels;
}
