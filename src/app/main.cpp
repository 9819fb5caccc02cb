#include <QApplication>

#include "app/developer_screenshot.h"
#include "app/tf_main.h"
#include "app/tf_memo.h"
#include "base/program_folder.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("VarnoltForKabu");

  const varnolt::ProgramFolder folder = varnolt::ProgramFolder::FromEnvironment();
  TfMain window(folder);
  if (window.anotherCopyRunning()) return 0;
  TfMemo memo(folder);
  window.setMemoWindow(&memo);
  window.show();
  ScheduleScreenshot(window);
  return QApplication::exec();
}
