#include "sub/quote_download.h"

#include <algorithm>
#include <stdexcept>

#include "acquisition/download_request.h"
#include "base/text_file.h"
#include "net/durable_file.h"

namespace varnolt::sub {
namespace {

namespace fs = std::filesystem;

// A daily request looks this many days past the update mark for the newest day with prices.
constexpr int kDailyReach = 10;

// The price lines between "<quotes>" and "</quotes>"; throws when the markers are missing.
Lines QuoteLines(const std::string& reply) {
  const Lines lines = SplitLines(reply);
  const auto open = std::find(lines.begin(), lines.end(), "<quotes>");
  const auto close = std::find(lines.begin(), lines.end(), "</quotes>");
  if (open == lines.end() || close == lines.end() || close < open)
    throw std::runtime_error("the quote source gave no price list");
  return Lines(open + 1, close);
}

DayNumber LineDay(const std::string& line) {
  return SlashToDay(line.substr(0, line.find(',')));
}

Lines FetchPrices(const DownloadRequest& request, const std::string& source,
                  const std::function<std::string(const std::string&)>& fetch) {
  const DayNumber from = request.daily ? request.mark_day + 1 : request.start;
  const DayNumber to = request.daily ? request.mark_day + kDailyReach : request.end;
  Lines prices;
  for (const std::string& code : ReadLines(request.code_list)) {
    if (code.empty()) continue;
    const Lines lines =
        QuoteLines(fetch(source + code + "/" + DayToCompact(from) + "/" + DayToCompact(to)));
    prices.insert(prices.end(), lines.begin(), lines.end());
  }
  if (!request.daily || prices.empty()) return prices;
  // A daily result is the newest day alone.
  DayNumber newest = 0;
  for (const std::string& line : prices) newest = std::max(newest, LineDay(line));
  std::erase_if(prices, [&](const std::string& line) { return LineDay(line) != newest; });
  return prices;
}

}  // namespace

bool AnswerDownloadRequest(const fs::path& program_folder,
                           const std::function<std::string(const std::string&)>& fetch) {
  const fs::path request_file = program_folder / "download.ini";
  const auto lines = ReadDownloadRequestLines(request_file);
  std::optional<DownloadRequest> request = lines ? ParseDownloadRequest(*lines) : std::nullopt;
  if (!request) return false;
  const auto mark = [&](const char* state) {
    request->state = state;
    WriteDownloadRequest(request_file, *request);
  };
  mark("ing");
  try {
    const Lines settings = ReadLines(program_folder / "sub.ini");
    if (settings.empty() || settings.front().empty())
      throw std::runtime_error("sub.ini names no quote source");
    const Lines prices = FetchPrices(*request, settings.front(), fetch);
    // The lines are passed on as the quote source wrote them (Shift_JIS).
    std::string text;
    for (const std::string& line : prices) text += line + "\r\n";
    WriteFileDurably(request->result, text);
    mark("stop");
  } catch (const std::exception&) {
    mark("error");
  }
  return true;
}

}  // namespace varnolt::sub
