#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace varnolt::server {

// The four kinds of script of a data server, answered from a server folder. Everything else
// the program fetches is a plain file under files/ and kabuka/. Shared by the HTTP server and
// the CGI mode, so a stock web server answers exactly as varnolt-server does.
//
// `path` is the request path after the base address ("cgi-bin/webtime.cgi",
// "cgi-bin/mainlog.cgi/RECORD"); `now` the server's clock as "yyyy/mm/dd hh:mm:ss". Nothing when
// the path names no script.
std::optional<std::string> ScriptReply(const std::filesystem::path& folder, std::string_view path,
                                       const std::string& now);

// The local time as "yyyy/mm/dd hh:mm:ss".
std::string ServerClock();

// Where the usage log records are appended, one "SCRIPT<TAB>RECORD" line each.
std::filesystem::path UsageLogPath(const std::filesystem::path& folder);

}  // namespace varnolt::server
