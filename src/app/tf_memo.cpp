#include "app/tf_memo.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStringList>
#include <QVBoxLayout>
#include <exception>

#include "base/text_file.h"
#include "store/memo_file.h"

namespace {

varnolt::Lines LinesOf(const QString& text) {
  return varnolt::SplitLines(text.toStdString());
}

QString TextOf(const varnolt::Lines& lines) {
  QStringList texts;
  for (const std::string& line : lines) texts << QString::fromStdString(line);
  return texts.join('\n');
}

}  // namespace

TfMemo::TfMemo(varnolt::ProgramFolder folder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(std::move(folder)) {
  setObjectName("TfMemo");
  setWindowTitle("Varnolt");
  // Only the main window's close ends the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  warn = [this](const QString& message) {
    QMessageBox::warning(this, "警告", message, QMessageBox::Ok);
  };

  auto* top = new QWidget(this);
  code_ = new QLineEdit(top);
  code_->setObjectName("memocode");
  code_->setReadOnly(true);
  auto* top_layout = new QHBoxLayout(top);
  top_layout->setContentsMargins(4, 4, 4, 4);
  top_layout->addWidget(code_);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName("Memomain");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(top);
  layout->addWidget(text_, 1);
  resize(360, 420);
}

bool TfMemo::Guarded(const std::function<void()>& operation) {
  try {
    operation();
    return true;
  } catch (const std::exception& error) {
    warn(QString::fromUtf8(error.what()));
    return false;
  }
}

void TfMemo::SaveMemo(const QString& item) {
  Guarded([&] { varnolt::SaveMemo(folder_, item.toStdString(), LinesOf(text_->toPlainText())); });
}

void TfMemo::LoadMemo(const QString& item) {
  text_->clear();
  Guarded([&] { text_->setPlainText(TextOf(varnolt::LoadMemo(folder_, item.toStdString()))); });
}

bool TfMemo::SelectStock(const QString& item) {
  const QString shown = code_->text();
  if (!shown.isEmpty()) {
    const varnolt::Lines memo = LinesOf(text_->toPlainText());
    if (!Guarded([&] { varnolt::SaveMemo(folder_, shown.toStdString(), memo); })) return false;
  }
  text_->clear();
  varnolt::Lines memo;
  // A memo that cannot be read is not shown under its stock, so that no later save can write
  // an empty memo over it.
  if (!Guarded([&] { memo = varnolt::LoadMemo(folder_, item.toStdString()); })) {
    code_->clear();
    return true;
  }
  code_->setText(item);
  text_->setPlainText(TextOf(memo));
  return true;
}

void TfMemo::SaveShownMemo() {
  if (!code_->text().isEmpty()) SaveMemo(code_->text());
}

void TfMemo::closeEvent(QCloseEvent* event) {
  SaveShownMemo();
  event->accept();
}
