#include "acquisition/server_notices.h"

#include "base/text_file.h"

namespace varnolt {
namespace {

std::string_view TrimBlank(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::optional<ServerNotice> NoticeToShow(std::string_view text, DayNumber last_shown) {
  text = TrimBlank(text);
  if (text.empty()) return std::nullopt;
  if (const size_t all = text.find("<all>"); all != std::string_view::npos) {
    const size_t start = all + 5;
    const size_t end = text.find("</all>", start);
    return ServerNotice{std::string(TrimBlank(text.substr(start, end - start))), 0};
  }
  const Lines lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find("<msg>") == std::string::npos) continue;
    const DayNumber day = lines[i].size() > 5 ? SlashToDay(TrimBlank(lines[i].substr(5))) : 0;
    std::string body;
    size_t next = i + 1;
    for (; next < lines.size(); ++next) {
      const size_t close = lines[next].find("</msg>");
      body += lines[next].substr(0, close);
      if (close != std::string::npos) break;
      body += "\n";
    }
    if (day != 0 && (last_shown == 0 || day > last_shown)) {
      return ServerNotice{std::string(TrimBlank(body)), day};
    }
    i = next;
  }
  return std::nullopt;
}

}  // namespace varnolt
