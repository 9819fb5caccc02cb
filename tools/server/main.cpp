// varnolt-server: a data server for the program, serving a server folder (as varnolt-publish
// makes it) over HTTP on one address and port. The three base addresses of net.dat are
// http://ADDRESS:PORT/home/, .../file/ and .../script/, all answered from the one folder (the
// bare root too); each request is logged with its Referer so tests can see which base was used.
// With --cgi it answers one request as a CGI program instead, so the folder can sit behind any
// web server (see the README).
#include <httplib.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>

#include "net/date_time.h"
#include "server_scripts.h"

namespace {

constexpr const char* kUsage =
    "usage: varnolt-server SERVER_FOLDER [--address A] [--port N] [--now TIME] [--clock-step S]\n"
    "       varnolt-server SERVER_FOLDER --cgi\n"
    "Serves files/, kabuka/ and the scripts of cgi-bin/ (webtime.cgi, monthlydir.cgi,\n"
    "dailydir.cgi, mainlog.cgi, monthlylog.cgi, dailylog.cgi, list.cgi) on A (default\n"
    "127.0.0.1) and port N (default 8080). Usage log records go to SERVER_FOLDER/log/usage.log,\n"
    "every request with its Referer to SERVER_FOLDER/log/requests.log.\n"
    "--now \"yyyy/mm/dd hh:mm:ss\" freezes the server clock; --clock-step S moves it on by S\n"
    "seconds after every webtime.cgi request.\n"
    "--cgi answers the request of the CGI environment (SCRIPT_NAME and PATH_INFO, or\n"
    "REQUEST_URI) on stdout. Run by a web server (GATEWAY_INTERFACE set) it does so by itself,\n"
    "serving DOCUMENT_ROOT when its argument is the script file rather than a folder.\n";

// The three base addresses' prefixes, all served from the folder's root.
constexpr const char* kBasePrefixes[] = {"home/", "file/", "script/"};

// The request path without the leading "/", without a base prefix and without a query.
std::string RelativePath(std::string path) {
  if (const size_t query = path.find('?'); query != std::string::npos) path.resize(query);
  while (!path.empty() && path.front() == '/') path.erase(0, 1);
  for (const std::string prefix : kBasePrefixes) {
    if (path.starts_with(prefix)) return path.substr(prefix.size());
  }
  return path;
}

// The server's clock: the machine's, or a frozen time that webtime.cgi requests move on.
class ServerClock {
 public:
  std::optional<varnolt::DateTime> frozen;
  double step_seconds = 0;

  std::string Now(const std::string& path) {
    if (!frozen) return varnolt::server::ServerClock();
    const std::string now = varnolt::FormatDateTime(*frozen);
    if (path == "cgi-bin/webtime.cgi") *frozen += step_seconds / 86400.0;
    return now;
  }
};

int RunCgi(const std::filesystem::path& folder, ServerClock& clock) {
  const char* script = std::getenv("SCRIPT_NAME");
  const char* info = std::getenv("PATH_INFO");
  const char* uri = std::getenv("REQUEST_URI");
  std::string path;
  if (script != nullptr)
    path = std::string(script) + (info != nullptr ? info : "");
  else if (uri != nullptr)
    path = uri;
  const std::string relative = RelativePath(path);
  const auto reply = varnolt::server::ScriptReply(folder, relative, clock.Now(relative));
  if (!reply) {
    // An HTML page, so the program takes it for the error it is.
    std::cout << "Status: 404 Not Found\r\nContent-Type: text/html\r\n\r\n"
                 "<html><body>not found</body></html>\r\n";
    return 0;
  }
  std::cout << "Content-Type: text/plain\r\nCache-Control: no-cache\r\n\r\n" << *reply;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string address = "127.0.0.1";
  int port = 8080;
  bool cgi = false;
  ServerClock clock;
  std::filesystem::path folder;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--cgi") {
      cgi = true;
    } else if (word == "--now" && i + 1 < argc) {
      clock.frozen = varnolt::ParseDateTime(argv[++i]);
      if (!clock.frozen) {
        std::cerr << "varnolt-server: bad time " << argv[i] << "\n" << kUsage;
        return 2;
      }
    } else if (word == "--clock-step" && i + 1 < argc) {
      clock.step_seconds = std::atof(argv[++i]);
    } else if ((word == "--address" || word == "--port") && i + 1 < argc) {
      const std::string value = argv[++i];
      if (word == "--address") {
        address = value;
      } else {
        port = std::atoi(value.c_str());
        if (port < 1 || port > 65535) {
          std::cerr << "varnolt-server: bad port " << value << "\n" << kUsage;
          return 2;
        }
      }
    } else if (word == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (folder.empty() && !word.starts_with("--")) {
      folder = word;
    } else {
      std::cerr << "varnolt-server: unexpected " << word << "\n" << kUsage;
      return 2;
    }
  }
  // Run by a web server as the handler of .cgi files: the argument is the script's own file and
  // the served folder is the document root.
  if (const char* gateway = std::getenv("GATEWAY_INTERFACE"); gateway != nullptr) {
    cgi = true;
    if (const char* root = std::getenv("DOCUMENT_ROOT");
        root != nullptr && !std::filesystem::is_directory(folder)) {
      folder = root;
    }
  }
  if (folder.empty() || !std::filesystem::is_directory(folder)) {
    std::cerr << "varnolt-server: needs an existing SERVER_FOLDER\n" << kUsage;
    return 2;
  }
  if (cgi) return RunCgi(folder, clock);

  httplib::Server server;
  // Only files under files/ and kabuka/ are served; httplib refuses paths that climb out.
  for (const std::string prefix : {"", "/home", "/file", "/script"}) {
    server.set_mount_point(prefix + "/files", (folder / "files").string());
    server.set_mount_point(prefix + "/kabuka", (folder / "kabuka").string());
  }
  std::filesystem::create_directories(folder / "log");
  std::ofstream requests(folder / "log" / "requests.log", std::ios::app);
  std::mutex log_mutex;
  // Logged once the reply is decided but before it is sent, so that a client that has its
  // answer finds the request in the log.
  server.set_post_routing_handler(
      [&](const httplib::Request& request, httplib::Response& response) {
        const std::lock_guard lock(log_mutex);
        requests << request.path << '\t' << request.get_header_value("Referer") << '\t'
                 << response.status << std::endl;
      });
  std::mutex clock_mutex;
  server.Get(R"(/(.*))", [&](const httplib::Request& request, httplib::Response& response) {
    const std::string relative = RelativePath(request.path);
    std::string now;
    {
      const std::lock_guard lock(clock_mutex);
      now = clock.Now(relative);
    }
    const auto reply = varnolt::server::ScriptReply(folder, relative, now);
    if (!reply) {
      response.status = 404;
      response.set_content("<html><body>not found</body></html>", "text/html");
      return;
    }
    response.set_header("Cache-Control", "no-cache");
    response.set_content(*reply, "text/plain");
  });
  std::cerr << "varnolt-server: serving " << folder << " on http://" << address << ":" << port
            << "/\n";
  if (!server.listen(address, port)) {
    std::cerr << "varnolt-server: cannot listen on " << address << ":" << port << "\n";
    return 1;
  }
  return 0;
}
