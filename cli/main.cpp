// varnolt-cli: the core's commands for scripts and tests.
#include <iostream>
#include <map>

#include "base/file_error.h"
#include "cli_context.h"
#include "commands.h"

namespace {

using varnolt::cli::Args;
using varnolt::cli::Command;
using varnolt::cli::UsageError;
using varnolt::cli::UserMessage;

constexpr const char* kUsage =
    "usage: varnolt-cli [--home DIR] [--today YYYYMMDD] COMMAND ...\n"
    "commands:\n"
    "  load [--unit day|week|month|quarter|year] [--no-adjust] [--bars] TEXT START END\n"
    "  convert [--first-line] FILE...\n"
    "  chart [--size WxH] [--settings FILE] [--set CONTROL=TEXT]... [--unit U] [--no-adjust]\n"
    "        --record RECORD --out FILE TEXT START END\n"
    "  latest CODE DATE\n"
    "  calc NAME [--settings FILE] [--set CONTROL=TEXT]... [--n N] < open,high,low,close lines\n"
    "  series [--no-adjust] CODE N END\n"
    "  condition NUMBER [--num1 TEXT] [--num2 TEXT] [--days1 TEXT] [--days2 TEXT]\n"
    "  screen [--settings FILE] [--set CONTROL=TEXT]... [--market M --sector S |\n"
    "         --checked GROUP | --codes C,C,...] (--file SET.ini | --line LINE...)\n";

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> kCommands = {
      {"load", varnolt::cli::LoadCommand},           {"convert", varnolt::cli::ConvertCommand},
      {"chart", varnolt::cli::ChartCommand},         {"latest", varnolt::cli::LatestCommand},
      {"calc", varnolt::cli::CalcCommand},           {"series", varnolt::cli::SeriesCommand},
      {"condition", varnolt::cli::ConditionCommand}, {"screen", varnolt::cli::ScreenCommand},
  };
  return kCommands;
}

int Run(std::vector<std::string> words) {
  varnolt::ProgramFolder folder = varnolt::ProgramFolder::FromEnvironment();
  varnolt::DayNumber today = varnolt::LocalToday();
  // Global options come before the command name.
  while (!words.empty() && words.front().starts_with("--")) {
    const std::string option = words.front();
    if (words.size() < 2) throw UsageError(option + " needs a value");
    const std::string value = words[1];
    words.erase(words.begin(), words.begin() + 2);
    if (option == "--home") {
      folder = varnolt::ProgramFolder(value);
    } else if (option == "--today") {
      today = varnolt::CompactToDay(value);
      if (today == 0 || value.size() != 8) throw UsageError("--today needs a date YYYYMMDD");
    } else {
      throw UsageError("unknown option " + option);
    }
  }
  if (words.empty()) throw UsageError("no command");
  const auto command = Commands().find(words.front());
  if (command == Commands().end()) throw UsageError("unknown command " + words.front());
  Args args(std::vector<std::string>(words.begin() + 1, words.end()));
  varnolt::cli::Context context{folder, today, std::cout};
  return command->second(context, args);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    std::cerr << "varnolt-cli: " << error.what() << "\n" << kUsage;
    return 2;
  } catch (const std::exception& error) {
    // Messages the program shows in a box, file errors and conversion errors alike.
    std::cerr << error.what() << "\n";
    return 1;
  }
}
