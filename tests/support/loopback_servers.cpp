#include "support/loopback_servers.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <httplib.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace varnolt::testing {
namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

}  // namespace

int FreeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(fd);
  return port;
}

bool WaitForPort(int port) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(port);
    const bool open =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    if (open) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

LoopbackHttp::LoopbackHttp() : server_(new httplib::Server) {}

LoopbackHttp::~LoopbackHttp() {
  server_->stop();
  if (thread_.joinable()) thread_.join();
  delete server_;
}

void LoopbackHttp::Start() {
  port_ = server_->bind_to_any_port("127.0.0.1");
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  // Until the loop runs, stop() would not reach it.
  for (int attempt = 0; attempt < 500 && !server_->is_running(); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::string LoopbackHttp::Base() const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/";
}

LoopbackProgram::LoopbackProgram(const std::vector<std::string>& arguments, int port) {
  std::vector<char*> argv;
  for (const std::string& word : arguments) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  pid_ = ::fork();
  if (pid_ == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  running_ = pid_ > 0 && WaitForPort(port);
}

LoopbackProgram::~LoopbackProgram() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
}

LoopbackFtp::LoopbackFtp(const std::filesystem::path& root, const std::string& user,
                         const std::string& password)
    : port_(FreeLoopbackPort()),
      program_({"/usr/bin/python3", "-m", "pyftpdlib", "-i", "127.0.0.1", "-p",
                std::to_string(port_), "-w", "-d", root.string(), "-u", user, "-P", password},
               port_) {}

std::string LoopbackFtp::HostLine() const {
  return "127.0.0.1:" + std::to_string(port_);
}

}  // namespace varnolt::testing
