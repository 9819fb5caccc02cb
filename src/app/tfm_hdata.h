#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "acquisition/history_download.h"
#include "base/program_folder.h"

class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The historical download window: the ranges of years the server offers, and the download of
// the chosen one. Created at start-up and hidden; the main window's menu command fills and
// shows it.
class TfmHdata : public QWidget {
  Q_OBJECT

 public:
  explicit TfmHdata(varnolt::ProgramFolder folder, QWidget* parent = nullptr);

  // Takes the offered years and their range items, selects the first and shows the window.
  void Offer(const varnolt::HistoryOffer& offer, const varnolt::ServerConfig& config);

  void Button1Click();
  void Button2Click();

  // The message boxes; tests replace it.
  std::function<void(const QString&)> inform;

 private:
  varnolt::ProgramFolder folder_;
  varnolt::ServerConfig config_;
  std::vector<varnolt::HistoryEntry> entries_;
  QComboBox* cbhdata_ = nullptr;
  QPushButton* start_ = nullptr;   // Button1
  QPushButton* cancel_ = nullptr;  // Button2
  QLineEdit* edhist_ = nullptr;
  QProgressBar* progress_ = nullptr;
};
