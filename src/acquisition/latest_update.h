#pragma once

#include <cstdint>
#include <optional>

#include "acquisition/update_host.h"
#include "base/program_folder.h"
#include "net/server_config.h"

namespace varnolt {

struct UpdateOptions {
  uint32_t program_stamp = 0;  // the file stamp of the program's own file
  // The scheduled owner update: no message boxes, the run starts from mark 0, nothing is
  // fetched for local use or converted, only data for the server is made and uploaded.
  bool unattended = false;
  double poll_seconds = 10;  // the downloader poll and upload retry interval
};

struct UpdateOutcome {
  bool completed = false;                // the command ran to its end
  std::optional<bool> procedure_result;  // the update procedure's, when it ran
};

// The command "最新の株価データをネットで入手": checks the connection and the clock, refreshes
// the reference files and components the server lists (a new net.dat replaces `config`), shows
// the server's notice, and brings the store up to the newest trading day. Every failure is
// shown through the host (unless unattended) and ends the command.
UpdateOutcome RunLatestUpdate(const ProgramFolder& folder, ServerConfig& config, UpdateHost& host,
                              const UpdateOptions& options);

// The update mark kept in the state file: day number × 10 + phase (5 complete, 0 the daily
// file taken in); 0 when there is none or it does not read.
int64_t ReadUpdateMark(const ProgramFolder& folder);

}  // namespace varnolt
