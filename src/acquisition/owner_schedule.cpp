#include "acquisition/owner_schedule.h"

#include <cmath>

#include "base/numbers.h"
#include "base/text_file.h"
#include "net/transfer.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;

constexpr int kTries = 10;
constexpr double kPauseAfterRun = 30;
constexpr double kPauseBeforeCheck = 10;
constexpr double kPauseAfterCheck = 180;

// Minutes after midnight of "HH:MM" (one or two digits each); nothing when it does not read.
std::optional<int> MinuteOfDay(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon > 2 || text.size() - colon - 1 > 2) {
    return std::nullopt;
  }
  const std::optional<int64_t> hours = ParseDigits(text.substr(0, colon));
  const std::optional<int64_t> minutes = ParseDigits(text.substr(colon + 1));
  if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
  return static_cast<int>(*hours * 60 + *minutes);
}

bool RunUntilSuccess(const ProgramFolder& folder, ServerConfig& config, UpdateHost& host,
                     const UpdateOptions& options) {
  for (int run = 0; run < kTries; ++run) {
    const UpdateOutcome outcome = RunLatestUpdate(folder, config, host, options);
    host.Wait(kPauseAfterRun);
    if (outcome.procedure_result == true) return true;
  }
  return false;
}

}  // namespace

SchedulePass RunOwnerSchedule(const ProgramFolder& folder, ServerConfig& config, UpdateHost& host,
                              UpdateOptions options) {
  SchedulePass pass;
  const fs::path path = folder.File("ownerautopilot.log");
  std::optional<Lines> lines = ReadLinesIfPresent(path);
  if (!lines) return pass;
  pass.schedule_found = true;
  options.unattended = true;
  for (std::string& line : *lines) {
    const size_t comma = line.find(',');
    const std::string time = line.substr(0, comma);
    const std::optional<int> minute = MinuteOfDay(time);
    if (!minute) continue;  // a line that names no time is left as it is
    const DateTime now = host.LocalNow();
    const int now_minute = static_cast<int>(std::floor((now - std::floor(now)) * 1440 + 1e-6));
    if (now_minute < *minute) {
      if (comma != std::string::npos) {
        line = time;
        WriteLines(path, *lines);
      }
      continue;
    }
    if (comma != std::string::npos) continue;
    const bool succeeded = RunUntilSuccess(folder, config, host, options);
    line += succeeded ? ",Success" : ",Failure";
    WriteLines(path, *lines);
    GetText(config.scripts + "cgi-bin/list.cgi", config.scripts);
    host.Wait(kPauseBeforeCheck);
    const fs::path check = folder.File("check");
    if (fs::exists(check)) host.StartProgram(check, folder.Root());
    host.Wait(kPauseAfterCheck);
    pass.update_ran = true;
  }
  return pass;
}

}  // namespace varnolt
