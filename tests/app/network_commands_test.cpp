#include <gtest/gtest.h>

#include <QString>
#include <vector>

#include "app/tf_main.h"
#include "base/text_file.h"
#include "net/server_config.h"
#include "support/temp_folder.h"

namespace {

// The network commands of the window against a server that cannot be reached: the update's
// message, and the owner's schedule trying ten times, recording the failure and suspending.
TEST(NetworkCommandsTest, UpdateAndScheduleAgainstAnUnreachableServer) {
  varnolt::testing::TempFolder root;
  const varnolt::ProgramFolder folder(root.Path());
  folder.EnsureDataDir();
  const std::string nowhere = "http://127.0.0.1:1/";
  varnolt::WriteServerConfig(folder.File("net.dat"),
                             {nowhere, nowhere, nowhere, "127.0.0.1:1", "nobody"});
  TfMain window(folder);
  std::vector<QString> shown;
  std::vector<double> pauses;
  int suspends = 0;
  window.inform = [&](const QString& message) { shown.push_back(message); };
  window.pause = [&](double seconds) { pauses.push_back(seconds); };
  window.suspend = [&] { ++suspends; };

  window.D1Click();
  EXPECT_EQ(shown, std::vector<QString>{"接続に失敗しました"});

  varnolt::WriteLines(folder.File("ownerautopilot.log"), {"00:00"});
  window.Timer1Timer();
  EXPECT_EQ(varnolt::ReadLines(folder.File("ownerautopilot.log")), varnolt::Lines{"00:00,Failure"});
  std::vector<double> expected(10, 30);
  expected.insert(expected.end(), {10, 180});
  EXPECT_EQ(pauses, expected);
  EXPECT_EQ(suspends, 1);
  EXPECT_EQ(shown.size(), 1u);  // unattended runs show nothing

  // Today's run is done: the next tick does nothing.
  window.Timer1Timer();
  EXPECT_EQ(suspends, 1);
}

}  // namespace
