// The screening panel of the stock browser: the condition lists, their files and the run.
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

#include "app/radio_group.h"
#include "app/tf_main.h"
#include "app/tfsub2.h"
#include "app/tfsub2_job.h"
#include "base/controls.h"
#include "base/messages.h"
#include "screening/condition_catalogue.h"
#include "screening/condition_line.h"
#include "screening/condition_list.h"
#include "screening/condition_set_file.h"
#include "screening/stock_browser.h"
#include "store/catalogue.h"

namespace {

QStringList Items(const QListWidget& list) {
  QStringList items;
  for (int i = 0; i < list.count(); ++i) items << list.item(i)->text();
  return items;
}

void Replace(QListWidget& list, const QStringList& items) {
  list.clear();
  list.addItems(items);
}

// The progress bar shows stocks done of stocks listed, updated in thousandths of the run so
// that a long list does not flood the window with updates.
constexpr int kProgressSteps = 1000;

}  // namespace

Tfsub2::~Tfsub2() {
  if (job_ && job_->thread.joinable()) {
    job_->cancel = true;
    job_->thread.join();
  }
}

void Tfsub2::Button9Click() {
  const int row = catalogue_->currentRow();
  const auto order = varnolt::ScreeningDisplayOrder();
  if (row < 0 || row >= static_cast<int>(order.size())) return;
  const int number = order[static_cast<size_t>(row)];
  varnolt::ConditionEntries entries;
  entries.num1 = findChild<QLineEdit*>("ednum1")->text().toStdString();
  entries.num2 = findChild<QLineEdit*>("ednum2")->text().toStdString();
  entries.days1 = findChild<QLineEdit*>("eddt1")->text().toStdString();
  entries.days2 = findChild<QLineEdit*>("eddt2")->text().toStdString();
  const varnolt::AddedCondition added =
      varnolt::AddConditionLine(number, varnolt::ConditionText(number), entries);
  if (!added.message.empty()) {
    warn(QString::fromStdString(added.message));
    return;
  }
  conditions_->addItem(QString::fromStdString(added.line));
}

void Tfsub2::Button6Click() {
  const int row = conditions_->currentRow();
  if (row < 1) return;
  conditions_->insertItem(row - 1, conditions_->takeItem(row));
  conditions_->setCurrentRow(row - 1);
}

void Tfsub2::Button7Click() {
  const int row = conditions_->currentRow();
  if (row < 0 || row >= conditions_->count() - 1) return;
  conditions_->insertItem(row + 1, conditions_->takeItem(row));
  conditions_->setCurrentRow(row + 1);
}

void Tfsub2::Button8Click() {
  const int row = conditions_->currentRow();
  if (row >= 0) delete conditions_->takeItem(row);
}

void Tfsub2::Button10Click() {
  if (confirm(varnolt::kDeleteAllConditionsQuestion)) conditions_->clear();
}

void Tfsub2::rbsc1Click() {
  set1_->setChecked(true);
  if (current_set_ == 1) return;
  const QStringList shown = Items(*conditions_);
  Replace(*conditions_, other_set_);
  other_set_ = shown;
  current_set_ = 1;
}

void Tfsub2::rbsc2Click() {
  set2_->setChecked(true);
  if (current_set_ == 2) return;
  const QStringList shown = Items(*conditions_);
  Replace(*conditions_, other_set_);
  other_set_ = shown;
  current_set_ = 2;
}

// "←": set 2 into set 1.
void Tfsub2::Button17Click() {
  if (current_set_ == 1) {
    Replace(*conditions_, other_set_);
  } else {
    other_set_ = Items(*conditions_);
  }
}

// "→": set 1 into set 2.
void Tfsub2::Button18Click() {
  if (current_set_ == 1) {
    other_set_ = Items(*conditions_);
  } else {
    Replace(*conditions_, other_set_);
  }
}

void Tfsub2::Button16Click() {
  if (conditions_->count() == 0) return;
  const QString path =
      chooseConditionFileToSave(QString::fromStdU16String(folder_.DataDir().u16string()));
  if (path.isEmpty()) return;
  if (QFileInfo::exists(path) && !confirm(varnolt::kOverwriteQuestion)) return;
  varnolt::ConditionSet set;
  if (save_target_->itemIndex() == 1) {
    set.selection.checked = true;
    set.selection.check_filter = varnolt::CheckListFilter(groups_->currentText().toStdString());
  } else {
    set.selection.market_index = markets_->currentIndex();
    set.selection.sector_index = sectors_->currentIndex();
  }
  for (const QString& line : Items(*conditions_)) set.conditions.push_back(line.toStdString());
  Guarded(
      [&] { varnolt::WriteConditionSetFile(std::filesystem::path(path.toStdU16String()), set); });
}

void Tfsub2::Button15Click() {
  const QString path =
      chooseConditionFileToOpen(QString::fromStdU16String(folder_.DataDir().u16string()));
  if (path.isEmpty()) return;
  Guarded([&] {
    const auto set = varnolt::ReadConditionSetFile(std::filesystem::path(path.toStdU16String()));
    if (!set) return;
    const varnolt::StockSelection& selection = set->selection;
    if (selection.checked) {
      const std::string& filter = selection.check_filter;
      if (filter.empty()) {
        groups_->setCurrentIndex(0);
      } else {
        const QString group = QString::fromStdString(varnolt::CheckGroupOf(filter));
        const int index = group.isEmpty() ? -1 : groups_->findText(group);
        groups_->setCurrentIndex(index);
        groups_->setEditText(group);
      }
      // A field with no mark at all would list every stock; it means all checked stocks.
      ListByFilter(filter.empty() ? std::string(varnolt::kCheckMark) : filter);
    } else {
      auto pick = [](QComboBox* box, int index) {
        box->setCurrentIndex(index >= 0 && index < box->count() ? index : 0);
      };
      pick(sectors_, selection.sector_index);
      pick(markets_, selection.market_index);
      Button2Click();
    }
    QStringList lines;
    for (const std::string& line : set->conditions) lines << QString::fromStdString(line);
    Replace(*conditions_, lines);
  });
}

void Tfsub2::Button5Click() {
  if (job_) return;
  run_->setEnabled(false);
  cancel_->setEnabled(true);
  count_->clear();
  progress_->setRange(0, std::max(list_->count(), 1));
  progress_->setValue(0);

  job_ = std::make_unique<ScreeningJob>();
  job_->controls = main_ != nullptr ? main_->ReadControls() : varnolt::ControlValues::Defaults();
  for (const QString& line : Items(*conditions_)) job_->conditions.push_back(line.toStdString());
  for (const QString& item : ListedItems()) job_->stocks.push_back(item.toStdString());
  const varnolt::DayNumber today = today_();

  ScreeningJob* job = job_.get();
  job->thread = std::thread([this, job, today] {
    const varnolt::ScreeningScope scope{folder_, job->controls, today, today, job->holdings};
    varnolt::ScreeningRun run;
    run.cancel = &job->cancel;
    run.progress = [this, job](size_t done, size_t total) {
      const int step =
          total == 0 ? kProgressSteps : static_cast<int>(done * kProgressSteps / total);
      if (job->reported.exchange(step) == step) return;
      QMetaObject::invokeMethod(
          this, [this, done] { progress_->setValue(static_cast<int>(done)); },
          Qt::QueuedConnection);
    };
    try {
      varnolt::EvaluateConditionList(job->conditions, job->stocks, scope, run);
    } catch (const std::exception& error) {
      job->error = error.what();
    }
    QMetaObject::invokeMethod(
        this, [this] { FinishScreening(); }, Qt::QueuedConnection);
  });
}

void Tfsub2::CancelScreening() {
  if (job_) job_->cancel = true;
}

bool Tfsub2::screeningRunning() const {
  return job_ != nullptr;
}

void Tfsub2::WaitForScreening() {
  if (job_ && job_->thread.joinable()) job_->thread.join();
  QCoreApplication::sendPostedEvents(this);
  FinishScreening();
}

void Tfsub2::FinishScreening() {
  if (!job_) return;
  if (job_->thread.joinable()) job_->thread.join();
  const std::unique_ptr<ScreeningJob> job = std::move(job_);
  // Progress updates still queued belong to the finished run.
  QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
  progress_->setValue(progress_->maximum());
  if (!job->error.empty()) {
    warn(QString::fromStdString(job->error));
  } else if (!job->cancel) {
    QStringList survivors;
    for (const std::string& stock : job->stocks) survivors << QString::fromStdString(stock);
    ShowItems(survivors);
    count_->setText(QString::fromStdString(varnolt::ScreeningCountText(ListedItems().size())));
  } else {
    progress_->setValue(0);
  }
  cancel_->setEnabled(false);
  run_->setEnabled(true);
}
