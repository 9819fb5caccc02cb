#include "app/trend_page.h"

#include <QGroupBox>
#include <QVBoxLayout>

TrendPage BuildTrendPage(QWidget* parent) {
  TrendPage p;
  p.page = new QWidget(parent);
  const QStringList items = IndicatorItemLabels(varnolt::Pane::kTrend);
  p.data1 = BuildCommandPanel("データ１", varnolt::DataSetNamesOf(1).trend, items, p.page);
  p.data2 = BuildCommandPanel("データ２", varnolt::DataSetNamesOf(2).trend, items, p.page);

  auto* column = new QVBoxLayout;
  column->addWidget(p.data1.box);
  column->addWidget(p.data2.box);
  column->addStretch();
  auto* layout = new QHBoxLayout(p.page);
  layout->addLayout(column);
  layout->addStretch(1);
  return p;
}
