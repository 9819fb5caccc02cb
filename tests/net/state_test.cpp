#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "base/text_file.h"
#include "net/date_time.h"
#include "net/durable_file.h"
#include "net/file_stamp.h"
#include "net/server_config.h"
#include "net/state_file.h"
#include "net/text_cipher.h"
#include "series/calendar.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::TempFolder;

TEST(StateFile, SetGetRemoveAndKeepOtherValues) {
  TempFolder folder;
  StateFile state(ProgramFolder(folder.Path()));
  EXPECT_EQ(state.Path(), folder.Path() / "state.txt");
  EXPECT_FALSE(state.Get("time"));
  state.Set("fnc", "38000");
  state.Set("msg", "2024/01/05");
  state.SetEnciphered("time", "380005", CipherKey(CipherUse::kMark));
  EXPECT_EQ(state.Get("fnc"), "38000");
  EXPECT_EQ(state.GetEnciphered("time", CipherKey(CipherUse::kMark)), "380005");
  EXPECT_FALSE(state.GetEnciphered("time", CipherKey(CipherUse::kVersion)));
  EXPECT_NE(state.Get("time"), "380005");
  state.Set("fnc", "");
  EXPECT_FALSE(state.Get("fnc"));
  EXPECT_EQ(state.Get("msg"), "2024/01/05");
  EXPECT_FALSE(std::filesystem::exists(AsideName(state.Path())));
  EXPECT_THROW(state.Set("a b", "x"), std::invalid_argument);
  EXPECT_THROW(state.Set("msg", "two\nlines"), std::invalid_argument);
}

TEST(StateFile, DamagedLinesLoseOnlyThemselves) {
  TempFolder folder;
  const auto path = folder.Path() / "state.txt";
  std::ofstream(path, std::ios::binary) << "garbage\r\nmsg=2020/02/02\n=x\r\nbad name=1\r\nfnc=5";
  StateFile state(path);
  EXPECT_EQ(state.Get("msg"), "2020/02/02");
  EXPECT_EQ(state.Get("fnc"), "5");
  state.Set("msg", "2021/01/01");
  EXPECT_EQ(ReadBytes(path), "fnc=5\r\nmsg=2021/01/01\r\n");
}

TEST(StateFile, InstallationIdIsMadeOnceAndKept) {
  TempFolder folder;
  StateFile state(folder.Path() / "state.txt");
  const std::string id = InstallationId(state);
  EXPECT_EQ(id.size(), 12u);
  EXPECT_EQ(InstallationId(state), id);
  EXPECT_EQ(StateFile(folder.Path() / "state.txt").Get("id"), id);
  state.Set("id", "../../etc");  // not an identifier: made anew
  EXPECT_NE(InstallationId(state), "../../etc");
  EXPECT_EQ(state.Get("id")->size(), 12u);
}

TEST(ServerConfig, NetDatRoundTripAndForms) {
  TempFolder folder;
  const ServerConfig config{"http://127.0.0.1:8080/home/", "https://example.invalid/files/",
                            "http://127.0.0.1:8080/", "127.0.0.1:2121", "uploader"};
  const auto path = folder.Path() / "net.dat";
  WriteServerConfig(path, config);
  EXPECT_EQ(ReadServerConfig(path), config);
  // The plain text: lines joined by CR LF, the user line enciphered again with its own key.
  const std::vector<std::string> lines =
      SplitPlainLines(*Decipher(ReadBytes(path), CipherUse::kNet));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[2], config.scripts);
  EXPECT_EQ(Decipher(lines[4], CipherUse::kFtpUser), "uploader");
  // LF line ends and a final line end after the enciphered text are accepted.
  const std::string lf =
      Encipher("a/\nb/\nc/\nhost\n" + Encipher("user", CipherUse::kFtpUser), CipherUse::kNet);
  std::ofstream(path, std::ios::binary) << lf << "\r\n";
  EXPECT_EQ(ReadServerConfig(path), (ServerConfig{"a/", "b/", "c/", "host", "user"}));
  // Four lines, a plain user line, a missing file: nothing.
  EXPECT_FALSE(DecodeServerConfig(Encipher("a/\r\nb/\r\nc/\r\nhost", CipherUse::kNet)));
  EXPECT_FALSE(DecodeServerConfig(Encipher("a/\r\nb/\r\nc/\r\nhost\r\nuser", CipherUse::kNet)));
  EXPECT_FALSE(ReadServerConfig(folder.Path() / "missing.dat"));
  EXPECT_EQ(FtpPassword().size(), 8u);
}

TEST(ServerConfig, FtpHostLines) {
  struct Case {
    const char* line;
    const char* host;
    int port;
  };
  const Case cases[] = {{"ftp.example.invalid", "ftp.example.invalid", 21},
                        {"127.0.0.1:2121", "127.0.0.1", 2121},
                        {"h:65535", "h", 65535},
                        {":21", nullptr, 0},
                        {"h:0", nullptr, 0},
                        {"h:65536", nullptr, 0},
                        {"h:", nullptr, 0},
                        {"h:21x", nullptr, 0},
                        {"", nullptr, 0}};
  for (const Case& c : cases) {
    const auto endpoint = ParseFtpHost(c.line);
    if (c.host == nullptr) {
      EXPECT_FALSE(endpoint) << c.line;
    } else {
      ASSERT_TRUE(endpoint) << c.line;
      EXPECT_EQ(endpoint->host, c.host);
      EXPECT_EQ(endpoint->port, c.port);
    }
  }
}

TEST(DurableFile, ReplacesWholeAndLeavesNoAside) {
  TempFolder folder;
  const auto path = folder.Path() / "f.txt";
  WriteFileDurably(path, "old");
  WriteFileDurably(path, "new contents");
  EXPECT_EQ(ReadBytes(path), "new contents");
  EXPECT_FALSE(std::filesystem::exists(AsideName(path)));
  EXPECT_THROW(WriteFileDurably(folder.Path() / "missing" / "f.txt", "x"), std::exception);
}

TEST(DateTime, ParseFormatAndStamps) {
  const auto noon = ParseDateTime("2005/01/31 12:00:00");
  ASSERT_TRUE(noon);
  EXPECT_DOUBLE_EQ(*noon, DayFromCivil(2005, 1, 31) + 0.5);
  EXPECT_EQ(FormatDateTime(*ParseDateTime("2024/2/29 23:59:59")), "2024/02/29 23:59:59");
  EXPECT_EQ(FormatDateTime(*ParseDateTime("2024/02/29 1:2")), "2024/02/29 01:02:00");
  for (const char* bad : {"2023/02/29 00:00:00", "2024/01/01 24:00:00", "2024/01/01", "x",
                          "2024/01/01 10:60:00", "2024/01/01 10:00:61", "2024-01-01 10:00:00"}) {
    EXPECT_FALSE(ParseDateTime(bad)) << bad;
  }
  std::tm t{};
  t.tm_year = 2005 - 1900;
  t.tm_mon = 0;
  t.tm_mday = 31;
  t.tm_hour = 13;
  t.tm_min = 45;
  t.tm_sec = 31;
  EXPECT_EQ(PackedStamp(t),
            (25u << 25) | (1u << 21) | (31u << 16) | (13u << 11) | (45u << 5) | 15u);
}

}  // namespace
}  // namespace varnolt
