#include "app/trend_page.h"

#include <QGroupBox>
#include <QVBoxLayout>

TrendPage BuildTrendPage(QWidget* parent) {
  TrendPage p;
  p.page = new QWidget(parent);
  const QStringList items = IndicatorItemLabels(varnolt::Pane::kTrend);
  p.data1 = BuildCommandPanel("データ１", {"cbchart1", "edcv1", "edcv2", "Button2", "buChart1"},
                              items, p.page);
  p.data2 = BuildCommandPanel("データ２", {"cbchart2", "ed2cv1", "ed2cv2", "Button6", "buCHart2"},
                              items, p.page);

  auto* column = new QVBoxLayout;
  column->addWidget(p.data1.box);
  column->addWidget(p.data2.box);
  column->addStretch();
  auto* layout = new QHBoxLayout(p.page);
  layout->addLayout(column);
  layout->addStretch(1);
  return p;
}
