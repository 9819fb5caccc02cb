#pragma once

#include <string>
#include <string_view>

#include "base/numbers.h"
#include "cli_context.h"
#include "series/calendar.h"
#include "store/day_record.h"

namespace varnolt::cli {

// latest CODE DATE: the latest price on or before the day, as the stock browser values it.
int LatestCommand(Context& context, Args& args);

// series [--no-adjust] CODE N END: the screening series of about N trading days up to END.
int SeriesCommand(Context& context, Args& args);

// condition NUMBER [--num1 TEXT] …: the condition line of a catalogue entry.
int ConditionCommand(Context& context, Args& args);

// screen … (--file SET.ini | --line LINE...): the stocks that pass a condition list today.
int ScreenCommand(Context& context, Args& args);

// simulate … --start D --end D … --buy SET.ini... --sell SET.ini...: a trading simulation.
int SimulateCommand(Context& context, Args& args);

// signals … [--buy SET.ini]... [--sell SET.ini]... TEXT START END: the signal marks of data 1.
int SignalsCommand(Context& context, Args& args);

// cipher encode|decode USE: stdin through the program's key for USE.
int CipherCommand(Context& context, Args& args);

// state [--set NAME=VALUE]...: the update state and the installation identifier.
int StateCommand(Context& context, Args& args);

// update [--unattended] [--poll-seconds N]: the latest-data update from the data server.
int UpdateCommand(Context& context, Args& args);

// history [--list] [--from YEAR]: the historical download of whole year files.
int HistoryCommand(Context& context, Args& args);

// controls [--settings FILE] [--set CONTROL=TEXT]...: every control with its value.
int ControlsCommand(Context& context, Args& args);

// The names calc takes, each between `before` and `after`.
std::string ComputationNames(std::string_view before, std::string_view after);

// --unit of load and chart.
DataUnit ParseUnitArgument(const std::string& text);

// Argument readers of these commands; a word that does not read is a usage error.
inline int ParseCodeArgument(const std::string& text) {
  const auto code = ParseInt(text);
  if (!code || *code < 0 || *code >= kCodeCount) throw UsageError("not a stock code: " + text);
  return *code;
}

inline DayNumber ParseDateArgument(const std::string& text) {
  const DayNumber day = text.size() == 8 ? CompactToDay(text) : 0;
  if (day == 0) throw UsageError("not a date YYYYMMDD: " + text);
  return day;
}

}  // namespace varnolt::cli
