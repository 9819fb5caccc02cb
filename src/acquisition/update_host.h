#pragma once

#include <filesystem>
#include <string>

#include "net/date_time.h"

namespace varnolt {

// What the update and download flows need from their surroundings: the window (or the command
// line) shows messages and the progress panel, and the clock, the waits and the start of other
// programs go through it, so tests can replace them and never sleep for real.
class UpdateHost {
 public:
  virtual ~UpdateHost() = default;

  // A message box; the flow goes on when it has been read.
  virtual void ShowMessage(const std::string& text) = 0;
  // The progress panel: its status line (which also shows the panel), its detail line, and
  // hiding it at the end.
  virtual void SetStatus(const std::string& text) = 0;
  virtual void SetDetail(const std::string& text) = 0;
  virtual void HideProgress() = 0;
  // Lets the window repaint between transfers.
  virtual void KeepResponsive() {}

  virtual DateTime LocalNow() = 0;
  virtual void Wait(double seconds) = 0;
  // Starts a program in the background with the working folder given; false when it could not
  // be started.
  virtual bool StartProgram(const std::filesystem::path& program,
                            const std::filesystem::path& working_folder) = 0;
};

// Starts a program with no arguments in the working folder, its standard streams on /dev/null,
// without waiting for it; false when it could not be started.
bool StartDetachedProgram(const std::filesystem::path& program,
                          const std::filesystem::path& working_folder);

}  // namespace varnolt
