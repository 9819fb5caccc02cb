// The reference data server, run as its own process on a loopback port, against the program's
// transfers: every script, static files, hostile paths and the usage log.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "base/text_file.h"
#include "net/data_server.h"
#include "net/reply.h"
#include "net/text_cipher.h"
#include "net/transfer.h"
#include "net/transfer_file.h"
#include "support/loopback_servers.h"
#include "support/temp_folder.h"
#include "tools/server/server_scripts.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;
using testing::LoopbackProgram;
using testing::TempFolder;

void Put(const fs::path& path, std::string_view bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class ReferenceServer : public ::testing::Test {
 protected:
  void SetUp() override {
    Put(folder_.Path() / "files/kbk2.dat", "2024/01/04\r\n2024.dat,2\r\n");
    Put(folder_.Path() / "kabuka/monthly/h20231229.dat", "m");
    Put(folder_.Path() / "kabuka/daily/d20240105.dat", "d");
    Put(folder_.Path() / "kabuka/daily/bad name.dat", "x");  // never listed
    Put(folder_.Path() / "secret.txt", "not served");
    port_ = testing::FreeLoopbackPort();
    server_ = std::make_unique<LoopbackProgram>(
        std::vector<std::string>{VARNOLT_SERVER_PROGRAM, folder_.Path().string(), "--port",
                                 std::to_string(port_)},
        port_);
    base_ = "http://127.0.0.1:" + std::to_string(port_) + "/";
  }

  TempFolder folder_;
  int port_ = 0;
  std::unique_ptr<LoopbackProgram> server_;
  std::string base_;
};

TEST_F(ReferenceServer, AnswersEveryResourceOfTheProtocol) {
  ASSERT_TRUE(server_->Running());
  DataServer server(ServerConfig{base_, base_, base_, "", ""}, LocalNow);
  EXPECT_TRUE(IsValidReply(GetText(base_, "")));
  EXPECT_TRUE(server.MeasureClock());
  EXPECT_LT(std::abs(server.ClockOffset()), 1.0 / 24);
  EXPECT_EQ(server.ListDirectory("monthly"), std::vector<std::string>{"h20231229.dat"});
  EXPECT_EQ(server.ListDirectory("daily"), std::vector<std::string>{"d20240105.dat"});
  EXPECT_TRUE(IsValidReply(GetText(base_ + "cgi-bin/list.cgi", base_)));
  const auto years = ParseYearList(GetText(base_ + "files/kbk2.dat", base_), true);
  ASSERT_TRUE(years);
  EXPECT_EQ(years->years, (std::vector<YearLine>{{2024, 2}}));

  TempFolder local;
  ASSERT_TRUE(GetFile(base_ + "kabuka/daily/d20240105.dat", local.Path() / "d.dat", base_));
  EXPECT_EQ(ReadBytes(local.Path() / "d.dat"), "d");
  // Missing files and paths outside the two trees are error pages, never files.
  for (const char* path : {"files/missing.dat", "secret.txt", "files/../secret.txt",
                           "kabuka/%2e%2e/secret.txt", "cgi-bin/other.cgi"}) {
    const std::string reply = GetText(base_ + path, "");
    EXPECT_FALSE(IsValidReply(reply)) << path;
    EXPECT_EQ(reply.find("not served"), std::string::npos) << path;
  }

  server.SendUsageLog("dailylog.cgi", "abcdefghijkl", 42, "out", {"first"});
  GetText(base_ + "cgi-bin/mainlog.cgi/" + Encipher("Lforged", CipherUse::kMark), "");
  EXPECT_TRUE(ReadBytes(server::UsageLogPath(folder_.Path()))
                  .starts_with("dailylog.cgi\tfirst\ndailylog.cgi\t"));
  const Lines log = SplitLines(ReadBytes(server::UsageLogPath(folder_.Path())));
  ASSERT_EQ(log.size(), 2u);
  EXPECT_NE(log[1].find(" , abcdefghijkl , 42 , out , "), std::string::npos) << log[1];
}

TEST(ServerScripts, RepliesOfTheCgiMode) {
  TempFolder folder;
  EXPECT_EQ(server::ScriptReply(folder.Path(), "cgi-bin/webtime.cgi", "2024/01/05 10:00:00"),
            "<webtime>\r\n2024/01/05 10:00:00\r\n");
  EXPECT_EQ(server::ScriptReply(folder.Path(), "cgi-bin/monthlydir.cgi", ""),
            "<dir>\r\n</dir>\r\n");
  EXPECT_FALSE(server::ScriptReply(folder.Path(), "files/kbk2.dat", ""));
  // A record with a line break in it would split the log: dropped.
  server::ScriptReply(folder.Path(), "cgi-bin/mainlog.cgi/" + Encipher("La\nb", CipherUse::kLog),
                      "");
  EXPECT_FALSE(fs::exists(server::UsageLogPath(folder.Path())));
}

}  // namespace
}  // namespace varnolt
