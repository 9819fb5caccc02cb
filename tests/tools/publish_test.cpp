// A published folder served by varnolt-server carries the store back to the program: the year
// list, every part of every year, joined, decompressed and checked, gives the same year files.
#include "tools/publish/publish.h"

#include <gtest/gtest.h>

#include "base/text_file.h"
#include "net/file_stamp.h"
#include "net/reply.h"
#include "net/server_config.h"
#include "net/text_cipher.h"
#include "net/transfer.h"
#include "net/transfer_file.h"
#include "support/loopback_servers.h"
#include "support/price_store.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(Publish, FirstDownloadThroughTheReferenceServerRestoresTheStore) {
  TempFolder home, published, fetched;
  testing::PriceStore store(home.Path());
  store.WriteCatalogue({"1301", "極洋", "1,1", "7203", "トヨタ", "2,2"});
  store.WriteHolidays({"01/01"});
  // Enough codes that the year transfer files need several parts of 4 KB.
  for (int code = 1000; code < 1400; ++code) {
    store.Day(code, 20031230, 100, 110, 90, code, 1000).Day(code, 20040105, 1, 2, 1, code, 5);
    store.Day(code, 20040106, 1, 3, 1, code + 1, 7);
  }
  store.Flush();
  publish::Options options;
  options.part_bytes = 4096;
  publish::PublishFolder(home.Path(), published.Path(), options);

  EXPECT_EQ(ReadServerConfig(published.Path() / "files/net.dat")->ftp_host, "127.0.0.1:2121");
  EXPECT_EQ(ReadBytes(published.Path() / "files/ini2.dat"),
            "ok\r\n0\r\n" + std::to_string(*FileStamp(home.Path() / "codedata.txt")) +
                "\r\n0\r\n0\r\n0\r\n");
  EXPECT_TRUE(ReadBytes(published.Path() / "files/all.txt").starts_with("1000\r\n1001\r\n"));

  const int port = testing::FreeLoopbackPort();
  testing::LoopbackProgram server(
      {VARNOLT_SERVER_PROGRAM, published.Path().string(), "--port", std::to_string(port)}, port);
  ASSERT_TRUE(server.Running());
  const std::string base = "http://127.0.0.1:" + std::to_string(port) + "/";
  const auto list = ParseYearList(GetText(base + "files/kbk2.dat", base), true);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->last_day, DayFromCivil(2004, 1, 6));
  ASSERT_EQ(list->years.size(), 2u);
  for (const YearLine& year : list->years) {
    EXPECT_GT(year.parts, 1) << year.year;
    for (int k = 1; k <= year.parts; ++k) {
      ASSERT_TRUE(GetFile(base + "kabuka/data/" + PartName(year.year, k),
                          fetched.Path() / PartName(year.year, k), base));
    }
    const fs::path joined = fetched.Path() / (std::to_string(year.year) + ".dat");
    ASSERT_TRUE(JoinParts(joined, year.parts));
    const fs::path target = fetched.Path() / (std::to_string(year.year) + ".kbk");
    ASSERT_TRUE(InstallDecompressed(joined, target, kYearFileLimit, IsWellFormedYearFile));
    EXPECT_TRUE(ReadBytes(target) == ReadBytes(store.Folder().YearFile(year.year))) << year.year;
  }
  EXPECT_EQ(GetText(base + "files/codedata.txt", base), ReadBytes(home.Path() / "codedata.txt"));
}

TEST(Publish, AnEmptyStoreIsRefused) {
  TempFolder home, published;
  fs::create_directories(home.Path() / "data");
  EXPECT_THROW(publish::PublishFolder(home.Path(), published.Path(), {}), std::exception);
}

}  // namespace
}  // namespace varnolt
