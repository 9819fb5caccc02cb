#pragma once

#include <string>
#include <string_view>

#include "cli_context.h"

namespace varnolt::cli {

// A command of the tool: its name, what runs it, its one-line synopsis and the text that
// `COMMAND --help` prints under it.
struct CommandEntry {
  std::string_view name;
  Command run;
  std::string_view synopsis;
  std::string_view details;
};

const CommandEntry* FindCommand(std::string_view name);

// The synopsis of every command: printed after a usage error and by --help.
std::string UsageText();
// --help: the usage, the global options and where to read on.
std::string OverviewHelp();
// COMMAND --help.
std::string CommandHelp(const CommandEntry& entry);

}  // namespace varnolt::cli
