// The commands of the basic settings pages and the chart image: the price chart display,
// region clears, undo and the window resize.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <exception>
#include <optional>
#include <utility>

#include "app/chart_image.h"
#include "app/control_bridge.h"
#include "app/radio_group.h"
#include "app/signal_page.h"
#include "app/tf_main.h"
#include "base/file_error.h"
#include "base/numbers.h"
#include "chart/display_command.h"
#include "chart/region_map.h"
#include "qtcanvas/qimage_canvas.h"

void TfMain::ConnectBasicSettingsPage(const BasicSettingsPage& page, int data_number) {
  const bool first = data_number == 1;
  connect(page.show, &QPushButton::clicked, this,
          first ? &TfMain::buShow1Click : &TfMain::buShow2Click);
  connect(page.clear, &QPushButton::clicked, this,
          first ? &TfMain::Button4Click : &TfMain::Button17Click);
  connect(page.automatic, &QCheckBox::toggled, this,
          first ? &TfMain::cbauto1Click : &TfMain::cbauto2Click);
  connect(page.calendar, &QCheckBox::clicked, this,
          first ? &TfMain::cbcalenClick : &TfMain::cbcalen2Click);
  for (QLineEdit* box : {page.upper, page.lower, page.margin, page.from, page.to}) {
    connect(box, &QLineEdit::textChanged, this, first ? &TfMain::edUPChange : &TfMain::edUP2Change);
  }
}

void TfMain::buShow1Click() {
  ShowPriceChart(1);
}
void TfMain::buShow2Click() {
  ShowPriceChart(2);
}

bool TfMain::ShowPriceChart(int data_number) {
  const bool zoom = std::exchange(next_display_is_zoom_, false);
  if (showing_price_chart_) return false;
  showing_price_chart_ = true;
  TakeUndoSnapshot();
  Guarded([&] {
    varnolt::QImageCanvas canvas(chart_->image());
    const varnolt::DisplayOutcome outcome = varnolt::RunDisplayCommand(
        DataOf(data_number), data_number, ReadControls(), folder_, canvas, zoom);
    chart_->update();
    if (!outcome.message.empty()) {
      warn(QString::fromStdString(outcome.message));
      return;
    }
    // The boxes change without the edits that would mark the chart as stale again.
    WriteControlValues(*this, outcome.written, true);

    pages_->setCurrentWidget(chart_page_);
    AfterDisplay(data_number);
  });
  showing_price_chart_ = false;
  return DataOf(data_number).chart_shown;
}

bool TfMain::ShowPriceChartWithoutSnapshot(int data_number) {
  const bool suppressed = snapshots_suppressed_;
  snapshots_suppressed_ = true;
  const bool shown = ShowPriceChart(data_number);
  snapshots_suppressed_ = suppressed;
  return shown;
}

void TfMain::AfterDisplay(int data_number) {
  signal_page_->ShowSignals(DataOf(data_number), data_number, ReadControls(), today_(),
                            chart_->image(), *statistics_);
  chart_->update();
}

void TfMain::Button4Click() {
  ClearRegions(*basic1_.from, *basic1_.to);
}
void TfMain::Button17Click() {
  ClearRegions(*basic2_.from, *basic2_.to);
}

void TfMain::ClearRegions(const QLineEdit& from_box, const QLineEdit& to_box) {
  TakeUndoSnapshot();
  Guarded([&] {
    const auto [from, to] =
        varnolt::ReadRegionBoxes(from_box.text().toStdString(), to_box.text().toStdString());
    QImage& image = chart_->image();
    varnolt::QImageCanvas canvas(image);
    canvas.SetBrush(varnolt::kWhite);
    // No range check: a range beyond the image is cut to it.
    canvas.FillRect(0, varnolt::RegionTop(image.height(), to), image.width(),
                    varnolt::RegionBottom(image.height(), from));
    chart_->update();
  });
}

void TfMain::cbauto1Click() {
  ApplyAutomaticScale(basic1_);
}
void TfMain::cbauto2Click() {
  ApplyAutomaticScale(basic2_);
}

void TfMain::cbcalenClick() {
  CalendarClick(basic1_, 1);
}
void TfMain::cbcalen2Click() {
  CalendarClick(basic2_, 2);
}

void TfMain::CalendarClick(const BasicSettingsPage& page, int data_number) {
  varnolt::DataSet& data_set = DataOf(data_number);
  data_set.chart_shown = false;
  // Calendar spacing exists for daily bars only: the loaded bars' unit decides, or before any
  // load the unit chosen on the selection page.
  const RadioGroup& unit = *(data_number == 2 ? selection2_ : selection1_).unit;
  const bool daily =
      data_set.loaded ? data_set.unit == varnolt::DataUnit::kDay : unit.itemIndex() == 0;
  if (!daily) page.calendar->setChecked(false);
}

void TfMain::edUPChange() {
  data1_.chart_shown = false;
}
void TfMain::edUP2Change() {
  data2_.chart_shown = false;
}

void TfMain::TakeUndoSnapshot() {
  undo_->setEnabled(true);
  if (!snapshots_suppressed_) QGuiApplication::clipboard()->setImage(chart_->image());
}

void TfMain::mUndoClick() {
  if (!undo_->isEnabled()) return;  // one undo per snapshot
  const QImage saved = QGuiApplication::clipboard()->image();
  if (saved.isNull()) return;
  chart_->Restore(saved);
  undo_->setEnabled(false);
}

void TfMain::FormResize() {
  // Every page of the tab control shares one client area; the current page has its up-to-date
  // size even when the chart page has not been shown since the last resize.
  data1_.chart_shown = false;
  data2_.chart_shown = false;
  drag_.Forget();  // its figures go with the old image
  chart_->Reset(pages_->currentWidget()->size());
}
