#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/date_time.h"
#include "net/server_config.h"
#include "base/dates.h"

namespace varnolt {

// The data server's scripts as the update flows use them: the listings, the server clock and
// the usage log. Holds the server clock offset (server time minus local time, in days) measured
// at the start of each update.
class DataServer {
 public:
  // `local_now` is the local clock (frozen in tests and by the command line's --now).
  DataServer(ServerConfig config, std::function<DateTime()> local_now);

  const ServerConfig& Config() const { return config_; }
  // A configuration fetched from the server replaces the one in use.
  void ReplaceConfig(ServerConfig config) { config_ = std::move(config); }

  // The names of "monthly" or "daily"; nothing when the reply is no valid listing.
  std::optional<std::vector<std::string>> ListDirectory(std::string_view listing) const;

  // Reads the server's time from webtime.cgi and keeps the offset; false (offset 0) when the
  // reply has no time.
  bool MeasureClock();
  double ClockOffset() const { return offset_; }
  // The server's time as it answers now, or local now plus the offset when it does not.
  DateTime ServerNow() const;
  DayNumber ServerToday() const;

  // The usage log record: server now, the installation identifier, the program's file stamp,
  // the event and the offset in whole seconds (half to even), joined by " , ".
  std::string UsageRecord(std::string_view id, uint32_t program_stamp,
                          std::string_view event) const;
  // Sends each extra line, then the record, each prefixed "L" and enciphered with the log key,
  // as a request of the script. Replies are ignored.
  void SendUsageLog(std::string_view script, std::string_view id, uint32_t program_stamp,
                    std::string_view event, const std::vector<std::string>& extra_lines) const;

 private:
  std::optional<DateTime> FetchServerTime() const;

  ServerConfig config_;
  std::function<DateTime()> local_now_;
  double offset_ = 0;
};

}  // namespace varnolt
