// The commands of the pages "データ選択（１）" and "データ選択（２）".
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <algorithm>

#include "app/bar_list_model.h"
#include "app/radio_group.h"
#include "app/statistics_page.h"
#include "app/tf_main.h"
#include "app/tfsub2.h"
#include "base/text_file.h"
#include "series/series_loader.h"

namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

varnolt::DataUnit SelectedUnit(const DataSelectionPage& page) {
  return static_cast<varnolt::DataUnit>(std::clamp(page.unit->itemIndex(), 0, 4));
}

// The report's CR LF line ends become the text box's own line breaks.
}  // namespace

void TfMain::ConnectSelectionPage(DataSelectionPage& page, int data_number) {
  const bool first = data_number == 1;
  connect(page.select, &QPushButton::clicked, this,
          first ? &TfMain::buselectClick : &TfMain::buselect2Click);
  connect(page.start, &QLineEdit::textChanged, this,
          first ? &TfMain::cbdataChange : &TfMain::cbdata2Change);
  connect(page.end, &QLineEdit::textChanged, this,
          first ? &TfMain::cbdataChange : &TfMain::cbdata2Change);
  connect(page.end_after_units, &QPushButton::clicked, this,
          first ? &TfMain::Button7Click : &TfMain::Button20Click);
  connect(page.later, &QPushButton::clicked, this,
          first ? &TfMain::Button9Click : &TfMain::Button22Click);
  connect(page.earlier, &QPushButton::clicked, this,
          first ? &TfMain::Button8Click : &TfMain::Button21Click);
  connect(page.copy_dates, &QPushButton::clicked, this,
          first ? &TfMain::Button49Click : &TfMain::Button51Click);
  connect(page.browse, &QPushButton::clicked, this,
          first ? &TfMain::Button39Click : &TfMain::Button58Click);
}

void TfMain::Load(DataSelectionPage& page, varnolt::DataSet& data_set, int data_number) {
  page.select->setEnabled(false);
  Guarded([&] {
    varnolt::LoadRequest request;
    request.start = page.start->text().toStdString();
    request.end = page.end->text().toStdString();
    request.code_or_name = page.code->currentText().toStdString();
    request.unit = SelectedUnit(page);
    request.adjust = page.adjust->isChecked();
    const varnolt::LoadOutcome outcome = varnolt::LoadDataSet(data_set, request, folder_, today_());

    if (outcome.code_box) page.code->setEditText(FromUtf8(*outcome.code_box));
    // Rewriting the date boxes raises their change signal, which clears the loaded flag; the
    // load's own verdict is put back afterwards.
    const bool loaded = data_set.loaded;
    if (outcome.start_box) page.start->setText(FromUtf8(*outcome.start_box));
    if (outcome.end_box) page.end->setText(FromUtf8(*outcome.end_box));
    data_set.loaded = loaded;
    if (outcome.report) statistics_->setPlainText(StatisticsForDisplay(*outcome.report));
    if (outcome.relist) {
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      page.lines->ShowLoaded(data_set);
    }
    if (outcome.clear_readouts) ClearReadouts(data_number);
    if (!outcome.message.empty()) warn(FromUtf8(outcome.message));
  });
  page.select->setEnabled(true);
}

void TfMain::ApplyDateCommand(DataSelectionPage& page, DateCommand command,
                              const QLineEdit* count) {
  const varnolt::DateBoxes boxes{page.start->text().toStdString(), page.end->text().toStdString(),
                                 ""};
  const varnolt::DateBoxes result = command(boxes, count->text().toStdString(), SelectedUnit(page));
  if (!result.message.empty()) {
    warn(FromUtf8(result.message));
    return;
  }
  page.start->setText(FromUtf8(result.start));
  page.end->setText(FromUtf8(result.end));
}

void TfMain::buselectClick() {
  Load(selection1_, data1_, 1);
}
void TfMain::buselect2Click() {
  Load(selection2_, data2_, 2);
}

void TfMain::cbdataChange() {
  data1_.loaded = false;
}
void TfMain::cbdata2Change() {
  data2_.loaded = false;
}

void TfMain::Button7Click() {
  ApplyDateCommand(selection1_, varnolt::EndAfterUnits, selection1_.units);
}
void TfMain::Button9Click() {
  ApplyDateCommand(selection1_, varnolt::ShiftLater, selection1_.shift);
}
void TfMain::Button8Click() {
  ApplyDateCommand(selection1_, varnolt::ShiftEarlier, selection1_.shift);
}
void TfMain::Button20Click() {
  ApplyDateCommand(selection2_, varnolt::EndAfterUnits, selection2_.units);
}
void TfMain::Button22Click() {
  ApplyDateCommand(selection2_, varnolt::ShiftLater, selection2_.shift);
}
void TfMain::Button21Click() {
  ApplyDateCommand(selection2_, varnolt::ShiftEarlier, selection2_.shift);
}

void TfMain::Button49Click() {
  selection1_.start->setText(selection2_.start->text());
  selection1_.end->setText(selection2_.end->text());
}

void TfMain::Button51Click() {
  selection2_.start->setText(selection1_.start->text());
  selection2_.end->setText(selection1_.end->text());
}

void TfMain::Button39Click() {
  if (browser_ != nullptr) browser_->ShowFor(1);
}

void TfMain::Button58Click() {
  if (browser_ != nullptr) browser_->ShowFor(2);
}
