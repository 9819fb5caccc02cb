#include "app/trend_page.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace {

// In the order of the trend command's item indices.
const QStringList kItems = {"移動平均（終値）", "移動平均（高値・安値）",
                            "一目均衡表",       "ボリンジャーバンド",
                            "パラボリック",     "新値足",
                            "練行足",           "カギ足（非時系列）",
                            "カギ足（時系列）", "Ｐ＆Ｆ"};

}  // namespace

TrendPage BuildTrendPage(QWidget* parent) {
  TrendPage p;
  p.page = new QWidget(parent);
  p.data1 = BuildCommandPanel("データ１", varnolt::DataSetNamesOf(1).trend, kItems, p.page);
  p.data2 = BuildCommandPanel("データ２", varnolt::DataSetNamesOf(2).trend, kItems, p.page);

  auto* column = new QVBoxLayout;
  column->addWidget(p.data1.box);
  column->addWidget(p.data2.box);
  column->addStretch();
  auto* layout = new QHBoxLayout(p.page);
  layout->addLayout(column);
  layout->addStretch(1);
  return p;
}
