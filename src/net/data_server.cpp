#include "net/data_server.h"

#include <algorithm>
#include <cmath>

#include "base/fields.h"
#include "base/text_file.h"
#include "net/reply.h"
#include "net/text_cipher.h"
#include "net/transfer.h"

namespace varnolt {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

}  // namespace

DataServer::DataServer(ServerConfig config, std::function<DateTime()> local_now)
    : config_(std::move(config)), local_now_(std::move(local_now)) {}

std::optional<std::vector<std::string>> DataServer::ListDirectory(std::string_view listing) const {
  const std::string address = config_.scripts + "cgi-bin/" + std::string(listing) + "dir.cgi";
  return ParseListing(GetText(address, config_.scripts));
}

std::optional<DateTime> DataServer::FetchServerTime() const {
  const Lines lines = SplitLines(GetText(config_.scripts + "cgi-bin/webtime.cgi", config_.scripts));
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    if (Lower(lines[i]) == "<webtime>") return ParseDateTime(TrimText(lines[i + 1]));
  }
  return std::nullopt;
}

bool DataServer::MeasureClock() {
  const std::optional<DateTime> server = FetchServerTime();
  offset_ = server ? *server - local_now_() : 0;
  return server.has_value();
}

DateTime DataServer::ServerNow() const {
  return FetchServerTime().value_or(local_now_() + offset_);
}

DayNumber DataServer::ServerToday() const {
  return static_cast<DayNumber>(std::trunc(ServerNow()));
}

std::string DataServer::UsageRecord(std::string_view id, uint32_t program_stamp,
                                    std::string_view event) const {
  // nearbyint rounds half to even in the default rounding mode.
  const long long seconds = std::llrint(std::nearbyint(offset_ * 86400.0));
  return FormatDateTime(ServerNow()) + " , " + std::string(id) + " , " +
         std::to_string(program_stamp) + " , " + std::string(event) + " , " +
         std::to_string(seconds);
}

void DataServer::SendUsageLog(std::string_view script, std::string_view id, uint32_t program_stamp,
                              std::string_view event,
                              const std::vector<std::string>& extra_lines) const {
  std::vector<std::string> lines = extra_lines;
  lines.push_back(UsageRecord(id, program_stamp, event));
  for (const std::string& line : lines) {
    const std::string address = config_.scripts + "cgi-bin/" + std::string(script) + "/" +
                                Encipher("L" + line, CipherUse::kLog);
    GetText(address, config_.scripts);
  }
}

}  // namespace varnolt
