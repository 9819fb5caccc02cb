#include "app/tf_simulation.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <atomic>
#include <exception>
#include <thread>

#include "app/radio_group.h"
#include "app/tf_main.h"
#include "base/controls.h"
#include "base/dates.h"
#include "base/file_error.h"
#include "base/messages.h"
#include "simulation/fee_plan.h"
#include "simulation/simulation_job.h"
#include "simulation/simulation_run.h"

namespace {

constexpr const char* kIdleText = "進捗状況";

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

varnolt::Lines LinesOf(const QString& text) {
  return varnolt::SplitLines(text.toStdString());
}

QString TextOf(const varnolt::Lines& lines) {
  QStringList texts;
  for (const std::string& line : lines) texts << QString::fromStdString(line);
  return texts.join('\n');
}

std::vector<std::string> Paths(const QListWidget& list) {
  std::vector<std::string> paths;
  for (int i = 0; i < list.count(); ++i) paths.push_back(list.item(i)->text().toStdString());
  return paths;
}

// Calendar days of the jobs of a run, for the progress bar.
int DaysOf(varnolt::Lines lines) {
  int64_t days = 0;
  while (!lines.empty()) {
    const varnolt::SimulationJob job = varnolt::TakeJob(lines);
    if (!lines.empty()) lines.erase(lines.begin());
    if (job.end >= job.start) days += job.end - job.start + 1;
  }
  return static_cast<int>(std::min<int64_t>(days, INT32_MAX));
}

}  // namespace

// A run on its own thread with copies of everything it reads.
struct TfSimulation::Run {
  varnolt::ControlValues controls;
  varnolt::ChargeTexts charge;
  int plan = 0;
  bool reservations = false;
  varnolt::Lines lines;  // the job, or the reservation list
  varnolt::Lines report;
  std::atomic<bool> cancel{false};
  std::atomic<int> days_done{0};
  std::string error;
  std::thread thread;
};

TfSimulation::TfSimulation(varnolt::ProgramFolder folder, Clock today, QWidget* parent)
    : QWidget(parent, Qt::Window),
      folder_(std::move(folder)),
      today_(today ? today : Clock(varnolt::LocalToday)) {
  setObjectName("fSimulation");
  setWindowTitle("Varnolt");
  setAttribute(Qt::WA_QuitOnClose, false);
  warn = [this](const QString& message) {
    QMessageBox::warning(this, "警告", message, QMessageBox::Ok);
  };
  inform = [this](const QString& message) {
    QMessageBox::information(this, "Varnolt", message, QMessageBox::Ok);
  };
  chooseConditionFiles = [this](const QString& start) {
    return QFileDialog::getOpenFileNames(this, QString(), start, "Ini files (*.ini *.INI)");
  };

  auto* grid = new QGridLayout(this);
  auto* period = new QGroupBox("期間・資金", this);
  auto* form = new QGridLayout(period);
  auto edit = [&](const char* name, const char* label, const QString& text, int row) {
    auto* box = Named(new QLineEdit(text, period), name);
    form->addWidget(new QLabel(label, period), row, 0);
    form->addWidget(box, row, 1);
    return box;
  };
  const varnolt::DayNumber now = today_();
  start_ = edit("edst", "開始日", QString::fromStdString(varnolt::DayToCompact(now - 365)), 0);
  end_ = edit("eded", "終了日", QString::fromStdString(varnolt::DayToCompact(now)), 1);
  budget_ = edit("edmoney", "予算", "3000000", 2);
  upper_ = edit("edmax", "一回の上限額", "1000000", 3);
  lower_ = edit("edmin", "一回の下限額", "100000", 4);
  multi_ = Named(new QCheckBox("同じ銘柄を重ねて購入", period), "cbmulti");
  over_ = Named(new QCheckBox("上限ぎりぎりまで購入", period), "cbover");
  form->addWidget(multi_, 5, 0, 1, 2);
  form->addWidget(over_, 6, 0, 1, 2);
  grid->addWidget(period, 0, 0);

  auto* lists = new QWidget(this);
  auto* list_grid = new QGridLayout(lists);
  buy_ = Named(new QListWidget(lists), "lbbuy");
  sell_ = Named(new QListWidget(lists), "lbsell");
  auto button = [this](const char* name, const char* text, QWidget* owner,
                       void (TfSimulation::*click)()) {
    auto* b = Named(new QPushButton(text, owner), name);
    connect(b, &QPushButton::clicked, this, click);
    return b;
  };
  list_grid->addWidget(button("Button2", "「買い」条件", lists, &TfSimulation::Button2Click), 0, 0);
  list_grid->addWidget(button("Button4", "ｸﾘｱ", lists, &TfSimulation::Button4Click), 0, 1);
  list_grid->addWidget(buy_, 1, 0, 1, 2);
  list_grid->addWidget(button("Button3", "「売り」条件", lists, &TfSimulation::Button3Click), 2, 0);
  list_grid->addWidget(button("Button5", "ｸﾘｱ", lists, &TfSimulation::Button5Click), 2, 1);
  list_grid->addWidget(sell_, 3, 0, 1, 2);
  grid->addWidget(lists, 0, 1);

  auto* fees = Named(new QGroupBox("取引手数料", this), "gbcharge");
  auto* fee_grid = new QGridLayout(fees);
  const varnolt::ChargeTexts defaults = varnolt::DefaultChargeTexts();
  for (size_t i = 0; i < varnolt::kChargeLineCount; ++i) {
    const QString name = "ed" + QString::number(i + 1);
    auto* box = new QLineEdit(QString::fromStdString(defaults[i]), fees);
    box->setObjectName(name);
    charge_.push_back(box);
    const int row = static_cast<int>(i / 2);
    if (i == 12) {
      fee_grid->addWidget(new QLabel("これ以上 or 定額", fees), row, 0, 1, 2);
      fee_grid->addWidget(box, row, 2);
      fee_grid->addWidget(new QLabel("円", fees), row, 3);
    } else {
      fee_grid->addWidget(box, row, static_cast<int>(i % 2) * 2);
      fee_grid->addWidget(new QLabel(i % 2 == 0 ? "万円以下" : "円", fees), row,
                          static_cast<int>(i % 2) * 2 + 1);
    }
  }
  plan_ = Named(new RadioGroup("料金制度", {"通　　常", "一日定額", "月 定 額"}, fees), "rgtype");
  plan_->setItemIndex(0);
  fee_grid->addWidget(plan_, 0, 4, 7, 1);
  grid->addWidget(fees, 1, 0, 1, 2);

  auto* actions = new QWidget(this);
  auto* action_row = new QHBoxLayout(actions);
  run_button_ = button("Button1", "仮想売買実行", actions, &TfSimulation::Button1Click);
  run_button_->setDefault(true);
  cancel_ = button("Button6", "キャンセル", actions, &TfSimulation::Button6Click);
  cancel_->setEnabled(false);
  reserve_ = button("Button8", "予 約", actions, &TfSimulation::Button8Click);
  action_row->addWidget(run_button_);
  action_row->addWidget(cancel_);
  action_row->addWidget(reserve_);
  action_row->addWidget(button("Button7", "画面ｸﾘｱ", actions, &TfSimulation::Button7Click));
  going_ = Named(new QLineEdit(kIdleText, actions), "edgoing");
  going_->setReadOnly(true);
  action_row->addWidget(going_);
  progress_ = Named(new QProgressBar(actions), "pbgoing");
  action_row->addWidget(progress_);
  grid->addWidget(actions, 2, 0, 1, 2);

  memo_ = Named(new QPlainTextEdit(this), "Memo");
  memo_->setReadOnly(true);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  grid->addWidget(memo_, 0, 2, 3, 1);
  grid->setColumnStretch(2, 1);
  resize(1100, 560);

  varnolt::ChargeTexts charge = defaults;
  try {
    varnolt::ReadChargeFile(folder_.File("charge.ini"), charge);
  } catch (const std::exception&) {
    // An unreadable fee file leaves the built-in schedule; closing writes a good one.
  }
  for (size_t i = 0; i < charge.size(); ++i) charge_[i]->setText(QString::fromStdString(charge[i]));
}

TfSimulation::~TfSimulation() {
  if (run_ && run_->thread.joinable()) {
    run_->cancel = true;
    run_->thread.join();
  }
}

void TfSimulation::closeEvent(QCloseEvent* event) {
  SaveCharge();
  QWidget::closeEvent(event);
}

void TfSimulation::SaveCharge() {
  varnolt::ChargeTexts texts;
  for (size_t i = 0; i < texts.size(); ++i) texts[i] = charge_[i]->text().toStdString();
  try {
    varnolt::WriteChargeFile(folder_.File("charge.ini"), texts);
  } catch (const std::exception& error) {
    warn(QString::fromStdString(error.what()));
  }
}

void TfSimulation::SetIdle(bool idle) {
  run_button_->setEnabled(idle);
  reserve_->setEnabled(idle);
  cancel_->setEnabled(!idle);
}

varnolt::BuiltJob TfSimulation::BuildJobFromControls() const {
  varnolt::JobFields fields;
  fields.start = start_->text().toStdString();
  fields.end = end_->text().toStdString();
  fields.budget = budget_->text().toStdString();
  fields.upper = upper_->text().toStdString();
  fields.lower = lower_->text().toStdString();
  fields.multi = multi_->isChecked();
  fields.over = over_->isChecked();
  fields.buy = Paths(*buy_);
  fields.sell = Paths(*sell_);
  return varnolt::BuildJob(fields);
}

void TfSimulation::Button1Click() {
  if (run_) return;
  auto run = std::make_unique<Run>();
  const varnolt::Lines memo = LinesOf(memo_->toPlainText());
  run->reservations = varnolt::IsReservationList(memo);
  if (run->reservations) {
    run->lines = memo;
  } else {
    varnolt::BuiltJob built = BuildJobFromControls();
    if (!built.message.empty()) {
      warn(QString::fromStdString(built.message));
      return;
    }
    run->lines = std::move(built.lines);
  }
  int days = 0;
  try {
    days = DaysOf(run->reservations ? varnolt::Lines(run->lines.begin() + 1, run->lines.end())
                                    : run->lines);
  } catch (const std::exception& error) {
    warn(QString::fromStdString(error.what()));
    return;
  }
  run->controls = main_ != nullptr ? main_->ReadControls() : varnolt::ControlValues::Defaults();
  for (size_t i = 0; i < run->charge.size(); ++i) run->charge[i] = charge_[i]->text().toStdString();
  run->plan = std::max(plan_->itemIndex(), 0);
  SetIdle(false);
  progress_->setRange(0, std::max(days, 1));
  progress_->setValue(0);
  if (!run->reservations) memo_->clear();

  run_ = std::move(run);
  Run* job = run_.get();
  const varnolt::DayNumber today = today_();
  job->thread = std::thread([this, job, today] {
    const auto plan = varnolt::MakeFeePlan(job->plan, varnolt::ScheduleOf(job->charge));
    const varnolt::SimulationScope scope{folder_, job->controls, today, *plan};
    varnolt::SimulationProgress progress;
    progress.cancel = &job->cancel;
    progress.day = [this, job](varnolt::DayNumber t) {
      const int done = ++job->days_done;
      QMetaObject::invokeMethod(
          this,
          [this, t, done] {
            going_->setText(QString::fromStdString(varnolt::DayToSlash(t)));
            progress_->setValue(std::min(done, progress_->maximum()));
          },
          Qt::QueuedConnection);
    };
    try {
      if (job->reservations) {
        // Each job's report shows until the next one ends; the list comes back at the end.
        varnolt::RunReservations(
            job->lines, scope, progress, [this](int number, const varnolt::Lines& report) {
              varnolt::SaveSimulationReport(folder_, number, report);
              QMetaObject::invokeMethod(
                  this, [this, report] { memo_->setPlainText(TextOf(report)); },
                  Qt::QueuedConnection);
            });
      } else {
        varnolt::Lines lines = job->lines;
        job->report = varnolt::RunJob(varnolt::TakeJob(lines), scope, progress);
      }
    } catch (const std::exception& error) {
      job->error = error.what();
    }
    QMetaObject::invokeMethod(
        this, [this] { FinishRun(); }, Qt::QueuedConnection);
  });
}

void TfSimulation::WaitForRun() {
  if (run_ && run_->thread.joinable()) run_->thread.join();
  QCoreApplication::sendPostedEvents(this);
  FinishRun();
}

void TfSimulation::FinishRun() {
  if (!run_) return;
  if (run_->thread.joinable()) run_->thread.join();
  const std::unique_ptr<Run> run = std::move(run_);
  // Day updates still queued belong to the finished run.
  QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
  if (run->reservations) {
    memo_->setPlainText(TextOf(run->lines));
  } else {
    memo_->setPlainText(TextOf(run->report));
  }
  if (!run->error.empty()) {
    warn(QString::fromStdString(run->error));
  } else {
    inform(varnolt::kSimulationDoneMessage);
  }
  going_->setText(kIdleText);
  SetIdle(true);
}

void TfSimulation::Button6Click() {
  if (run_) run_->cancel = true;
  cancel_->setEnabled(false);
}

void TfSimulation::Button8Click() {
  const varnolt::BuiltJob built = BuildJobFromControls();
  if (!built.message.empty()) {
    warn(QString::fromStdString(built.message));
    return;
  }
  memo_->setPlainText(TextOf(varnolt::AddReservation(LinesOf(memo_->toPlainText()), built.lines)));
}

void TfSimulation::Button7Click() {
  memo_->clear();
}

void TfSimulation::Button2Click() {
  buy_->addItems(chooseConditionFiles(QString::fromStdU16String(folder_.DataDir().u16string())));
}

void TfSimulation::Button3Click() {
  sell_->addItems(chooseConditionFiles(QString::fromStdU16String(folder_.DataDir().u16string())));
}

void TfSimulation::Button4Click() {
  buy_->clear();
}

void TfSimulation::Button5Click() {
  sell_->clear();
}
