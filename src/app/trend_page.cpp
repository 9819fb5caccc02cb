#include "app/trend_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit* RegionBox(const char* name, const char* text, QWidget* parent) {
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(name);
  box->setFixedWidth(50);
  return box;
}

}  // namespace

TrendPage BuildTrendPage(QWidget* parent) {
  TrendPage p;
  p.page = new QWidget(parent);
  p.from1 = RegionBox("edcv1", "1", p.page);
  p.to1 = RegionBox("edcv2", "10", p.page);
  p.from2 = RegionBox("ed2cv1", "1", p.page);
  p.to2 = RegionBox("ed2cv2", "10", p.page);

  auto* layout = new QGridLayout(p.page);
  layout->addWidget(new QLabel("（１）表示領域(1-10)", p.page), 0, 0);
  layout->addWidget(p.from1, 0, 1);
  layout->addWidget(p.to1, 0, 2);
  layout->addWidget(new QLabel("（２）表示領域(1-10)", p.page), 1, 0);
  layout->addWidget(p.from2, 1, 1);
  layout->addWidget(p.to2, 1, 2);
  layout->setColumnStretch(3, 1);
  layout->setRowStretch(2, 1);
  return p;
}
