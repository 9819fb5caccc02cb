// The network menu command: the latest-data update, with the title page's progress panel.
#include <QCoreApplication>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>

#include "acquisition/latest_update.h"
#include "acquisition/owner_schedule.h"
#include "app/tf_main.h"
#include "app/tfm_hdata.h"
#include "net/file_stamp.h"
#include "net/server_config.h"

namespace {

// The window as the update sees it: message boxes, the progress panel, waits that keep the
// window painted, and programs started detached.
class WindowUpdateHost : public varnolt::UpdateHost {
 public:
  WindowUpdateHost(TfMain& window, TitlePage& title) : window_(window), title_(title) {}

  void ShowMessage(const std::string& text) override {
    window_.inform(QString::fromStdString(text));
  }
  void SetStatus(const std::string& text) override {
    title_.status->setText(QString::fromStdString(text));
    title_.progress->show();
    KeepResponsive();
  }
  void SetDetail(const std::string& text) override {
    title_.detail->setText(QString::fromStdString(text));
    KeepResponsive();
  }
  void HideProgress() override { title_.progress->hide(); }
  void KeepResponsive() override {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  varnolt::DateTime LocalNow() override { return varnolt::LocalNow(); }
  void Wait(double seconds) override { window_.pause(seconds); }
  bool StartProgram(const std::filesystem::path& program,
                    const std::filesystem::path& working_folder) override {
    return QProcess::startDetached(QString::fromStdString(program.string()), {},
                                   QString::fromStdString(working_folder.string()));
  }

 private:
  TfMain& window_;
  TitlePage& title_;
};

}  // namespace

void TfMain::Timer1Timer() {
  timer1_->stop();
  varnolt::UpdateOptions options;
  options.program_stamp = varnolt::FileStamp("/proc/self/exe").value_or(0);
  WindowUpdateHost host(*this, title_);
  const varnolt::SchedulePass pass = varnolt::RunOwnerSchedule(folder_, server_, host, options);
  // Without a schedule at the first tick the timer stays stopped until the program ends.
  if (!pass.schedule_found) return;
  timer1_->start();
  // The machine sleeps after a scheduled run, through the session manager.
  if (pass.update_ran) suspend();
}

void TfMain::N1Click() {
  const varnolt::HistoryOffer offer = varnolt::OfferHistory(folder_, server_);
  if (!offer.message.empty()) {
    inform(QString::fromStdString(offer.message));
    return;
  }
  if (history_ != nullptr) history_->Offer(offer, server_);
}

void TfMain::D1Click() {
  pages_->setCurrentWidget(title_.page);
  varnolt::UpdateOptions options;
  options.program_stamp = varnolt::FileStamp("/proc/self/exe").value_or(0);
  // Input stays out while it runs: the host repaints without taking user input, and each
  // message box is modal.
  WindowUpdateHost host(*this, title_);
  // The configuration read at start-up; a component refresh replaces it here and on disk.
  varnolt::RunLatestUpdate(folder_, server_, host, options);
}
