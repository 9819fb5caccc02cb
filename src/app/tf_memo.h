#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "base/program_folder.h"

class QLineEdit;
class QPlainTextEdit;

// The memo window: the free-text memo of one stock, kept in the memo files of the data folder.
class TfMemo : public QWidget {
  Q_OBJECT

 public:
  explicit TfMemo(varnolt::ProgramFolder folder, QWidget* parent = nullptr);

  // Shows a file error. Defaults to a modal warning box; tests replace it.
  std::function<void(const QString&)> warn;

  // Writes the text of Memomain as the memo of the list item's stock.
  void SaveMemo(const QString& item);
  // Replaces the text of Memomain by the memo of the list item's stock.
  void LoadMemo(const QString& item);
  // What selecting a stock in a list does: the memo shown is saved, then the item's memo is
  // shown. False, with the shown memo kept, when the shown memo cannot be saved.
  bool SelectStock(const QString& item);
  // Saves the memo shown, if any; the memo window and the program do so when they close.
  void SaveShownMemo();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Runs a file operation; false, after a warning, when it fails.
  bool Guarded(const std::function<void()>& operation);

  varnolt::ProgramFolder folder_;
  QLineEdit* code_ = nullptr;       // memocode: the list item of the stock shown
  QPlainTextEdit* text_ = nullptr;  // Memomain
};
