#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "base/program_folder.h"
#include "series/calendar.h"
#include "simulation/simulation_job.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class RadioGroup;
class TfMain;

// The trading simulation window: a period, a budget, purchase limits, buy and sell
// condition-set files and a fee schedule make a job; 仮想売買実行 replays it (or every job of a
// reservation list) on a thread of its own, showing the day under way, while the window stays
// usable and キャンセル stops the run at the end of the day.
class TfSimulation : public QWidget {
  Q_OBJECT

 public:
  using Clock = std::function<varnolt::DayNumber()>;

  explicit TfSimulation(varnolt::ProgramFolder folder, Clock today = nullptr,
                        QWidget* parent = nullptr);
  ~TfSimulation() override;

  // The indicator periods of the conditions come from the main window; its defaults without.
  void setMainWindow(TfMain* main) { main_ = main; }

  // Dialogs, replaceable for tests: a message with OK, and the multi-selection open dialog
  // (empty on Cancel).
  std::function<void(const QString&)> warn;
  std::function<void(const QString&)> inform;
  std::function<QStringList(const QString& folder)> chooseConditionFiles;

  void Button1Click();  // 仮想売買実行
  void Button6Click();  // キャンセル
  void Button8Click();  // 予 約
  void Button7Click();  // 画面ｸﾘｱ
  void Button2Click();  // 「買い」条件
  void Button3Click();  // 「売り」条件
  void Button4Click();  // buy list ｸﾘｱ
  void Button5Click();  // sell list ｸﾘｱ

  bool running() const { return run_ != nullptr; }
  // Waits for a run to end and finishes it as the window would; for tests and shutdown.
  void WaitForRun();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Run;

  varnolt::BuiltJob BuildJobFromControls() const;
  void FinishRun();
  void SaveCharge();
  void SetIdle(bool idle);

  varnolt::ProgramFolder folder_;
  Clock today_;
  TfMain* main_ = nullptr;
  std::unique_ptr<Run> run_;

  QLineEdit* start_ = nullptr;
  QLineEdit* end_ = nullptr;
  QLineEdit* budget_ = nullptr;
  QLineEdit* upper_ = nullptr;
  QLineEdit* lower_ = nullptr;
  QCheckBox* multi_ = nullptr;
  QCheckBox* over_ = nullptr;
  QListWidget* buy_ = nullptr;
  QListWidget* sell_ = nullptr;
  std::vector<QLineEdit*> charge_;  // ed1 … ed13
  RadioGroup* plan_ = nullptr;
  QPushButton* run_button_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* reserve_ = nullptr;
  QPlainTextEdit* memo_ = nullptr;
  QLineEdit* going_ = nullptr;
  QProgressBar* progress_ = nullptr;
};
