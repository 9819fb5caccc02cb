#pragma once

// A data server on loopback (varnolt-server and an FTP server on the same folder) published
// from a demo market, and an installation that updates from it with a host that records what
// the window would show.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "acquisition/latest_update.h"
#include "support/loopback_servers.h"
#include "support/temp_folder.h"

namespace varnolt::testing {

class RecordingHost : public UpdateHost {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void SetStatus(const std::string& text) override { statuses.push_back(text); }
  void SetDetail(const std::string&) override {}
  void HideProgress() override {}
  DateTime LocalNow() override { return now; }
  void Wait(double seconds) override {
    ++waits;
    waited.push_back(seconds);
  }
  bool StartProgram(const std::filesystem::path& program,
                    const std::filesystem::path& working_folder) override;

  DateTime now = 0;
  std::vector<std::string> messages;
  std::vector<std::string> statuses;
  int waits = 0;
  std::vector<double> waited;
  int starts = 0;
  // Stands for the external downloader: runs at each start with the program folder.
  std::function<void(const std::filesystem::path&)> downloader;
};

class UpdateFixture : public ::testing::Test {
 protected:
  // The demo market of 2001/06/15 (a Friday), published with its year files ending at `upto`.
  void SetUp() override;
  void Publish(const std::string& upto);
  // Starts (or restarts) the data server with its clock at `now`.
  void StartServer(const std::string& now, double clock_step = 0);
  // Serves the folder with Debian's lighttpd instead, its scripts answered by varnolt-server as
  // the CGI handler, as the README sets it up; the clock is the machine's.
  void StartLighttpd();
  // A fresh installation that knows the server.
  ProgramFolder NewInstallation(const std::string& name) const;
  UpdateOutcome Update(const ProgramFolder& folder, RecordingHost& host,
                       bool unattended = false) const;
  // The requests the server has answered since the last call, "PATH<TAB>REFERER<TAB>STATUS".
  std::vector<std::string> NewRequests();
  std::filesystem::path ServerFile(const std::string& path) const {
    return server_folder_.Path() / path;
  }
  const std::filesystem::path& Market() const { return market_.Path(); }

  // Set by a derived fixture before SetUp: the market's first year, the part size of the year
  // files and the years listed in kbk1.dat.
  int first_year_ = 2000;
  size_t part_bytes_ = 512 * 1024;
  int homepage_before_ = 0;

  TempFolder market_, server_folder_, installations_;
  std::unique_ptr<LoopbackFtp> ftp_;
  std::unique_ptr<LoopbackProgram> server_;
  int port_ = 0;
  size_t requests_seen_ = 0;
  std::string server_now_;
};

}  // namespace varnolt::testing
