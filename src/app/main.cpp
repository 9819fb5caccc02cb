#include <QApplication>

#include <initializer_list>

#include "app/developer_screenshot.h"
#include "app/tf_main.h"
#include "app/tf_memo.h"
#include "app/tf_simulation.h"
#include "app/tfm_hdata.h"
#include "app/tfsub2.h"
#include "base/program_folder.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("VarnoltForKabu");

  const varnolt::ProgramFolder folder = varnolt::ProgramFolder::FromEnvironment();
  TfMain window(folder);
  if (window.anotherCopyRunning()) return 0;
  Tfsub2 browser(folder);
  browser.setMainWindow(&window);
  window.setBrowserWindow(&browser);
  TfmHdata history(folder);
  window.setHistoryWindow(&history);
  TfSimulation simulation(folder);
  simulation.setMainWindow(&window);
  browser.setSimulationAction([&simulation] {
    simulation.show();
    simulation.raise();
    simulation.activateWindow();
  });
  TfMemo memo(folder);
  window.setMemoWindow(&memo);
  browser.setMemoWindow(&memo);
  // The program ends with its main window, which gives up the folder as it closes; the other
  // windows close first, so that each keeps what it saves on closing (the fee schedule).
  window.closed = [&] {
    for (QWidget* other : std::initializer_list<QWidget*>{&simulation, &memo, &browser, &history})
      if (other->isVisible()) other->close();
    QApplication::quit();
  };
  window.show();
  if (!ScheduleScreenshot(window)) ScheduleBrowserScreenshot(browser);
  return QApplication::exec();
}
