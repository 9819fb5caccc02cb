#pragma once

#include "acquisition/latest_update.h"

namespace varnolt {

// What a pass of the scheduled owner update did: whether ownerautopilot.log was there (the
// timer runs on only then) and whether an update ran (the machine is then put to sleep).
struct SchedulePass {
  bool schedule_found = false;
  bool update_ran = false;
};

// One tick of the scheduled owner update. ownerautopilot.log in the program folder holds one
// "HH:MM" line per daily run, followed by ",Success" or ",Failure" once it has run today. A line
// whose time has not come yet is re-armed (its outcome removed); a due line without an outcome
// runs the update unattended up to ten times (30 s after each run) until one succeeds, records
// the outcome, asks the server's list.cgi, and starts `check` from the program folder when it
// is there (waiting 10 s before and 180 s after). Waits go through the host.
SchedulePass RunOwnerSchedule(const ProgramFolder& folder, ServerConfig& config, UpdateHost& host,
                              UpdateOptions options);

}  // namespace varnolt
