// The latest-data update against the reference data server on loopback: what it fetches, what
// it shows, what it leaves in the store and the state, and how each failure ends it.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "acquisition/download_request.h"
#include "acquisition/owner_schedule.h"
#include "acquisition/update_fixture.h"
#include "base/text_codec.h"
#include "base/text_file.h"
#include "net/date_time.h"
#include "net/server_config.h"
#include "net/transfer_file.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;
using testing::RecordingHost;
using Strings = std::vector<std::string>;

int64_t MarkOf(int y, int m, int d, int phase) {
  return int64_t{DayFromCivil(y, m, d)} * 10 + phase;
}

size_t CountContaining(const Strings& lines, std::string_view text) {
  return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
    return l.find(text) != std::string::npos;
  }));
}

bool SameFile(const fs::path& a, const fs::path& b) {
  return fs::exists(a) && fs::exists(b) && ReadBytes(a) == ReadBytes(b);
}

class LatestUpdate : public testing::UpdateFixture {};

TEST_F(LatestUpdate, FirstUpdateBringsTheStoreToTheNewestDayAndASecondFetchesNothing) {
  Publish("2001/05/31");
  StartServer("2001/06/15 18:00:00");
  const ProgramFolder home = NewInstallation("home");
  RecordingHost host;
  const UpdateOutcome first = Update(home, host);
  EXPECT_TRUE(first.completed);
  EXPECT_EQ(first.procedure_result, true);
  EXPECT_EQ(host.messages, Strings{"2001/06/15が最新データです"});
  // That year's file only, the monthly file after it, today's daily file: the store is whole.
  EXPECT_TRUE(SameFile(home.YearFile(2001), ProgramFolder(Market()).YearFile(2001)));
  EXPECT_FALSE(fs::exists(home.YearFile(2000)));
  EXPECT_EQ(ReadUpdateMark(home), MarkOf(2001, 6, 15, 0));
  EXPECT_TRUE(SameFile(home.File("codedata.txt"), Market() / "codedata.txt"));
  EXPECT_TRUE(SameFile(home.DataDir() / "finance.dat", Market() / "data/finance.dat"));
  const Strings requests = NewRequests();
  const std::string base = "http://127.0.0.1:" + std::to_string(port_) + "/";
  EXPECT_EQ(requests.front(), "/script/cgi-bin/webtime.cgi\t" + base + "script/\t200");
  EXPECT_EQ(CountContaining(requests, "/file/kabuka/data/2001_1.dat\t" + base + "file/"), 1u);
  EXPECT_EQ(CountContaining(requests, "/script/kabuka/monthly/h20010614.dat"), 1u);
  EXPECT_EQ(CountContaining(requests, "/script/kabuka/daily/d20010615.dat"), 1u);
  EXPECT_EQ(CountContaining(requests, "mainlog.cgi"), 2u);
  // No temporary file stays behind.
  for (const auto& entry : fs::directory_iterator(home.DataDir())) {
    EXPECT_TRUE(entry.path().extension() == ".kbk" || entry.path().filename() == "all.txt" ||
                entry.path().filename() == "finance.dat")
        << entry.path();
  }

  RecordingHost again;
  EXPECT_TRUE(Update(home, again).procedure_result.value_or(false));
  EXPECT_EQ(again.messages, Strings{"2001/06/15が最新データです"});
  EXPECT_EQ(CountContaining(NewRequests(), "/kabuka/"), 0u);
}

TEST_F(LatestUpdate, RFilesComeEveryTimeAndEachDatedNoticeIsShownOnce) {
  Publish("2001/05/31");
  fs::copy_file(ServerFile("kabuka/monthly/h20010614.dat"),
                ServerFile("kabuka/monthly/r20010614.dat"));
  WriteBytesAtomically(ServerFile("files/ini2.dat"),
                       "ok\r\n0\r\n0\r\n0\r\n0\r\n0\r\n<msg>2001/06/01\r\nfirst\r\n</msg>\r\n"
                       "junk\r\n<msg>2001/06/10\r\nsecond\r\nline</msg>\r\n");
  StartServer("2001/06/15 18:00:00");
  const ProgramFolder home = NewInstallation("home");
  std::vector<Strings> shown;
  for (int run = 0; run < 3; ++run) {
    RecordingHost host;
    Update(home, host);
    shown.push_back(host.messages);
  }
  EXPECT_EQ(shown[0], (Strings{"first", "2001/06/15が最新データです"}));
  EXPECT_EQ(shown[1], (Strings{"second\nline", "2001/06/15が最新データです"}));
  EXPECT_EQ(shown[2], (Strings{"2001/06/15が最新データです"}));
  EXPECT_EQ(CountContaining(NewRequests(), "kabuka/monthly/r20010614.dat"), 3u);
  EXPECT_TRUE(SameFile(home.YearFile(2001), ProgramFolder(Market()).YearFile(2001)));
}

TEST_F(LatestUpdate, FailuresEndTheCommandWithTheirMessageAndKeepTheStore) {
  Publish("2001/05/31");
  struct Case {
    std::string name;
    std::function<void()> arrange;
    std::string now;
    double clock_step;
    std::string message;
    bool year_file_fetched;
  };
  const fs::path holidays = ServerFile("files/holidays.txt");
  const std::string saved_holidays = ReadBytes(holidays);
  const std::vector<Case> cases = {
      {"error page for the holidays", [&] { WriteBytesAtomically(holidays, "<html>x</html>"); },
       "2001/06/15 18:00:00", 0, "接続に失敗しました", false},
      {"unknown service state",
       [&] {
         WriteBytesAtomically(holidays, saved_holidays);
         WriteBytesAtomically(ServerFile("files/ini2.dat"), "maybe\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
       },
       "2001/06/15 18:00:00", 0, "接続に失敗しました", false},
      {"clock three days off",
       [&] { WriteBytesAtomically(ServerFile("files/ini2.dat"), "ok\r\n0\r\n0\r\n0\r\n0\r\n0"); },
       "2001/06/18 18:00:00", 0, "内部時計の日付が不正常です", false},
      {"clock moving two minutes a request", [] {}, "2001/06/15 18:00:00", 120,
       "内部時計の動きが異常です", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    StartServer(c.now, c.clock_step);
    const ProgramFolder home = NewInstallation(c.name);
    RecordingHost host;
    host.now = *ParseDateTime("2001/06/15 18:00:00");
    ServerConfig config = *ReadServerConfig(home.File("net.dat"));
    const UpdateOutcome outcome = RunLatestUpdate(home, config, host, {});
    EXPECT_FALSE(outcome.completed && outcome.procedure_result.value_or(true));
    EXPECT_EQ(host.messages, Strings{c.message});
    EXPECT_EQ(fs::exists(home.YearFile(2001)), c.year_file_fetched);
    // A clock that moves stops the update before any conversion: the year file is as served.
    if (c.year_file_fetched) {
      EXPECT_EQ(ReadUpdateMark(home), MarkOf(2001, 5, 31, 5));
      EXPECT_FALSE(SameFile(home.YearFile(2001), ProgramFolder(Market()).YearFile(2001)));
    }
  }
}

TEST_F(LatestUpdate, AllstopFetchesNoPricesAndStopNeverStartsTheDownloader) {
  Publish("2001/05/31");
  fs::remove(ServerFile("kabuka/daily/d20010615.dat"));
  WriteBytesAtomically(ServerFile("files/ini2.dat"), "allstop\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  StartServer("2001/06/16 09:00:00");
  const ProgramFolder home = NewInstallation("home");
  RecordingHost halted;
  EXPECT_TRUE(Update(home, halted).completed);
  EXPECT_TRUE(halted.messages.empty());
  EXPECT_EQ(CountContaining(NewRequests(), "/kabuka/"), 0u);

  WriteBytesAtomically(ServerFile("files/ini2.dat"), "stop\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  RecordingHost stopped;
  stopped.downloader = [](const fs::path&) { FAIL() << "the downloader ran"; };
  EXPECT_EQ(Update(home, stopped).procedure_result, true);
  EXPECT_EQ(stopped.messages, Strings{"2001/06/14が最新データです"});
  EXPECT_EQ(ReadUpdateMark(home), MarkOf(2001, 6, 14, 5));
}

TEST_F(LatestUpdate, FirstUpdateFromAStockWebServerWithTheScriptsAsCgi) {
  Publish("2001/05/31");
  WriteBytesAtomically(ServerFile("files/ini2.dat"), "stop\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  StartLighttpd();
  const ProgramFolder home = NewInstallation("home");
  RecordingHost host;
  EXPECT_EQ(Update(home, host).procedure_result, true);
  // Years later by the machine's clock, the daily file is no longer due.
  EXPECT_EQ(host.messages, Strings{"2001/06/14が最新データです"});
  EXPECT_EQ(ReadUpdateMark(home), MarkOf(2001, 6, 14, 5));
  // The usage records came through the web server's path info whole.
  const std::string usage = ReadBytes(ServerFile("log/usage.log"));
  EXPECT_EQ(CountContaining(SplitLines(usage), " , in , "), 1u);
  EXPECT_EQ(CountContaining(SplitLines(usage), " , out , "), 1u);
}

TEST_F(LatestUpdate, ComponentsAreRenewedWhenTheServersStampIsNewer) {
  Publish("2001/06/14");
  const uint32_t newer = 0xFFFFFFF0;
  const std::string stamps = "ok\r\n" + std::to_string(newer) + "\r\n" + std::to_string(newer) +
                             "\r\n0\r\n" + std::to_string(newer) + "\r\n" + std::to_string(newer) +
                             "\r\n";
  WriteBytesAtomically(ServerFile("files/ini2.dat"), stamps);
  // The downloader travels as a transfer file; net.dat names the server anew (same addresses,
  // another FTP user).
  WriteBytesAtomically(installations_.Path() / "Sub.plain", "#!/bin/sh\n");
  ASSERT_TRUE(CompressFile(installations_.Path() / "Sub.plain", ServerFile("files/Sub.dat")));
  ServerConfig renamed = *ReadServerConfig(ServerFile("files/net.dat"));
  renamed.ftp_user = "renamed";
  WriteServerConfig(ServerFile("files/net.dat"), renamed);
  StartServer("2001/06/15 18:00:00");

  const ProgramFolder home = NewInstallation("home");
  // The user's check marks on the catalogue survive its renewal.
  Lines catalogue = SplitLines(SjisToUtf8(ReadBytes(Market() / "codedata.txt")));
  catalogue[2] += "◎長期";
  WriteLines(home.File("codedata.txt"), catalogue);
  fs::last_write_time(home.File("codedata.txt"), fs::file_time_type{});
  for (int run = 0; run < 2; ++run) {
    RecordingHost host;
    host.now = *ParseDateTime("2001/06/15 18:00:00");
    ServerConfig config = *ReadServerConfig(home.File("net.dat"));
    RunLatestUpdate(home, config, host, {});
    if (run == 0) {
      // The new version is announced once; the configuration in use is the new one.
      ASSERT_FALSE(host.messages.empty());
      EXPECT_TRUE(host.messages.front().starts_with("Varnoltの最新版があります。\n作者HP(http"));
      EXPECT_EQ(config.ftp_user, "renamed");
    } else {
      EXPECT_EQ(host.messages, Strings{"2001/06/15が最新データです"});
    }
  }
  EXPECT_EQ(ReadLines(home.File("codedata.txt"))[2], catalogue[2]);
  EXPECT_EQ(ReadBytes(home.File("Sub")), "#!/bin/sh\n");
  EXPECT_TRUE((fs::status(home.File("Sub")).permissions() & fs::perms::owner_exec) !=
              fs::perms::none);
  EXPECT_EQ(ReadServerConfig(home.File("net.dat"))->ftp_user, "renamed");
}

// The command line prints each message and "--", and its status says whether all went well.
TEST_F(LatestUpdate, CommandLinePrintsEachMessageAndExitsWithTheOutcome) {
  Publish("2001/05/31");
  StartServer("2001/06/15 18:00:00");
  const ProgramFolder home = NewInstallation("home");
  const auto run = [&](const std::string& extra) {
    const fs::path out = installations_.Path() / "out.txt";
    const std::string command = std::string(VARNOLT_CLI_PROGRAM) + " --home '" +
                                home.Root().string() +
                                "' --now '2001/06/15 18:00:00' update --poll-seconds 0" + extra +
                                " >'" + out.string() + "' </dev/null";
    const int status = std::system(command.c_str());
    return std::make_pair(WEXITSTATUS(status), ReadBytes(out));
  };
  EXPECT_EQ(run(""), std::make_pair(0, std::string("2001/06/15が最新データです\n--\n")));
  WriteBytesAtomically(ServerFile("files/all.txt"), "");
  EXPECT_EQ(run(""), std::make_pair(1, std::string("接続に失敗しました\n--\n")));
  EXPECT_EQ(run(" --unattended"), std::make_pair(1, std::string()));
}

// Runs `varnolt-cli update` on the folder and kills it after `delay` (never when it is zero).
void UpdateKilledAfter(const ProgramFolder& folder, std::chrono::microseconds delay) {
  const std::string home = folder.Root().string();
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    execl(VARNOLT_CLI_PROGRAM, VARNOLT_CLI_PROGRAM, "--home", home.c_str(), "--now",
          "2001/06/15 18:00:00", "update", static_cast<char*>(nullptr));
    _exit(127);
  }
  if (delay.count() > 0) {
    std::this_thread::sleep_for(delay);
    kill(child, SIGKILL);
  }
  waitpid(child, nullptr, 0);
}

// Kills fall before the year file, after it, in the monthly and daily files and after the end.
TEST_F(LatestUpdate, AKillAtAnyMomentLeavesAReadableStoreThatTheNextUpdateCompletes) {
  Publish("2001/05/31");
  StartServer("2001/06/15 18:00:00");
  const auto started = std::chrono::steady_clock::now();
  UpdateKilledAfter(NewInstallation("whole"), {});
  const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - started);
  for (int step = 1; step < 16; ++step) {
    SCOPED_TRACE(step);
    const ProgramFolder home = NewInstallation("killed" + std::to_string(step));
    UpdateKilledAfter(home, whole * step / 16);
    for (int year : {2000, 2001}) {
      if (fs::exists(home.YearFile(year))) {
        EXPECT_TRUE(IsWellFormedYearFile(home.YearFile(year)));
      }
    }
    RecordingHost host;
    EXPECT_EQ(Update(home, host).procedure_result, true);
    EXPECT_TRUE(SameFile(home.YearFile(2001), ProgramFolder(Market()).YearFile(2001)));
  }
}

// The downloader brings the day the server lacks; it goes up as the month's new file, which a
// second installation then takes with its ordinary update.
class DownloaderRound : public testing::UpdateFixture {
 protected:
  void SetUp() override {
    UpdateFixture::SetUp();
    Publish("2001/05/31");
    // The server's newest day becomes the downloader's answer instead.
    const fs::path daily = ServerFile("kabuka/daily/d20010615.dat");
    ASSERT_TRUE(DecompressFile(daily, answer_.Path() / "prices.csv", kCsvTransferLimit));
    fs::remove(daily);
    StartServer("2001/06/16 09:00:00");
  }

  // A downloader that checks the request and answers it with the day the server lacks.
  void Answer(RecordingHost& host) {
    host.downloader = [this](const fs::path& program_folder) {
      const auto lines = ReadDownloadRequestLines(program_folder / "download.ini");
      ASSERT_TRUE(lines);
      auto request = ParseDownloadRequest(*lines);
      ASSERT_TRUE(request);
      EXPECT_FALSE(request->daily);
      EXPECT_EQ(request->start, DayFromCivil(2001, 6, 15));
      EXPECT_EQ(request->end, DayFromCivil(2001, 6, 15));
      fs::copy_file(answer_.Path() / "prices.csv", request->result);
      request->state = "stop";
      WriteDownloadRequest(program_folder / "download.ini", *request);
    };
  }

  testing::TempFolder answer_;
};

TEST_F(DownloaderRound, ConvertsUploadsAndASecondInstallationFetchesTheMonth) {
  const ProgramFolder home = NewInstallation("home");
  RecordingHost host;
  Answer(host);
  EXPECT_EQ(Update(home, host).procedure_result, true);
  EXPECT_EQ(host.messages, Strings{"2001/06/15が最新データです"});
  EXPECT_EQ(host.starts, 1);
  EXPECT_EQ(ReadUpdateMark(home), MarkOf(2001, 6, 15, 5));
  EXPECT_TRUE(SameFile(home.YearFile(2001), ProgramFolder(Market()).YearFile(2001)));
  // The merged month replaced the server's shorter one.
  EXPECT_TRUE(fs::exists(ServerFile("kabuka/monthly/h20010615.dat")));
  EXPECT_FALSE(fs::exists(ServerFile("kabuka/monthly/h20010614.dat")));

  const ProgramFolder other = NewInstallation("other");
  RecordingHost second;
  second.downloader = [](const fs::path&) { FAIL() << "nothing should be missing"; };
  EXPECT_EQ(Update(other, second).procedure_result, true);
  EXPECT_EQ(second.messages, Strings{"2001/06/15が最新データです"});
  EXPECT_TRUE(SameFile(other.YearFile(2001), ProgramFolder(Market()).YearFile(2001)));
}

TEST_F(DownloaderRound, OurDownloaderAnswersFromTheServersQuoteSource) {
  const ProgramFolder home = NewInstallation("home");
  WriteLines(home.File("sub.ini"),
             {"http://127.0.0.1:" + std::to_string(port_) + "/script/cgi-bin/quote.cgi/"});
  RecordingHost host;
  host.downloader = [](const fs::path& folder) {
    const std::string command = "cd '" + folder.string() + "' && " VARNOLT_SUB_PROGRAM;
    EXPECT_EQ(std::system(command.c_str()), 0);
  };
  EXPECT_EQ(Update(home, host).procedure_result, true);
  EXPECT_EQ(host.messages, Strings{"2001/06/15が最新データです"});
  EXPECT_TRUE(SameFile(home.YearFile(2001), ProgramFolder(Market()).YearFile(2001)));
  EXPECT_TRUE(fs::exists(ServerFile("kabuka/monthly/h20010615.dat")));

  // Without its quote source the downloader reports an error and the update keeps its mark.
  fs::remove(home.File("sub.ini"));
  fs::remove(ServerFile("kabuka/monthly/h20010615.dat"));
  const ProgramFolder other = NewInstallation("other");
  RecordingHost failing;
  failing.downloader = host.downloader;
  EXPECT_EQ(Update(other, failing).procedure_result, false);
  EXPECT_EQ(failing.messages, Strings{"2001/05/31より後のデータを入手できませんでした"});
}

TEST_F(DownloaderRound, TheOwnersScheduleUploadsUnattendedAndRecordsTheOutcome) {
  const ProgramFolder home = NewInstallation("home");
  fs::copy_file(ServerFile("kabuka/monthly/h20010614.dat"),
                ServerFile("kabuka/daily/d20010613.dat"));
  WriteLines(home.File("ownerautopilot.log"), {"08:30", "23:00,Failure", "07:00,Success", "bad"});
  RecordingHost host;
  Answer(host);
  host.now = *ParseDateTime("2001/06/16 09:00:00");
  ServerConfig config = *ReadServerConfig(home.File("net.dat"));
  const SchedulePass pass = RunOwnerSchedule(home, config, host, {});
  EXPECT_TRUE(pass.schedule_found);
  EXPECT_TRUE(pass.update_ran);
  EXPECT_EQ(ReadLines(home.File("ownerautopilot.log")),
            (Lines{"08:30,Success", "23:00", "07:00,Success", "bad"}));
  EXPECT_TRUE(host.messages.empty());
  // One poll of the downloader, the pause after the run, then before and after check.
  EXPECT_EQ(host.waited, (std::vector<double>{10, 30, 10, 180}));
  // Unattended: made and uploaded for the server, nothing taken in locally.
  EXPECT_TRUE(fs::exists(ServerFile("kabuka/monthly/h20010615.dat")));
  EXPECT_FALSE(fs::exists(home.YearFile(2001)));
  EXPECT_EQ(ReadUpdateMark(home), MarkOf(2001, 5, 31, 5));
  // Old daily files are cleared away; the financial data beside them stays.
  EXPECT_FALSE(fs::exists(ServerFile("kabuka/daily/d20010613.dat")));
  EXPECT_TRUE(fs::exists(ServerFile("kabuka/daily/finance.dat")));

  // Later the same day nothing is due; without the file there is no schedule at all.
  RecordingHost later;
  later.now = *ParseDateTime("2001/06/16 10:00:00");
  EXPECT_FALSE(RunOwnerSchedule(home, config, later, {}).update_ran);
  fs::remove(home.File("ownerautopilot.log"));
  EXPECT_FALSE(RunOwnerSchedule(home, config, later, {}).schedule_found);
}

TEST_F(DownloaderRound, ARenameFailingThreeTimesKeepsTheMarkAndConvertsNothing) {
  // The final name is taken by a folder, so every rename onto it fails.
  fs::create_directories(ServerFile("kabuka/monthly/h20010615.dat/taken"));
  const ProgramFolder home = NewInstallation("home");
  RecordingHost host;
  Answer(host);
  EXPECT_EQ(Update(home, host).procedure_result, false);
  EXPECT_EQ(host.messages, Strings{"2001/06/14より後のデータを入手できませんでした"});
  EXPECT_EQ(host.waits, 1 + 2);  // one poll, then two pauses between the three renames
  EXPECT_EQ(ReadUpdateMark(home), MarkOf(2001, 6, 14, 5));
  EXPECT_FALSE(SameFile(home.YearFile(2001), ProgramFolder(Market()).YearFile(2001)));
  EXPECT_TRUE(fs::exists(ServerFile("kabuka/monthly/h20010614.dat")));
}

TEST_F(DownloaderRound, ADownloaderThatNeverTakesTheRequestUpIsStartedAtEveryPoll) {
  const ProgramFolder home = NewInstallation("home");
  RecordingHost host;
  int calls = 0;
  host.downloader = [&](const fs::path& folder) {
    if (++calls == 3) {
      auto request = *ParseDownloadRequest(*ReadDownloadRequestLines(folder / "download.ini"));
      request.state = "error";
      WriteDownloadRequest(folder / "download.ini", request);
    }
  };
  EXPECT_EQ(Update(home, host).procedure_result, false);
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(host.messages, Strings{"2001/06/14より後のデータを入手できませんでした"});
}

}  // namespace
}  // namespace varnolt
