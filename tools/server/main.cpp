// varnolt-server: a data server for the program, serving a server folder (as varnolt-publish
// makes it) over HTTP on one address and port. The three base addresses of net.dat are all
// http://ADDRESS:PORT/ . With --cgi it answers one request as a CGI program instead, so the
// folder can sit behind any web server (see the README).
#include <httplib.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "server_scripts.h"

namespace {

constexpr const char* kUsage =
    "usage: varnolt-server SERVER_FOLDER [--address A] [--port N]\n"
    "       varnolt-server SERVER_FOLDER --cgi\n"
    "Serves files/, kabuka/ and the scripts of cgi-bin/ (webtime.cgi, monthlydir.cgi,\n"
    "dailydir.cgi, mainlog.cgi, monthlylog.cgi, dailylog.cgi, list.cgi) on A (default\n"
    "127.0.0.1) and port N (default 8080). Usage log records go to SERVER_FOLDER/log/usage.log.\n"
    "--cgi answers the request of the CGI environment (PATH_INFO or REQUEST_URI) on stdout.\n";

// The request path without the leading "/" and without a query.
std::string RelativePath(std::string path) {
  if (const size_t query = path.find('?'); query != std::string::npos) path.resize(query);
  while (!path.empty() && path.front() == '/') path.erase(0, 1);
  return path;
}

int RunCgi(const std::filesystem::path& folder) {
  const char* script = std::getenv("SCRIPT_NAME");
  const char* info = std::getenv("PATH_INFO");
  const char* uri = std::getenv("REQUEST_URI");
  std::string path;
  if (script != nullptr)
    path = std::string(script) + (info != nullptr ? info : "");
  else if (uri != nullptr)
    path = uri;
  const auto reply =
      varnolt::server::ScriptReply(folder, RelativePath(path), varnolt::server::ServerClock());
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
  std::filesystem::path folder;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--cgi") {
      cgi = true;
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
  if (folder.empty() || !std::filesystem::is_directory(folder)) {
    std::cerr << "varnolt-server: needs an existing SERVER_FOLDER\n" << kUsage;
    return 2;
  }
  if (cgi) return RunCgi(folder);

  httplib::Server server;
  // Only files under files/ and kabuka/ are served; httplib refuses paths that climb out.
  server.set_mount_point("/files", (folder / "files").string());
  server.set_mount_point("/kabuka", (folder / "kabuka").string());
  server.Get(R"(/(.*))", [&folder](const httplib::Request& request, httplib::Response& response) {
    const auto reply = varnolt::server::ScriptReply(folder, RelativePath(request.path),
                                                    varnolt::server::ServerClock());
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
