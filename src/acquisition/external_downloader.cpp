#include <algorithm>
#include <cmath>
#include <map>

#include "acquisition/download_request.h"
#include "acquisition/update_run.h"
#include "base/text_file.h"
#include "net/durable_file.h"
#include "net/reply.h"
#include "net/transfer.h"
#include "net/transfer_file.h"
#include "store/csv_conversion.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;

// A downloader that stays at "ing" or never takes the request up is given up after this many
// polls, so the update cannot hang for good.
constexpr int kMaxPolls = 720;
constexpr int kAttempts = 3;

// "yyyy" followed by the month as two digits, from the characters after the first "/"
// (within three characters); nothing when the line has none.
std::optional<std::string> PriceLineMonth(std::string_view line) {
  if (line.size() < 6 || line[4] != '/') return std::nullopt;
  const size_t slash = line.find('/', 5);
  if (slash == std::string_view::npos || slash - 5 < 1 || slash - 5 > 2) return std::nullopt;
  std::string month(line.substr(5, slash - 5));
  for (char c : month) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  if (month.size() == 1) month.insert(0, "0");
  return std::string(line.substr(0, 4)) + month;
}

// The day of a price line's date field; 0 when it does not read.
DayNumber LineDay(std::string_view line) {
  return SlashToDay(line.substr(0, line.find(',')));
}

// A line whose fields after the date are all empty brings no prices for its day.
bool HasData(std::string_view line) {
  const size_t comma = line.find(',');
  return comma != std::string_view::npos &&
         line.substr(comma).find(",,,,,,") == std::string_view::npos;
}

// Puts a file under the temporary name, then renames it to its final one, each tried three
// times `pause` seconds apart.
bool Upload(UpdateRun& run, const fs::path& local, const std::string& temporary,
            const std::string& final_name) {
  const FtpAccount account = FtpAccountOf(run.config);
  const auto attempt = [&](const auto& operation) {
    for (int i = 0; i < kAttempts; ++i) {
      if (i > 0) run.host.Wait(run.options.poll_seconds);
      if (operation()) return true;
    }
    return false;
  };
  return attempt([&] { return FtpPut(account, temporary, local); }) &&
         attempt([&] { return FtpRename(account, final_name, temporary); });
}

}  // namespace

bool UpdateRun::RunDownloader(bool daily, DayNumber day) {
  const FtpAccount account = FtpAccountOf(config);
  FtpPut(account, "/temp.txt", Data("all.txt"));
  DownloadRequest request;
  request.code_list = fs::absolute(Data("all.txt"));
  request.result = fs::absolute(Data(daily ? "daily.csv" : "result.csv"));
  request.daily = daily;
  if (daily) {
    request.mark_day = day;
  } else {
    const DateTime now = ServerNow();
    const auto today = static_cast<DayNumber>(std::trunc(now));
    request.start = day;
    request.end = now - today >= 0.875 ? today : today - 1;
  }
  // A result left by an earlier run must not pass for this one's.
  fs::remove(request.result);
  const fs::path request_file = folder.File("download.ini");
  WriteDownloadRequest(request_file, request);
  const fs::path downloader = folder.File("Sub");
  if (!host.StartProgram(downloader, folder.Root())) return false;
  for (int poll = 0; poll < kMaxPolls; ++poll) {
    host.Wait(options.poll_seconds);
    host.KeepResponsive();
    const auto lines = ReadDownloadRequestLines(request_file);
    const std::string progress = lines && !lines->empty() ? lines->front() : "";
    if (progress == "download") {
      host.StartProgram(downloader, folder.Root());
    } else if (progress != "ing") {
      return progress == "stop";
    }
  }
  return false;
}

bool UpdateRun::ProcessHistoricalResult(int64_t& mark) {
  host.SetStatus(kDataCheckStatus);
  server.SendUsageLog("monthlylog.cgi", id, options.program_stamp, "in", {});
  const fs::path result = Data("result.csv");
  if (!fs::exists(result)) return false;
  std::vector<std::pair<std::string, std::string>> lines;  // month key, line
  for (const std::string& line : SplitLines(ReadBytes(result))) {
    if (line.empty()) continue;
    const std::optional<std::string> key = PriceLineMonth(line);
    if (!key) return false;
    lines.emplace_back(*key, line);
  }
  if (lines.empty()) return false;
  const std::string earliest = std::min_element(lines.begin(), lines.end())->first;

  // Months in the order they first appear, each with its lines in order.
  std::vector<std::string> months;
  std::map<std::string, Lines> month_lines;
  for (const auto& [key, line] : lines) {
    if (!month_lines.contains(key)) months.push_back(key);
    month_lines[key].push_back(line);
  }
  std::string superseded;
  DayNumber overall_last = 0;
  std::vector<std::string> uploads;
  for (const std::string& key : months) {
    Lines month;
    DayNumber month_last = 0;
    if (key == earliest) {
      // The server may hold the start of this month already: the new file carries it on.
      const auto names = server.ListDirectory("monthly");
      if (!names) return false;
      for (const std::string& name : *names) {
        if (name.starts_with("h" + key) && name.ends_with(".dat")) superseded = name;
      }
      if (!superseded.empty()) {
        fs::path csv;
        if (!FetchPriceFile("monthly", superseded, csv)) return false;
        month = SplitLines(ReadBytes(csv));
        fs::remove(csv);
        month_last = DayOfName(superseded);
      }
    }
    for (const std::string& line : month_lines[key]) {
      month.push_back(line);
      if (!HasData(line)) continue;
      const DayNumber day = LineDay(line);
      month_last = std::max(month_last, day);
      overall_last = std::max(overall_last, day);
    }
    if (month_last == 0) continue;
    const std::string name = "h" + DayToCompact(month_last);
    WriteFileDurably(Data(name + ".csv"), JoinLines(month));
    if (!CompressFile(Data(name + ".csv"), Data(name + ".dat"))) return false;
    uploads.push_back(name);
  }
  // A result without any day of prices brings nothing: nothing goes up, the mark stays.
  if (overall_last == 0) return true;

  std::sort(uploads.begin(), uploads.end());
  for (const std::string& name : uploads) {
    host.SetDetail(name);
    if (!Upload(*this, Data(name + ".dat"), "/kabuka/monthly/t" + id,
                "/kabuka/monthly/" + name + ".dat")) {
      return false;
    }
    if (!superseded.empty() && superseded != name + ".dat") {
      FtpDelete(FtpAccountOf(config), "/kabuka/monthly/" + superseded);
    }
    fs::remove(Data(name + ".csv"));
    fs::remove(Data(name + ".dat"));
  }
  server.SendUsageLog("monthlylog.cgi", id, options.program_stamp, "out", uploads);
  host.SetDetail("");
  host.SetStatus(kConvertingStatus);
  if (!options.unattended) ConvertCsvFiles({result}, folder.DataDir(), Grouping::kEveryLine);
  mark = int64_t{overall_last} * 10 + 5;
  if (options.unattended) {
    const std::string today =
        "d" + DayToCompact(static_cast<DayNumber>(std::trunc(ServerNow()))) + ".dat";
    if (const auto names = server.ListDirectory("daily")) {
      for (const std::string& name : *names) {
        // Only superseded daily price files go: the folder also holds finance.dat.
        if (name.starts_with('d') && DayOfName(name) != 0 && name != today) {
          FtpDelete(FtpAccountOf(config), "/kabuka/daily/" + name);
        }
      }
    }
  }
  return true;
}

bool UpdateRun::ProcessDailyResult(int64_t& mark) {
  host.SetStatus(kDataCheckStatus);
  server.SendUsageLog("dailylog.cgi", id, options.program_stamp, "in", {});
  const fs::path result = Data("daily.csv");
  std::error_code error;
  if (!fs::exists(result, error) || fs::file_size(result, error) == 0) return false;
  const Lines lines = SplitLines(ReadBytes(result));
  const DayNumber day = lines.empty() ? 0 : LineDay(lines.front());
  if (day == 0) return false;
  const std::string name = "d" + DayToCompact(day) + ".dat";
  if (!CompressFile(result, Data(name)) ||
      !Upload(*this, Data(name), "/kabuka/daily/t" + id, "/kabuka/daily/" + name)) {
    fs::remove(Data(name));
    return false;
  }
  fs::remove(Data(name));
  server.SendUsageLog("dailylog.cgi", id, options.program_stamp, "out", {name});
  if (!options.unattended) {
    host.SetStatus(kConvertingStatus);
    ConvertCsvFiles({result}, folder.DataDir(), Grouping::kFirstLine);
  }
  mark = int64_t{day} * 10;
  return true;
}

}  // namespace varnolt
