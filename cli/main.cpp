// varnolt-cli: the core's commands for scripts and tests.
#include <algorithm>
#include <iostream>
#include <optional>

#include "base/file_error.h"
#include "base/numbers.h"
#include "cli_context.h"
#include "command_table.h"
#include "net/date_time.h"
#include "net/file_stamp.h"

namespace {

using varnolt::cli::Args;
using varnolt::cli::UsageError;
using varnolt::cli::UserMessage;

int Run(std::vector<std::string> words) {
  varnolt::ProgramFolder folder = varnolt::ProgramFolder::FromEnvironment();
  varnolt::DayNumber today = varnolt::LocalToday();
  std::optional<double> now;
  std::optional<uint32_t> program_stamp;
  // Global options come before the command name.
  while (!words.empty() && words.front().starts_with("--")) {
    const std::string option = words.front();
    if (option == "--help") {
      std::cout << varnolt::cli::OverviewHelp();
      return 0;
    }
    if (words.size() < 2) throw UsageError(option + " needs a value");
    const std::string value = words[1];
    words.erase(words.begin(), words.begin() + 2);
    if (option == "--home") {
      folder = varnolt::ProgramFolder(value);
    } else if (option == "--today") {
      today = varnolt::CompactToDay(value);
      if (today == 0 || value.size() != 8) throw UsageError("--today needs a date YYYYMMDD");
    } else if (option == "--now") {
      now = varnolt::ParseDateTime(value);
      if (!now) throw UsageError("--now needs a date and time \"YYYY/MM/DD HH:MM:SS\"");
      today = static_cast<varnolt::DayNumber>(*now);
    } else if (option == "--program-stamp") {
      const auto stamp = varnolt::ParseInt64(value);
      if (!stamp || !varnolt::IsAllDigits(value) || *stamp > 0xFFFFFFFF) {
        throw UsageError("--program-stamp needs a whole number");
      }
      program_stamp = static_cast<uint32_t>(*stamp);
    } else {
      throw UsageError("unknown option " + option);
    }
  }
  if (words.empty()) throw UsageError("no command");
  const varnolt::cli::CommandEntry* command = varnolt::cli::FindCommand(words.front());
  if (command == nullptr) throw UsageError("unknown command " + words.front());
  if (std::find(words.begin() + 1, words.end(), "--help") != words.end()) {
    std::cout << varnolt::cli::CommandHelp(*command);
    return 0;
  }
  Args args(std::vector<std::string>(words.begin() + 1, words.end()));
  varnolt::cli::Context context{folder, today, std::cout};
  context.now = now.value_or(varnolt::LocalNow());
  context.clock_frozen = now.has_value();
  // The program's own file is this executable unless a stamp is given.
  context.program_stamp = program_stamp.value_or(varnolt::FileStamp("/proc/self/exe").value_or(0));
  return command->run(context, args);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    std::cerr << "varnolt-cli: " << error.what() << "\n" << varnolt::cli::UsageText();
    return 2;
  } catch (const std::exception& error) {
    // Messages the program shows in a box, file errors and conversion errors alike.
    std::cerr << error.what() << "\n";
    return 1;
  }
}
