#include "server_scripts.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "base/numbers.h"
#include "base/text_codec.h"
#include "net/date_time.h"
#include "net/reply.h"
#include "net/text_cipher.h"
#include "publish/stored_prices.h"

namespace varnolt::server {
namespace {

// "<dir>", the plain file names of a folder in name order, "</dir>".
std::string Listing(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file(error) && IsPlainFileName(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  std::string text = "<dir>\r\n";
  for (const std::string& name : names) text += name + "\r\n";
  return text + "</dir>\r\n";
}

// Appends one line with a single write, so records of concurrent requests never interleave.
void AppendRecord(const std::filesystem::path& folder, std::string_view script,
                  std::string_view record) {
  std::error_code error;
  std::filesystem::create_directories(UsageLogPath(folder).parent_path(), error);
  const int fd =
      ::open(UsageLogPath(folder).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return;
  const std::string line = std::string(script) + "\t" + std::string(record) + "\n";
  [[maybe_unused]] const ssize_t written = ::write(fd, line.data(), line.size());
  ::close(fd);
}

// "CODE/FROM/TO" (dates yyyymmdd): the stored prices of the quote source between "<quotes>" and
// "</quotes>", so a reply cut short never passes for one without prices.
std::optional<std::string> QuoteReply(const std::filesystem::path& folder, std::string_view query) {
  const size_t first = query.find('/');
  const size_t second = query.find('/', first + 1);
  if (first == std::string_view::npos || second == std::string_view::npos) return std::nullopt;
  const std::optional<int64_t> code = ParseDigits(query.substr(0, first));
  const DayNumber from = CompactToDay(query.substr(first + 1, second - first - 1));
  const DayNumber to = CompactToDay(query.substr(second + 1));
  if (!code || *code > 9999 || from == 0 || to == 0) return std::nullopt;
  std::string reply = "<quotes>\r\n";
  try {
    for (const std::string& line :
         publish::StoredPriceLines(folder / "quotes" / "data", static_cast<int>(*code), from, to)) {
      reply += Utf8ToSjis(line) + "\r\n";
    }
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return reply + "</quotes>\r\n";
}

}  // namespace

std::optional<std::string> ScriptReply(const std::filesystem::path& folder, std::string_view path,
                                       const std::string& now) {
  if (path == "") return std::string("ok\r\n");
  if (path == "cgi-bin/webtime.cgi") return "<webtime>\r\n" + now + "\r\n";
  if (path == "cgi-bin/monthlydir.cgi") return Listing(folder / "kabuka" / "monthly");
  if (path == "cgi-bin/dailydir.cgi") return Listing(folder / "kabuka" / "daily");
  if (path == "cgi-bin/list.cgi") return std::string("ok\r\n");
  if (path.starts_with("cgi-bin/quote.cgi/")) return QuoteReply(folder, path.substr(18));
  for (std::string_view script : {"mainlog.cgi", "monthlylog.cgi", "dailylog.cgi"}) {
    const std::string prefix = "cgi-bin/" + std::string(script) + "/";
    if (!path.starts_with(prefix)) continue;
    // Records that do not decipher, or carry a line break, are dropped: the log stays one
    // record a line.
    const std::optional<std::string> record = Decipher(path.substr(prefix.size()), CipherUse::kLog);
    if (record && record->starts_with("L") && record->find_first_of("\r\n") == std::string::npos) {
      AppendRecord(folder, script, std::string_view(*record).substr(1));
    }
    return std::string("ok\r\n");
  }
  return std::nullopt;
}

std::string ServerClock() {
  return FormatDateTime(LocalNow());
}

std::filesystem::path UsageLogPath(const std::filesystem::path& folder) {
  return folder / "log" / "usage.log";
}

}  // namespace varnolt::server
