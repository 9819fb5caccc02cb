#include "app/title_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TitlePage BuildTitlePage(QWidget* parent) {
  TitlePage title;
  title.page = new QWidget(parent);
  title.page->setObjectName("tsfuji");

  title.title = new QLabel(title.page);
  title.title->setObjectName("lbtitle");
  title.title->setAlignment(Qt::AlignCenter);
  QFont font = title.title->font();
  font.setPointSize(40);
  font.setBold(true);
  title.title->setFont(font);

  title.progress = new QGroupBox("進行状況", title.page);
  title.progress->setObjectName("gbgoing");
  title.progress->setFixedWidth(420);
  title.status = new QLabel(title.progress);
  title.status->setObjectName("lbl");
  title.status->setAlignment(Qt::AlignCenter);
  title.detail = new QLineEdit(title.progress);
  title.detail->setObjectName("edfuji");
  title.detail->setReadOnly(true);
  auto* panel = new QVBoxLayout(title.progress);
  panel->addWidget(title.status);
  panel->addWidget(title.detail);
  title.progress->hide();

  auto* layout = new QVBoxLayout(title.page);
  layout->addStretch(2);
  layout->addWidget(title.title);
  layout->addSpacing(24);
  layout->addWidget(title.progress, 0, Qt::AlignHCenter);
  layout->addStretch(3);
  return title;
}
