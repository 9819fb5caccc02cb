#include "app/auto_display_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

AutoDisplayPatterns AddPatterns(const QString& caption, const char* combo,
                                const char* const (&buttons)[3], QVBoxLayout& layout,
                                QWidget* parent) {
  auto* box = new QGroupBox(caption, parent);
  AutoDisplayPatterns p;
  p.patterns = new QComboBox(box);
  p.patterns->setObjectName(combo);
  p.patterns->setMinimumWidth(280);
  p.memorise = Button("記憶", buttons[0], box);
  p.replay = Button("表示", buttons[1], box);
  p.remove = Button("削除", buttons[2], box);
  auto* row = new QHBoxLayout(box);
  row->addWidget(p.patterns);
  row->addWidget(p.memorise);
  row->addWidget(p.replay);
  row->addWidget(p.remove);
  row->addStretch();
  layout.addWidget(box);
  return p;
}

}  // namespace

AutoDisplayPage BuildAutoDisplayPage(QWidget* parent) {
  AutoDisplayPage p;
  p.page = new QWidget(parent);
  p.page->setObjectName("tsauto");
  auto* layout = new QVBoxLayout(p.page);
  p.data1 =
      AddPatterns("データ１", "cbautodata1", {"Button41", "Button42", "Button43"}, *layout, p.page);
  p.data2 =
      AddPatterns("データ２", "cbautodata2", {"Button44", "Button45", "Button46"}, *layout, p.page);
  p.clear_all = Button("全面ｸﾘｱ", "Button47", p.page);
  layout->addWidget(p.clear_all, 0, Qt::AlignLeft);
  layout->addSpacing(24);

  auto* settings = new QGroupBox("設定", p.page);
  p.save = Button("全ての設定を保存", "buSave", settings);
  p.reset = Button("全ての設定を初期化", "Button50", settings);
  auto* row = new QHBoxLayout(settings);
  row->addWidget(p.save);
  row->addWidget(p.reset);
  row->addStretch();
  layout->addWidget(settings);
  layout->addStretch();
  return p;
}
