#include <QApplication>

#include "app/developer_screenshot.h"
#include "app/tf_main.h"
#include "base/program_folder.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("VarnoltForKabu");

  TfMain window(varnolt::ProgramFolder::FromEnvironment());
  if (window.anotherCopyRunning()) return 0;
  window.show();
  ScheduleScreenshot(window);
  return QApplication::exec();
}
