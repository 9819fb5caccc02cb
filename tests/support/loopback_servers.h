#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace varnolt::testing {

// A port on 127.0.0.1 that was free a moment ago.
int FreeLoopbackPort();
// Waits (at most about five seconds) until something accepts connections on the port.
bool WaitForPort(int port);

// An HTTP server on 127.0.0.1 inside the test process, on a port of its own; the test adds its
// handlers to Server() before Start(). Stopped and joined when it goes out of scope.
class LoopbackHttp {
 public:
  LoopbackHttp();
  ~LoopbackHttp();
  LoopbackHttp(const LoopbackHttp&) = delete;
  LoopbackHttp& operator=(const LoopbackHttp&) = delete;

  httplib::Server& Server() { return *server_; }
  void Start();
  // "http://127.0.0.1:PORT/"
  std::string Base() const;

 private:
  httplib::Server* server_;
  int port_ = 0;
  std::thread thread_;
};

// A server program started with `arguments` (the program first) that listens on `port` of
// 127.0.0.1; ended by its process id when the object goes out of scope.
class LoopbackProgram {
 public:
  LoopbackProgram(const std::vector<std::string>& arguments, int port);
  ~LoopbackProgram();
  LoopbackProgram(const LoopbackProgram&) = delete;
  LoopbackProgram& operator=(const LoopbackProgram&) = delete;

  bool Running() const { return running_; }

 private:
  pid_t pid_ = -1;
  bool running_ = false;
};

// A real FTP server (Debian's pyftpdlib) on 127.0.0.1 serving `root` with write access for one
// account; the process is ended when the object goes out of scope.
class LoopbackFtp {
 public:
  LoopbackFtp(const std::filesystem::path& root, const std::string& user,
              const std::string& password);
  LoopbackFtp(const LoopbackFtp&) = delete;
  LoopbackFtp& operator=(const LoopbackFtp&) = delete;

  bool Running() const { return program_.Running(); }
  // "127.0.0.1:PORT", the form of the FTP host line.
  std::string HostLine() const;

 private:
  int port_ = 0;
  LoopbackProgram program_;
};

}  // namespace varnolt::testing
