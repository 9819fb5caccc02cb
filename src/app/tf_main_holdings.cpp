// The holdings ledger on the statistics page, and the memo window's menu command.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <exception>

#include "app/radio_group.h"
#include "app/statistics_page.h"
#include "app/tf_main.h"
#include "app/tf_memo.h"
#include "base/messages.h"
#include "simulation/holdings_ledger.h"
#include "store/catalogue.h"
#include "store/memo_file.h"

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

varnolt::HoldingFields ReadEdits(const HoldingsPanel& p) {
  return {p.date->text().toStdString(), p.code->text().toStdString(), p.price->text().toStdString(),
          p.bought->text().toStdString(), p.adjusted->text().toStdString()};
}

// The selected line, or nullptr when none is selected.
QListWidgetItem* SelectedLine(const HoldingsPanel& p) {
  const int row = p.list->currentRow();
  return row >= 0 && p.list->item(row)->isSelected() ? p.list->item(row) : nullptr;
}

}  // namespace

void TfMain::ConnectHoldingsPanel(QCheckBox* edit, QPushButton* profit_and_loss) {
  connect(edit, &QCheckBox::clicked, this, &TfMain::CheckBox1Click);
  connect(profit_and_loss, &QPushButton::clicked, this, &TfMain::Button66Click);
  connect(holdings_.add, &QPushButton::clicked, this, &TfMain::Button64Click);
  connect(holdings_.modify, &QCheckBox::toggled, this, &TfMain::cbmodifyClick);
  connect(holdings_.list, &QListWidget::itemClicked, this, &TfMain::lbpossessClick);
  connect(holdings_.bought, &QLineEdit::textChanged, this, &TfMain::pquantityChange);
  connect(holdings_.adjusted, &QLineEdit::textChanged, this, &TfMain::pquantityChange);
  connect(holdings_.remove, &QPushButton::clicked, this, &TfMain::Button67Click);
  connect(holdings_.chart, &QPushButton::clicked, this, &TfMain::Button65Click);
}

void TfMain::LoadHoldingsList() {
  holdings_.list->clear();
  try {
    for (const std::string& line : varnolt::LoadHoldings(folder_))
      holdings_.list->addItem(FromUtf8(line));
  } catch (const std::exception& error) {
    holdings_unreadable_ = true;
    // Told once the window is up rather than in the middle of its creation.
    const QString message = QString::fromUtf8(error.what());
    QTimer::singleShot(0, this, [this, message] { warn(message); });
  }
}

void TfMain::SaveHoldingsList() {
  if (holdings_unreadable_) return;
  Guarded([this] {
    varnolt::Lines lines;
    for (int i = 0; i < holdings_.list->count(); ++i)
      lines.push_back(holdings_.list->item(i)->text().toStdString());
    varnolt::SaveHoldings(folder_, lines);
  });
}

void TfMain::CheckBox1Click() {
  const auto* edit = findChild<QCheckBox*>("CheckBox1");
  holdings_.panel->setVisible(edit->isChecked());
}

void TfMain::Button64Click() {
  if (holdings_.modify->isChecked()) return;
  const auto fields = varnolt::NewHolding(ReadEdits(holdings_));
  if (!fields) return;
  holdings_.adjusted->setText(FromUtf8(fields->adjusted_shares));
  holdings_.list->addItem(FromUtf8(varnolt::HoldingLine(*fields)));
}

void TfMain::FillHoldingEdits(const QString& line) {
  const varnolt::HoldingFields fields = varnolt::ParseHoldingLine(line.toStdString());
  filling_holding_edits_ = true;
  holdings_.date->setText(FromUtf8(fields.date));
  holdings_.code->setText(FromUtf8(fields.code));
  holdings_.price->setText(FromUtf8(fields.price));
  holdings_.bought->setText(FromUtf8(fields.shares_bought));
  holdings_.adjusted->setText(FromUtf8(fields.adjusted_shares));
  filling_holding_edits_ = false;
}

void TfMain::cbmodifyClick() {
  const bool modifying = holdings_.modify->isChecked();
  holdings_.add->setEnabled(!modifying);
  for (QLineEdit* edit : {holdings_.date, holdings_.code, holdings_.price})
    edit->setReadOnly(modifying);
  if (!modifying) return;
  if (const QListWidgetItem* line = SelectedLine(holdings_)) FillHoldingEdits(line->text());
}

void TfMain::lbpossessClick() {
  if (!holdings_.modify->isChecked()) return;
  if (const QListWidgetItem* line = SelectedLine(holdings_)) FillHoldingEdits(line->text());
}

void TfMain::pquantityChange() {
  if (!holdings_.modify->isChecked() || filling_holding_edits_) return;
  QListWidgetItem* line = SelectedLine(holdings_);
  if (line == nullptr) {
    warn(FromUtf8(varnolt::kSelectHoldingToModify));
    return;
  }
  // The edit keeps what the user is typing; only the line takes the fallback count.
  if (const auto fields = varnolt::ModifiedHolding(ReadEdits(holdings_)))
    line->setText(FromUtf8(varnolt::HoldingLine(*fields)));
}

void TfMain::Button67Click() {
  if (const QListWidgetItem* line = SelectedLine(holdings_)) delete line;
}

void TfMain::Button65Click() {
  const QListWidgetItem* line = SelectedLine(holdings_);
  if (line == nullptr) {
    warn(FromUtf8(varnolt::kSelectHoldingToChart));
    return;
  }
  const int data_number = holdings_.data->itemIndex() == 1 ? 2 : 1;
  DataSelectionPage& page = data_number == 2 ? selection2_ : selection1_;
  page.code->setEditText(FromUtf8(varnolt::ParseHoldingLine(line->text().toStdString()).code));
  Load(page, DataOf(data_number), data_number);
  if (!DataOf(data_number).loaded) return;
  if (data_number == 2) {
    Button17Click();
    buShow2Click();
  } else {
    Button4Click();
    buShow1Click();
  }
}

void TfMain::Button66Click() {
  Guarded([this] {
    varnolt::Lines holdings;
    for (int i = 0; i < holdings_.list->count(); ++i)
      holdings.push_back(holdings_.list->item(i)->text().toStdString());
    const varnolt::Lines report = varnolt::ProfitAndLossReport(folder_, holdings, today_());
    QTextCursor end(statistics_->document());
    end.movePosition(QTextCursor::End);
    if (!statistics_->document()->isEmpty()) end.insertText("\n");
    end.insertText(StatisticsForDisplay(varnolt::JoinLines(report)));
  });
}

void TfMain::mMemoClick() {
  if (memo_ == nullptr) return;
  const std::string typed = selection1_.code->currentText().toStdString();
  const std::string key = varnolt::MemoKey(typed);
  if (!key.empty()) {
    // The memo window names its stock by the catalogue's list item where there is one.
    QString item = FromUtf8(typed);
    try {
      const auto catalogue = varnolt::LoadCatalogueShared(folder_.Root());
      if (const auto record = varnolt::FindRecordByCode(*catalogue, key))
        item = FromUtf8(varnolt::ListItem(*catalogue, *record));
    } catch (const std::exception&) {
      // Without a catalogue the typed text names the stock.
    }
    const auto* shown = memo_->findChild<QLineEdit*>("memocode");
    if (shown->text() != item) memo_->SelectStock(item);
  }
  memo_->show();
  memo_->raise();
  memo_->activateWindow();
}
