// The commands of the pages "ﾁｬｰﾄ" and "ｵｼﾚｰﾀｰ": an indicator over a data set's chart, and the
// region clears of the two pages.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <exception>
#include <string>

#include "app/chart_image.h"
#include "app/control_bridge.h"
#include "app/statistics_page.h"
#include "app/tf_main.h"
#include "qtcanvas/qimage_canvas.h"

void TfMain::ConnectIndicatorPages() {
  connect(trend_.data1.show, &QPushButton::clicked, this, &TfMain::buChart1Click);
  connect(trend_.data2.show, &QPushButton::clicked, this, &TfMain::buCHart2Click);
  connect(trend_.data1.clear, &QPushButton::clicked, this, &TfMain::Button2Click);
  connect(trend_.data2.clear, &QPushButton::clicked, this, &TfMain::Button6Click);
  connect(oscillator_.data1.show, &QPushButton::clicked, this, &TfMain::BuOs1Click);
  connect(oscillator_.data2.show, &QPushButton::clicked, this, &TfMain::buOs2Click);
  connect(oscillator_.data1.clear, &QPushButton::clicked, this, &TfMain::Button13Click);
  connect(oscillator_.data2.clear, &QPushButton::clicked, this, &TfMain::Button15Click);
}

void TfMain::buChart1Click() {
  RunIndicatorCommand(1, varnolt::RunTrendCommand);
}
void TfMain::buCHart2Click() {
  RunIndicatorCommand(2, varnolt::RunTrendCommand);
}
void TfMain::BuOs1Click() {
  RunIndicatorCommand(1, varnolt::RunOscillatorCommand);
}
void TfMain::buOs2Click() {
  RunIndicatorCommand(2, varnolt::RunOscillatorCommand);
}

void TfMain::Button2Click() {
  ClearRegions(*trend_.data1.from, *trend_.data1.to);
}
void TfMain::Button6Click() {
  ClearRegions(*trend_.data2.from, *trend_.data2.to);
}
void TfMain::Button13Click() {
  ClearRegions(*oscillator_.data1.from, *oscillator_.data1.to);
}
void TfMain::Button15Click() {
  ClearRegions(*oscillator_.data2.from, *oscillator_.data2.to);
}

void TfMain::RunIndicatorCommand(int data_number, IndicatorCommand command) {
  TakeUndoSnapshot();
  varnolt::ControlValues controls = ReadControls();
  const QString statistics_before = statistics_->toPlainText();
  std::string statistics = StatisticsForCore(statistics_before);
  varnolt::QImageCanvas canvas(chart_->image());
  varnolt::IndicatorCommandEnvironment environment{DataOf(data_number),
                                                   controls,
                                                   canvas,
                                                   data_number,
                                                   statistics,
                                                   [&] {
                                                     // A replay sets the page's boxes first.
                                                     WriteControlValues(*this, controls, true);
                                                     const bool shown =
                                                         ShowPriceChartWithoutSnapshot(data_number);
                                                     // The display has written its scale into the
                                                     // boxes; the command goes on with it.
                                                     controls = ReadControls();
                                                     return shown;
                                                   },
                                                   &holidays_};

  varnolt::IndicatorCommandResult result;
  QString error;
  try {
    result = command(environment);
  } catch (const std::exception& failure) {
    error = QString::fromUtf8(failure.what());
  }

  // What the command got through stays: its drawing, its listing and the boxes it wrote.
  WriteControlValues(*this, controls, true);
  const QString statistics_after = StatisticsForDisplay(statistics);
  if (statistics_after != statistics_before) statistics_->setPlainText(statistics_after);
  chart_->update();
  if (!error.isEmpty()) {
    warn(error);
    return;
  }
  if (!result.message.empty()) warn(QString::fromStdString(result.message));
  if (result.drawn) pages_->setCurrentWidget(chart_page_);
}
