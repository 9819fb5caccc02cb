#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/program_folder.h"
#include "series/bar_table.h"
#include "series/calendar.h"

namespace varnolt {

struct LoadRequest {
  std::string start;         // compact date text of the start box
  std::string end;           // compact date text of the end box
  std::string code_or_name;  // the code-or-name box
  DataUnit unit = DataUnit::kDay;
  bool adjust = true;  // "株式分割・併合の調整"
};

// What a load writes back into the page's controls. Fields left empty leave their control as
// it was.
struct LoadOutcome {
  std::string message;                   // warning to show; empty on success
  std::optional<std::string> code_box;   // the code-or-name box rewritten
  std::optional<std::string> start_box;  // requested start, after a successful load
  std::optional<std::string> end_box;    // snapped end, after a successful load
  bool relist = false;                   // the list box lists the loaded bars afresh (BarListLine)
  std::optional<std::string> report;     // the days-without-data text for reStat
  bool clear_readouts = false;           // the pointer readout boxes of the data set
};

// Loads one stock's bars into the data set: validates the dates, resolves the code from the
// catalogue, restates prices across splits when asked, forms the bars of the unit with warm-up
// history before the start and reports trading days without data. `today` is the local date.
// `stock_resolved` runs once the stock is known, before any price is read. Throws FileError when a
// file cannot be read.
LoadOutcome LoadSeries(LoadedSeries& data_set, const LoadRequest& request,
                       const ProgramFolder& folder, DayNumber today,
                       const std::function<void()>& stock_resolved = nullptr);

}  // namespace varnolt
