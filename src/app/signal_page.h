#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/parameter_form.h"
#include "base/controls.h"
#include "base/program_folder.h"
#include "chart/data_set.h"
#include "screening/signals.h"

class QCheckBox;
class QImage;
class QListWidget;
class QPushButton;
class QTextEdit;

// The page "売買ｼｸﾞﾅﾙ": the buy and sell lists of condition-set files, the switches that mark
// them on the charts of data 1 and data 2, and the signal mark colour.
class SignalPage : public QWidget {
  Q_OBJECT

 public:
  SignalPage(varnolt::ProgramFolder folder, std::vector<ColorChoice>& colors, QWidget* parent);

  // Replaceable for tests: the open dialog for set files (several may be chosen, starting in
  // `folder`; empty on cancel), the box that reports a finished command and the one for errors.
  std::function<QStringList(const QString& folder)> chooseSetFiles;
  std::function<void(const QString&)> inform;
  std::function<void(const QString&)> warn;

  void Button59Click();  // 「買い」条件: add files to the buy list
  void Button60Click();  // 「売り」条件: add files to the sell list
  void Button56Click();  // ｸﾘｱ of the buy list
  void Button61Click();  // ｸﾘｱ of the sell list
  void Button62Click();  // 設定保存: both lists to signal1.ini and signal2.ini
  void Button63Click();  // 読み込み: both lists back from those files

  // After a price chart display of data 1 or 2: when its switch is on, marks the displayed bars
  // where a set passes, and with the diagnostic mode and オシレーター表示 on lists the last bar's
  // series in the statistics text. Throws FileError when a listed file cannot be read.
  void ShowSignals(const varnolt::DataSet& data_set, int data_number,
                   const varnolt::ControlValues& controls, varnolt::DayNumber today, QImage& image,
                   QTextEdit& statistics) const;

  // The diagnostic mode: off at start, switched by the maintenance choice.
  bool diagnosticMode() const { return diagnostic_; }
  void setDiagnosticMode(bool on) { diagnostic_ = on; }

 private:
  void AddFiles(QListWidget& list);
  void Guarded(const std::function<void()>& command);
  varnolt::SignalSets ReadSets() const;

  varnolt::ProgramFolder folder_;
  QListWidget* buy_ = nullptr;   // lbbuy
  QListWidget* sell_ = nullptr;  // lbsell
  QCheckBox* data1_ = nullptr;   // cbsignal1
  QCheckBox* data2_ = nullptr;   // cbsignal2
  bool diagnostic_ = false;
};
