#include "commands.h"

namespace varnolt::cli {

DataUnit ParseUnitArgument(const std::string& text) {
  static constexpr const char* kNames[] = {"day", "week", "month", "quarter", "year"};
  for (int i = 0; i < 5; ++i) {
    if (text == kNames[i]) return static_cast<DataUnit>(i);
  }
  throw UsageError("unknown unit " + text + " (day, week, month, quarter or year)");
}

}  // namespace varnolt::cli
