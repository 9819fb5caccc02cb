#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/controls.h"
#include "base/program_folder.h"
#include "series/calendar.h"

namespace varnolt::cli {

// A command line that does not fit the command's usage: exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A message the program would show in a message box: stderr, exit status 1.
class UserMessage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Context {
  ProgramFolder folder;
  DayNumber today;  // the local date, or --today
  std::ostream& out;
  double now = 0;              // the local date and time (day number and fraction), or --now
  bool clock_frozen = false;   // --now was given: `now` stands still for the whole command
  uint32_t program_stamp = 0;  // the file stamp of the program's own file, or --program-stamp
};

// The arguments after the command name, consumed front to back.
class Args {
 public:
  explicit Args(std::vector<std::string> words) : words_(std::move(words)) {}

  // Takes a flag such as --bars wherever it stands.
  bool TakeFlag(const std::string& flag);
  // Takes "--name VALUE" wherever it stands; empty when absent.
  std::optional<std::string> TakeOption(const std::string& name);
  // The remaining words, which must be exactly `count` positional arguments.
  std::vector<std::string> Positionals(size_t count) const;
  // The remaining words, at least `minimum` of them, all positional.
  std::vector<std::string> AllPositionals(size_t minimum) const;

 private:
  std::vector<std::string> words_;
};

using Command = int (*)(Context&, Args&);

// The controls' built-in values, then --settings FILE (a 設定.ini), then each --set NAME=TEXT.
ControlValues ReadControlOptions(Args& args);

int LoadCommand(Context& context, Args& args);
int ConvertCommand(Context& context, Args& args);
int ChartCommand(Context& context, Args& args);
int CalcCommand(Context& context, Args& args);

}  // namespace varnolt::cli
