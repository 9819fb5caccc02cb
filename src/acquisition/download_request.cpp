#include "acquisition/download_request.h"

#include "base/numbers.h"
#include "base/text_file.h"
#include "net/durable_file.h"
#include "net/server_config.h"
#include "net/text_cipher.h"

namespace varnolt {
namespace {

// A date as the three lines year − 1985, month − 1, day − 1.
void AppendDate(std::vector<std::string>& lines, DayNumber day) {
  const CivilDate date = CivilFromDay(day);
  lines.push_back(std::to_string(date.year - 1985));
  lines.push_back(std::to_string(date.month - 1));
  lines.push_back(std::to_string(date.day - 1));
}

// A line of digits whose value fits an int.
std::optional<int> SmallWhole(const std::string& text) {
  const std::optional<int64_t> value = ParseDigits(text);
  if (!value || *value > INT32_MAX) return std::nullopt;
  return static_cast<int>(*value);
}

DayNumber DateAt(const std::vector<std::string>& lines, size_t at) {
  const auto year = SmallWhole(lines[at]), month = SmallWhole(lines[at + 1]),
             day = SmallWhole(lines[at + 2]);
  // Years stay within what the store holds, so the day number cannot overflow.
  if (!year || !month || !day || *year > 100 || !IsValidCivil(*year + 1985, *month + 1, *day + 1))
    return 0;
  return DayFromCivil(*year + 1985, *month + 1, *day + 1);
}

}  // namespace

std::vector<std::string> DownloadRequestLines(const DownloadRequest& request) {
  std::vector<std::string> lines{request.state, request.code_list.string(),
                                 request.result.string()};
  if (request.daily) {
    lines.insert(lines.end(), 6, "10");
  } else {
    AppendDate(lines, request.start);
    AppendDate(lines, request.end);
  }
  lines.insert(lines.end(), {"false", "false", request.daily ? "daily" : "historical",
                             request.daily ? std::to_string(request.mark_day) : ""});
  return lines;
}

std::optional<DownloadRequest> ParseDownloadRequest(const std::vector<std::string>& lines) {
  if (lines.size() < 12) return std::nullopt;
  DownloadRequest request;
  request.state = lines[0];
  request.code_list = lines[1];
  request.result = lines[2];
  if (lines[11] == "daily") {
    request.daily = true;
    const auto day = lines.size() > 12 ? SmallWhole(lines[12]) : std::nullopt;
    if (!day) return std::nullopt;
    request.mark_day = *day;
    return request;
  }
  if (lines[11] != "historical") return std::nullopt;
  request.start = DateAt(lines, 3);
  request.end = DateAt(lines, 6);
  if (request.start == 0 || request.end == 0) return std::nullopt;
  return request;
}

void WriteDownloadRequest(const std::filesystem::path& path, const DownloadRequest& request) {
  WriteFileDurably(path, Encipher(JoinPlainLines(DownloadRequestLines(request)),
                                  CipherKey(CipherUse::kDownload)));
}

std::optional<std::vector<std::string>> ReadDownloadRequestLines(
    const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return std::nullopt;
  std::string text = ReadBytes(path);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  const std::optional<std::string> plain = Decipher(text, CipherKey(CipherUse::kDownload));
  if (!plain) return std::nullopt;
  return SplitPlainLines(*plain);
}

}  // namespace varnolt
