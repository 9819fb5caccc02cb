// The file commands: CSV price files into the store, and the statistics page's text.
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextEdit>
#include <exception>
#include <filesystem>
#include <vector>

#include "app/tf_main.h"
#include "base/messages.h"
#include "base/text_file.h"
#include "store/csv_conversion.h"

void TfMain::csvC1Click() {
  const QStringList files =
      chooseFilesToOpen(QString::fromStdU16String(folder_.Root().u16string()));
  if (files.isEmpty()) {
    warn(varnolt::kNoFileChosenMessage);
    return;
  }
  title_.detail->clear();
  title_.status->setText("変換中");
  title_.progress->show();
  pages_->setCurrentWidget(title_.page);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

  std::vector<std::filesystem::path> paths;
  paths.reserve(static_cast<size_t>(files.size()));
  for (const QString& file : files) paths.push_back(varnolt::Utf8Path(file.toStdString()));
  try {
    const varnolt::ConversionSummary summary =
        varnolt::ConvertCsvFiles(paths, folder_.DataDir(), varnolt::Grouping::kEveryLine);
    title_.progress->hide();
    QString message = varnolt::kConversionDoneMessage;
    if (summary.skipped_lines > 0) {
      message += "\n" + QString(varnolt::kSkippedLinesMessage).arg(summary.skipped_lines);
    }
    inform(message);
  } catch (const std::exception& error) {
    title_.progress->hide();
    warn(QString::fromUtf8(error.what()));
  }
}

void TfMain::Button52Click() {
  statistics_->clear();
}

void TfMain::Button57Click() {
  const QString file = chooseFileToSave("Text file (*.txt)", "txt");
  if (file.isEmpty()) return;
  Guarded([&] {
    varnolt::Lines lines;
    const QString text = statistics_->toPlainText();
    // An empty page is an empty file, not one empty line.
    if (!text.isEmpty()) {
      for (const QString& line : text.split('\n')) lines.push_back(line.toStdString());
    }
    varnolt::WriteLines(varnolt::Utf8Path(file.toStdString()), lines);
  });
}
