#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "app/data_selection_page.h"
#include "app/title_page.h"
#include "base/program_folder.h"
#include "series/bar_table.h"
#include "series/calendar.h"
#include "series/unit_shift.h"

class QLockFile;
class QTabWidget;
class QTextEdit;

// The main window: the tab pages of data selection, chart settings, the chart and the analysis
// tools, and the state they share (the two data sets and the holiday list).
class TfMain : public QMainWindow {
  Q_OBJECT

 public:
  using Clock = std::function<varnolt::DayNumber()>;

  // `today` gives the local date; loads and the start-up date fields ask it.
  explicit TfMain(varnolt::ProgramFolder folder, Clock today = nullptr, QWidget* parent = nullptr);
  ~TfMain() override;

  // True when another running copy holds the program folder; the window then did nothing else
  // and the program should end without showing it.
  bool anotherCopyRunning() const { return another_copy_running_; }

  const varnolt::DataSet& data1() const { return data1_; }
  const varnolt::DataSet& data2() const { return data2_; }
  const varnolt::HolidayList& holidays() const { return holidays_; }
  const varnolt::ProgramFolder& folder() const { return folder_; }

  // Shows a user error. Defaults to a modal warning box with one OK button; tests replace it.
  std::function<void(const QString&)> warn;

  void FormCreate();
  void FormClose();
  void Exit1Click();

  void buselectClick();
  void buselect2Click();
  void cbdataChange();
  void cbdata2Change();
  void Button7Click();
  void Button9Click();
  void Button8Click();
  void Button20Click();
  void Button22Click();
  void Button21Click();
  void Button49Click();
  void Button51Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  using DateCommand = varnolt::DateBoxes (*)(const varnolt::DateBoxes&, std::string_view,
                                             varnolt::DataUnit);

  void BuildPages();
  void BuildMenu();
  void ConnectSelectionPage(DataSelectionPage& page, int data_number);
  void Load(DataSelectionPage& page, varnolt::DataSet& data_set, int data_number);
  void ApplyDateCommand(DataSelectionPage& page, DateCommand command, const QLineEdit* count);
  void ClearReadouts(int data_number);
  // Runs a command and shows any error it raises as a warning.
  void Guarded(const std::function<void()>& command);

  varnolt::ProgramFolder folder_;
  Clock today_;
  std::unique_ptr<QLockFile> lock_;
  bool another_copy_running_ = false;

  varnolt::DataSet data1_;
  varnolt::DataSet data2_;
  varnolt::HolidayList holidays_;

  QTabWidget* pages_ = nullptr;  // PCup
  TitlePage title_;
  DataSelectionPage selection1_;
  DataSelectionPage selection2_;
  QTextEdit* statistics_ = nullptr;  // reStat
};
