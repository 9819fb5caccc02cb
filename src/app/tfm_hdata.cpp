#include "app/tfm_hdata.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/messages.h"

TfmHdata::TfmHdata(varnolt::ProgramFolder folder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(std::move(folder)) {
  setWindowTitle("Varnolt");
  inform = [this](const QString& message) {
    QMessageBox::information(this, "情報", message, QMessageBox::Ok);
  };
  auto* layout = new QVBoxLayout(this);
  auto* caption = new QLabel("ダウンロードするデータを選択");
  caption->setObjectName("Label1");
  layout->addWidget(caption);
  cbhdata_ = new QComboBox;
  cbhdata_->setObjectName("cbhdata");
  cbhdata_->setMinimumWidth(260);
  layout->addWidget(cbhdata_);
  auto* buttons = new QHBoxLayout;
  start_ = new QPushButton("ダウンロード開始");
  start_->setObjectName("Button1");
  cancel_ = new QPushButton("キャンセル");
  cancel_->setObjectName("Button2");
  buttons->addWidget(start_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);
  edhist_ = new QLineEdit(varnolt::kDownloadIdleText);
  edhist_->setObjectName("edhist");
  edhist_->setReadOnly(true);
  layout->addWidget(edhist_);
  progress_ = new QProgressBar;
  progress_->setObjectName("pbhdata");
  progress_->setValue(0);
  layout->addWidget(progress_);
  connect(start_, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TfmHdata::Offer(const varnolt::HistoryOffer& offer, const varnolt::ServerConfig& config) {
  entries_ = offer.entries;
  config_ = config;
  cbhdata_->clear();
  for (const std::string& item : offer.items) cbhdata_->addItem(QString::fromStdString(item));
  cbhdata_->setCurrentIndex(0);
  show();
  raise();
}

void TfmHdata::Button1Click() {
  start_->setEnabled(false);
  cancel_->setEnabled(false);
  progress_->setValue(0);
  const int selected = std::max(0, cbhdata_->currentIndex());
  // The transfers run here; the window is repainted between parts and takes no input.
  const std::string message = varnolt::DownloadHistory(
      folder_, config_, entries_, static_cast<size_t>(selected),
      [this](const std::string& part, int done, int total) {
        edhist_->setText(QString::fromStdString(part));
        progress_->setMaximum(total);
        progress_->setValue(done);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      });
  inform(QString::fromStdString(message));
  start_->setEnabled(true);
  cancel_->setEnabled(true);
  hide();
  edhist_->setText(varnolt::kDownloadIdleText);
}

void TfmHdata::Button2Click() {
  hide();
}
