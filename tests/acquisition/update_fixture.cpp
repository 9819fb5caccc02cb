#include "acquisition/update_fixture.h"

#include "base/text_file.h"
#include "net/date_time.h"
#include "net/server_config.h"
#include "tools/demo/demo_data.h"
#include "tools/publish/publish.h"

namespace varnolt::testing {

namespace fs = std::filesystem;

bool RecordingHost::StartProgram(const fs::path& program, const fs::path& working_folder) {
  ++starts;
  if (program.filename() != "Sub" || !downloader) return false;
  downloader(working_folder);
  return true;
}

void UpdateFixture::SetUp() {
  demo::DemoOptions options;
  options.seed = 7;
  options.stock_count = 40;
  options.today = 20010615;
  options.first_year = first_year_;
  demo::GenerateDemoFolder(market_.Path(), options);
  ftp_ =
      std::make_unique<LoopbackFtp>(server_folder_.Path(), "varnolt", std::string(FtpPassword()));
  ASSERT_TRUE(ftp_->Running()) << "pyftpdlib did not start (scripts/deps installs it)";
  port_ = FreeLoopbackPort();
}

void UpdateFixture::Publish(const std::string& upto) {
  publish::Options options;
  options.base = "http://127.0.0.1:" + std::to_string(port_) + "/";
  options.ftp_host = ftp_->HostLine();
  options.upto = SlashToDay(upto);
  options.quotes = true;
  options.part_bytes = part_bytes_;
  options.homepage_before = homepage_before_;
  publish::PublishFolder(market_.Path(), server_folder_.Path(), options);
}

void UpdateFixture::StartServer(const std::string& now, double clock_step) {
  server_.reset();
  server_now_ = now;
  server_ = std::make_unique<LoopbackProgram>(
      std::vector<std::string>{VARNOLT_SERVER_PROGRAM, server_folder_.Path().string(), "--port",
                               std::to_string(port_), "--now", now, "--clock-step",
                               std::to_string(clock_step)},
      port_);
  ASSERT_TRUE(server_->Running());
}

void UpdateFixture::StartLighttpd() {
  server_.reset();
  server_now_ = FormatDateTime(LocalNow());
  const fs::path config = installations_.Path() / "lighttpd.conf";
  WriteBytesAtomically(
      config, "server.document-root = \"" + server_folder_.Path().string() + "\"\n" +
                  "server.bind = \"127.0.0.1\"\nserver.port = " + std::to_string(port_) + "\n" +
                  "server.modules += ( \"mod_rewrite\", \"mod_cgi\" )\n"
                  "url.rewrite-once = ( \"^/(home|file|script)/(.*)$\" => \"/$2\" )\n"
                  "cgi.assign = ( \".cgi\" => \"" VARNOLT_SERVER_PROGRAM "\" )\n");
  server_ = std::make_unique<LoopbackProgram>(
      std::vector<std::string>{"/usr/sbin/lighttpd", "-D", "-f", config.string()}, port_);
  ASSERT_TRUE(server_->Running()) << "lighttpd did not start (scripts/deps installs it)";
}

ProgramFolder UpdateFixture::NewInstallation(const std::string& name) const {
  const ProgramFolder folder(installations_.Path() / name);
  fs::create_directories(folder.Root());
  fs::copy_file(server_folder_.Path() / "files/net.dat", folder.File("net.dat"));
  return folder;
}

UpdateOutcome UpdateFixture::Update(const ProgramFolder& folder, RecordingHost& host,
                                    bool unattended) const {
  host.now = *ParseDateTime(server_now_);
  ServerConfig config = *ReadServerConfig(folder.File("net.dat"));
  UpdateOptions options;
  options.program_stamp = 1;
  options.unattended = unattended;
  return RunLatestUpdate(folder, config, host, options);
}

std::vector<std::string> UpdateFixture::NewRequests() {
  const Lines all = SplitLines(ReadBytes(server_folder_.Path() / "log/requests.log"));
  std::vector<std::string> fresh(all.begin() + static_cast<std::ptrdiff_t>(requests_seen_),
                                 all.end());
  requests_seen_ = all.size();
  return fresh;
}

}  // namespace varnolt::testing
