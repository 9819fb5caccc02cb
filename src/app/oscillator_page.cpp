#include "app/oscillator_page.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace {

// In the order of the oscillator command's item indices.
const QStringList kItems = {"ＲＳＩ",    "ＲＣＩ",           "ﾃﾞｨﾚｸｼｮﾅﾙ･ﾑｰﾌﾞﾒﾝﾄ", "出来高",
                            "ｽﾄｷｬｽﾃｨｸｽ", "％Ｒｵｼﾚｰﾀｰ",       "ｻｲｺﾛｼﾞｶﾙﾗｲﾝ",       "ＯＢＶ",
                            "ＭＡＣＤ",  "移動平均線乖離率", "逆ウォッチ曲線"};

}  // namespace

OscillatorPage BuildOscillatorPage(QWidget* parent) {
  OscillatorPage p;
  p.page = new QWidget(parent);
  p.data1 = BuildCommandPanel("データ１", varnolt::DataSetNamesOf(1).oscillator, kItems, p.page);
  p.data2 = BuildCommandPanel("データ２", varnolt::DataSetNamesOf(2).oscillator, kItems, p.page);

  auto* column = new QVBoxLayout;
  column->addWidget(p.data1.box);
  column->addWidget(p.data2.box);
  column->addStretch();
  auto* layout = new QHBoxLayout(p.page);
  layout->addLayout(column);
  layout->addStretch(1);
  return p;
}
