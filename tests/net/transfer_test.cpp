#include "net/transfer.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/text_file.h"
#include "net/data_server.h"
#include "net/reply.h"
#include "net/text_cipher.h"
#include "support/loopback_servers.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;
using testing::LoopbackFtp;
using testing::LoopbackHttp;
using testing::TempFolder;

// One loopback server with every kind of reply the transfers must handle.
class TransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    httplib::Server& s = http_.Server();
    s.Get("/text", [](const httplib::Request&, httplib::Response& r) {
      r.set_content(std::string("line 1\r\nline 2\0after", 20), "text/plain");
    });
    s.Get("/headers", [](const httplib::Request& q, httplib::Response& r) {
      r.set_content("Referer=" + q.get_header_value("Referer") +
                        ";Cache-Control=" + q.get_header_value("Cache-Control"),
                    "text/plain");
    });
    s.Get("/missing", [](const httplib::Request&, httplib::Response& r) {
      r.status = 404;
      r.set_content("<html><body>Not Found</body></html>", "text/html");
    });
    s.Get("/cut", [](const httplib::Request&, httplib::Response& r) {
      // Promises 1000 bytes and closes the connection after 10.
      r.set_content_provider(1000, "application/octet-stream",
                             [](size_t offset, size_t, httplib::DataSink& sink) {
                               if (offset > 0) return false;
                               sink.write("0123456789", 10);
                               return true;
                             });
    });
    s.Get("/big", [this](const httplib::Request&, httplib::Response& r) {
      r.set_content(big_, "application/octet-stream");
    });
    s.Get("/cgi-bin/webtime.cgi", [](const httplib::Request&, httplib::Response& r) {
      r.set_content("<WebTime>\r\n 2024/01/05 12:00:00 \r\n", "text/plain");
    });
    s.Get("/cgi-bin/monthlydir.cgi", [](const httplib::Request&, httplib::Response& r) {
      r.set_content("<dir>\r\nh20231229.dat\r\nr0001.dat\r\n</dir>\r\n", "text/plain");
    });
    s.Get("/cgi-bin/dailydir.cgi", [](const httplib::Request&, httplib::Response& r) {
      r.set_content("<dir>\r\nd20240104.dat\r\n", "text/plain");
    });
    s.Get(R"(/cgi-bin/mainlog\.cgi/(.*))", [this](const httplib::Request& q, httplib::Response& r) {
      std::lock_guard lock(mutex_);
      logged_.push_back(q.matches[1]);
      r.set_content("ok", "text/plain");
    });
    http_.Start();
    base_ = http_.Base();
    big_.assign(300000, 'b');
  }

  LoopbackHttp http_;
  std::string base_;
  std::string big_;
  std::mutex mutex_;
  std::vector<std::string> logged_;
};

TEST_F(TransferTest, GetTextRepliesAndFailures) {
  EXPECT_EQ(GetText(base_ + "text", ""), "line 1\r\nline 2");
  EXPECT_EQ(GetText(base_ + "headers", base_), "Referer=" + base_ + ";Cache-Control=no-cache");
  EXPECT_EQ(GetText(base_ + "headers", ""), "Referer=;Cache-Control=no-cache");
  // An error page is a reply like any other; the validity check rejects it.
  const std::string page = GetText(base_ + "missing", base_);
  EXPECT_EQ(page, "<html><body>Not Found</body></html>");
  EXPECT_FALSE(IsValidReply(page));
  EXPECT_EQ(GetText(base_ + "cut", ""), "");
  EXPECT_EQ(GetText(base_ + "big", "", 1000), "");
  EXPECT_EQ(GetText(base_ + "big", "").size(), big_.size());
  const int closed = testing::FreeLoopbackPort();
  EXPECT_EQ(GetText("http://127.0.0.1:" + std::to_string(closed) + "/", ""), "");
  EXPECT_EQ(GetText("file:///etc/passwd", ""), "");
}

TEST_F(TransferTest, GetFileWritesWholeRepliesOnly) {
  TempFolder folder;
  const fs::path local = folder.Path() / "temp.dat";
  int blocks = 0;
  ASSERT_TRUE(GetFile(base_ + "big", local, base_, [&] { ++blocks; }));
  EXPECT_TRUE(ReadBytes(local) == big_);
  EXPECT_GT(blocks, 1);
  EXPECT_TRUE(GetFile(base_ + "missing", local, ""));  // a page is still a reply
  EXPECT_FALSE(IsValidReply(ReadBytes(local)));
  EXPECT_FALSE(GetFile(base_ + "cut", local, ""));
  EXPECT_FALSE(GetFile(base_ + "big", local, "", {}, 1000));
  const int closed = testing::FreeLoopbackPort();
  fs::remove(local);
  EXPECT_FALSE(GetFile("http://127.0.0.1:" + std::to_string(closed) + "/x", local, ""));
  EXPECT_TRUE(fs::exists(local));  // made even when the server cannot be reached
}

TEST_F(TransferTest, ServerClockListingsAndUsageLog) {
  const DateTime local = *ParseDateTime("2024/01/05 11:00:00");
  DataServer server(ServerConfig{base_, base_, base_, "", ""}, [&] { return local; });
  EXPECT_EQ(server.ClockOffset(), 0);
  ASSERT_TRUE(server.MeasureClock());
  EXPECT_NEAR(server.ClockOffset() * 24, 1.0, 1e-9);
  EXPECT_EQ(FormatDateTime(server.ServerNow()), "2024/01/05 12:00:00");
  EXPECT_EQ(server.ServerToday(), DayFromCivil(2024, 1, 5));
  EXPECT_EQ(server.ListDirectory("monthly"),
            (std::vector<std::string>{"h20231229.dat", "r0001.dat"}));
  EXPECT_FALSE(server.ListDirectory("daily"));  // no "</dir>"

  server.SendUsageLog("mainlog.cgi", "abc123def456", 123456, "in", {"extra line"});
  std::lock_guard lock(mutex_);
  ASSERT_EQ(logged_.size(), 2u);
  EXPECT_EQ(Decipher(logged_[0], CipherUse::kLog), "Lextra line");
  EXPECT_EQ(Decipher(logged_[1], CipherUse::kLog),
            "L2024/01/05 12:00:00 , abc123def456 , 123456 , in , 3600");

  // A server without the time script: offset 0 and local time.
  DataServer silent(ServerConfig{base_ + "none/", "", base_ + "none/", "", ""},
                    [&] { return local; });
  EXPECT_FALSE(silent.MeasureClock());
  EXPECT_EQ(silent.ClockOffset(), 0);
  EXPECT_EQ(FormatDateTime(silent.ServerNow()), "2024/01/05 11:00:00");
}

// An https server with a self-signed certificate is refused: certificates are verified.
TEST(HttpsTransfer, UnverifiedCertificateIsRefused) {
  TempFolder folder;
  const fs::path key = folder.Path() / "key.pem", cert = folder.Path() / "cert.pem";
  const std::string command =
      "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1"
      " -keyout " +
      key.string() + " -out " + cert.string() + " >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  httplib::SSLServer server(cert.c_str(), key.c_str());
  ASSERT_TRUE(server.is_valid());
  server.Get("/", [](const httplib::Request&, httplib::Response& r) {
    r.set_content("secret", "text/plain");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  std::thread thread([&] { server.listen_after_bind(); });
  for (int attempt = 0; attempt < 500 && !server.is_running(); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // The server answers a client that does not verify, so the refusal below is the verification.
  httplib::SSLClient careless("127.0.0.1", port);
  careless.enable_server_certificate_verification(false);
  const auto reply = careless.Get("/");
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->body, "secret");
  const std::string address = "https://127.0.0.1:" + std::to_string(port) + "/";
  EXPECT_EQ(GetText(address, ""), "");
  EXPECT_FALSE(GetFile(address, folder.Path() / "x", ""));
  server.stop();
  thread.join();
}

TEST(FtpTransfer, PutRenameDeleteOnARealServer) {
  TempFolder root, local;
  fs::create_directories(root.Path() / "kabuka" / "daily");
  LoopbackFtp ftp(root.Path(), "owner", "secret12");
  ASSERT_TRUE(ftp.Running()) << "pyftpdlib did not start (scripts/deps installs it)";
  const FtpAccount account{ftp.HostLine(), "owner", "secret12"};
  const fs::path file = local.Path() / "d20240105.dat";
  std::ofstream(file, std::ios::binary) << std::string("\0\r\n\x1f binary", 11);

  ASSERT_TRUE(FtpPut(account, "/kabuka/daily/tabc", file));
  EXPECT_TRUE(ReadBytes(root.Path() / "kabuka/daily/tabc") == ReadBytes(file));
  ASSERT_TRUE(FtpRename(account, "/kabuka/daily/d20240105.dat", "/kabuka/daily/tabc"));
  EXPECT_FALSE(fs::exists(root.Path() / "kabuka/daily/tabc"));
  EXPECT_TRUE(ReadBytes(root.Path() / "kabuka/daily/d20240105.dat") == ReadBytes(file));
  ASSERT_TRUE(FtpDelete(account, "/kabuka/daily/d20240105.dat"));
  EXPECT_FALSE(fs::exists(root.Path() / "kabuka/daily/d20240105.dat"));

  EXPECT_FALSE(FtpDelete(account, "/kabuka/daily/d20240105.dat"));  // already gone
  EXPECT_FALSE(FtpRename(account, "/a", "/missing"));
  EXPECT_FALSE(FtpPut(account, "/temp.txt", local.Path() / "missing"));
  EXPECT_FALSE(FtpPut(FtpAccount{ftp.HostLine(), "owner", "wrong"}, "/temp.txt", file));
  EXPECT_FALSE(FtpPut(FtpAccount{"127.0.0.1:0", "owner", "secret12"}, "/temp.txt", file));
  EXPECT_FALSE(FtpDelete(account, "/x\r\nDELE /y"));
}

}  // namespace
}  // namespace varnolt
