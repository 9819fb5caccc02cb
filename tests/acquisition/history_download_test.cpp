// The historical download against the reference server: what it offers, the order it fetches
// in, and what a failure keeps.
#include "acquisition/history_download.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

#include "acquisition/update_fixture.h"
#include "base/text_file.h"
#include "net/server_config.h"
#include "net/state_file.h"
#include "net/text_cipher.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// A market of 1996 to 2001 (up to 15 June), 1996 and 1997 kept on the homepage server, each
// year in several parts.
class HistoryDownload : public testing::UpdateFixture {
 protected:
  HistoryDownload() {
    first_year_ = 1996;
    part_bytes_ = 64 * 1024;
    homepage_before_ = 1998;
  }
  void SetUp() override {
    UpdateFixture::SetUp();
    Publish("");
    StartServer("2001/06/15 18:00:00");
  }
  ServerConfig Config(const ProgramFolder& folder) const {
    return *ReadServerConfig(folder.File("net.dat"));
  }
  // The year parts fetched since the last call, in order, as "1999_2.dat".
  Strings FetchedParts() {
    Strings parts;
    for (const std::string& line : NewRequests()) {
      const size_t at = line.find("/kabuka/data/");
      if (at != std::string::npos) parts.push_back(line.substr(at + 13, line.find('\t') - at - 13));
    }
    return parts;
  }
  bool SameAsMarket(const ProgramFolder& home, int year) const {
    return ReadBytes(home.YearFile(year)) == ReadBytes(ProgramFolder(Market()).YearFile(year));
  }
};

TEST_F(HistoryDownload, OffersTheMissingCompleteYearsAndFetchesNewestFirst) {
  const ProgramFolder home = NewInstallation("home");
  const HistoryOffer offer = OfferHistory(home, Config(home));
  EXPECT_EQ(offer.items,
            (Strings{"1996～2000年の全データ", "1997～2000年の全データ", "1998～2000年の全データ",
                     "1999～2000年の全データ", "2000年の全データ"}));
  NewRequests();
  std::vector<int> progress;
  EXPECT_EQ(DownloadHistory(home, Config(home), offer.entries, 1,
                            [&](const std::string&, int done, int) { progress.push_back(done); }),
            "ダウンロード終了");
  const Strings parts = FetchedParts();
  ASSERT_FALSE(parts.empty());
  EXPECT_EQ(parts.front(), "2000_1.dat");
  EXPECT_EQ(parts.back().substr(0, 4), "1997");
  EXPECT_TRUE(std::is_sorted(parts.rbegin(), parts.rend(), [](const auto& a, const auto& b) {
    return a.substr(0, 4) < b.substr(0, 4);
  }));
  EXPECT_EQ(progress.size(), parts.size());
  for (int year = 1997; year <= 2000; ++year) EXPECT_TRUE(SameAsMarket(home, year)) << year;
  EXPECT_FALSE(fs::exists(home.YearFile(1996)));
  EXPECT_EQ(ReadUpdateMark(home), int64_t{DayFromCivil(2001, 1, 1)} * 10);

  // Only 1996 is left; once it is there too, nothing is.
  EXPECT_EQ(OfferHistory(home, Config(home)).items, Strings{"1996年の全データ"});
  const HistoryOffer last = OfferHistory(home, Config(home));
  DownloadHistory(home, Config(home), last.entries, 0, [](auto&&...) {});
  EXPECT_EQ(OfferHistory(home, Config(home)).message, "既に全データをダウンロード済みです");
  EXPECT_EQ(ReadUpdateMark(home), int64_t{DayFromCivil(2001, 1, 1)} * 10);
}

TEST_F(HistoryDownload, AFailedPartStopsAtItsYearAndKeepsTheNewerOnes) {
  const ProgramFolder home = NewInstallation("home");
  // A later mark is never lowered by older years.
  const int64_t later = int64_t{DayFromCivil(2001, 6, 14)} * 10 + 5;
  StateFile(home).SetEnciphered("time", std::to_string(later), CipherKey(CipherUse::kMark));
  const fs::path part = ServerFile("kabuka/data/1998_2.dat");
  fs::rename(part, installations_.Path() / "1998_2.dat");
  // A corrupt stream in 1997: nothing of it may be installed.
  WriteBytesAtomically(ServerFile("kabuka/data/1997_1.dat"), "not a zlib stream");
  const HistoryOffer offer = OfferHistory(home, Config(home));
  EXPECT_EQ(DownloadHistory(home, Config(home), offer.entries, 0, [](auto&&...) {}),
            "1998年以前のダウンロードに失敗しました");
  EXPECT_TRUE(SameAsMarket(home, 2000));
  EXPECT_TRUE(SameAsMarket(home, 1999));
  EXPECT_FALSE(fs::exists(home.YearFile(1998)));
  EXPECT_EQ(ReadUpdateMark(home), later);

  fs::rename(installations_.Path() / "1998_2.dat", part);
  const HistoryOffer rest = OfferHistory(home, Config(home));
  EXPECT_EQ(rest.items.back(), "1998年の全データ");
  EXPECT_EQ(DownloadHistory(home, Config(home), rest.entries, 1, [](auto&&...) {}),
            "1997年以前のダウンロードに失敗しました");
  EXPECT_TRUE(SameAsMarket(home, 1998));
  EXPECT_FALSE(fs::exists(home.YearFile(1997)));
  EXPECT_FALSE(fs::exists(home.DataDir() / "1997.dat"));
}

TEST_F(HistoryDownload, CommandLineListsItemsAndDownloadsFromAYear) {
  const ProgramFolder home = NewInstallation("home");
  const auto run = [&](const std::string& arguments) {
    const fs::path out = installations_.Path() / "out.txt";
    const std::string command = std::string(VARNOLT_CLI_PROGRAM) + " --home '" +
                                home.Root().string() + "' history " + arguments + " >'" +
                                out.string() + "' 2>/dev/null </dev/null";
    const int status = std::system(command.c_str());
    return std::make_pair(WEXITSTATUS(status), ReadBytes(out));
  };
  EXPECT_EQ(SplitLines(run("--list").second).front(), "1996～2000年の全データ");
  EXPECT_EQ(run("--from 1995").first, 2);
  EXPECT_EQ(run("--from 1999"), std::make_pair(0, std::string("ダウンロード終了\n--\n")));
  EXPECT_TRUE(SameAsMarket(home, 1999));
  EXPECT_FALSE(fs::exists(home.YearFile(1998)));
  WriteBytesAtomically(ServerFile("files/kbk1.dat"), "<html>gone</html>");
  EXPECT_EQ(run("--list"),
            std::make_pair(1, std::string("作者ホームページに接続できません\n--\n")));
}

}  // namespace
}  // namespace varnolt
