#include "app/developer_screenshot.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "app/tf_main.h"
#include "app/tfsub2.h"
#include "base/data_set_names.h"
#include "screening/condition_catalogue.h"

namespace {

void LoadFirstDataSet(TfMain& window, const QString& request) {
  const QStringList parts = request.split(',');
  const varnolt::SelectionPageNames& names = varnolt::DataSetNamesOf(1).selection;
  window.findChild<QComboBox*>(names.code)->setEditText(parts.value(0));
  if (parts.size() >= 3) {
    window.findChild<QLineEdit*>(names.start)->setText(parts[1]);
    window.findChild<QLineEdit*>(names.end)->setText(parts[2]);
  }
  window.findChild<QPushButton*>(names.select)->click();
  window.findChild<QTabWidget*>("PCup")->setCurrentIndex(1);
}

// Chart type 1 candlesticks, 2 close bars, 3 close line, as the command record numbers them.
void ShowFirstDataSet(TfMain& window, int type) {
  const varnolt::BasicPageNames& names = varnolt::DataSetNamesOf(1).basic;
  const char* const kTypes[] = {names.candles, names.close_bars, names.close_line};
  varnolt::ControlValues values;
  values.SetChecked(kTypes[std::clamp(type, 1, 3) - 1], true);
  window.WriteControls(values);
  window.buShow1Click();
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
  const int show = qEnvironmentVariableIntValue("VARNOLT_SCREENSHOT_SHOW");
  // The chart is drawn once the window has its final size, which a resize would wipe.
  if (show > 0)
    QTimer::singleShot(100, &window, [&window, show] { ShowFirstDataSet(window, show); });
  const QString page = qEnvironmentVariable("VARNOLT_SCREENSHOT_PAGE");
  if (!page.isEmpty()) {
    QTimer::singleShot(250, &window, [&window, page] {
      window.findChild<QTabWidget*>("PCup")->setCurrentIndex(page.toInt());
    });
  }
  // The page is laid out once it has been shown; a scroll area on it sizes its bars then.
  QTimer::singleShot(400, &window, [&window, path] {
    const bool saved = window.grab().save(path);
    if (!saved) std::fprintf(stderr, "cannot save %s\n", path.toUtf8().constData());
    QCoreApplication::exit(saved ? 0 : 1);
  });
  return true;
}

bool ScheduleBrowserScreenshot(Tfsub2& browser) {
  const QString path = qEnvironmentVariable("VARNOLT_SCREENSHOT_BROWSER");
  if (path.isEmpty()) return false;
  browser.warn = [](const QString& message) {
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
  };
  QTimer::singleShot(200, &browser, [&browser, path] {
    browser.Button4Click();
    auto* catalogue = browser.findChild<QListWidget*>("cbscreening");
    browser.findChild<QLineEdit*>("ednum1")->setText("300");
    browser.findChild<QLineEdit*>("ednum2")->setText("3000");
    catalogue->setCurrentRow(0);
    browser.Button9Click();
    browser.findChild<QLineEdit*>("eddt1")->setText("20");
    // The golden cross of two moving averages, by its catalogue number.
    const auto order = varnolt::ScreeningDisplayOrder();
    catalogue->setCurrentRow(
        static_cast<int>(std::find(order.begin(), order.end(), 12) - order.begin()));
    browser.Button9Click();
    browser.Button5Click();
    browser.WaitForScreening();
    auto* list = browser.findChild<QListWidget*>("lbname");
    if (list->count() > 0) {
      list->setCurrentRow(0);
      browser.lbnameClick();
    }
    QTimer::singleShot(200, &browser, [&browser, path] {
      const bool saved = browser.grab().save(path);
      if (!saved) std::fprintf(stderr, "cannot save %s\n", path.toUtf8().constData());
      QCoreApplication::exit(saved ? 0 : 1);
    });
  });
  return true;
}
