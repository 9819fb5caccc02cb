#include "app/oscillator_page.h"

#include <QGroupBox>
#include <QVBoxLayout>

OscillatorPage BuildOscillatorPage(QWidget* parent) {
  OscillatorPage p;
  p.page = new QWidget(parent);
  const QStringList items = IndicatorItemLabels(varnolt::Pane::kOscillator);
  p.data1 = BuildCommandPanel("データ１", {"cbos1", "edov1", "edov2", "Button13", "BuOs1"}, items,
                              p.page);
  p.data2 = BuildCommandPanel("データ２", {"cbos2", "ed2ov1", "ed2ov2", "Button15", "buOs2"}, items,
                              p.page);

  auto* column = new QVBoxLayout;
  column->addWidget(p.data1.box);
  column->addWidget(p.data2.box);
  column->addStretch();
  auto* layout = new QHBoxLayout(p.page);
  layout->addLayout(column);
  layout->addStretch(1);
  return p;
}
