#include "app/developer_screenshot.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "app/tf_main.h"

namespace {

void LoadFirstDataSet(TfMain& window, const QString& request) {
  const QStringList parts = request.split(',');
  window.findChild<QComboBox*>("cbdata1")->setEditText(parts.value(0));
  if (parts.size() >= 3) {
    window.findChild<QLineEdit*>("edDtst1")->setText(parts[1]);
    window.findChild<QLineEdit*>("edDted1")->setText(parts[2]);
  }
  window.findChild<QPushButton*>("buselect")->click();
  window.findChild<QTabWidget*>("PCup")->setCurrentIndex(1);
}

}  // namespace

bool ScheduleScreenshot(TfMain& window) {
  const QString path = qEnvironmentVariable("VARNOLT_SCREENSHOT");
  if (path.isEmpty()) return false;
  // Nobody is there to close a message box.
  window.warn = [](const QString& message) {
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
  };
  const QString load = qEnvironmentVariable("VARNOLT_SCREENSHOT_LOAD");
  if (!load.isEmpty()) LoadFirstDataSet(window, load);
  QTimer::singleShot(300, &window, [&window, path] {
    const bool saved = window.grab().save(path);
    if (!saved) std::fprintf(stderr, "cannot save %s\n", path.toUtf8().constData());
    QCoreApplication::exit(saved ? 0 : 1);
  });
  return true;
}
