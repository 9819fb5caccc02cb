#include "acquisition/server_notices.h"

#include "base/fields.h"
#include "base/text_file.h"

namespace varnolt {
std::optional<ServerNotice> NoticeToShow(std::string_view text, DayNumber last_shown) {
  text = TrimText(text);
  if (text.empty()) return std::nullopt;
  if (const size_t all = text.find("<all>"); all != std::string_view::npos) {
    const size_t start = all + 5;
    const size_t end = text.find("</all>", start);
    return ServerNotice{std::string(TrimText(text.substr(start, end - start))), 0};
  }
  const Lines lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find("<msg>") == std::string::npos) continue;
    const DayNumber day = lines[i].size() > 5 ? SlashToDay(TrimText(lines[i].substr(5))) : 0;
    std::string body;
    size_t next = i + 1;
    for (; next < lines.size(); ++next) {
      const size_t close = lines[next].find("</msg>");
      body += lines[next].substr(0, close);
      if (close != std::string::npos) break;
      body += "\n";
    }
    if (day != 0 && (last_shown == 0 || day > last_shown)) {
      return ServerNotice{std::string(TrimText(body)), day};
    }
    i = next;
  }
  return std::nullopt;
}

}  // namespace varnolt
