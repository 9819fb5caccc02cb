#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/controls.h"
#include "base/program_folder.h"
#include "base/text_file.h"
#include "screening/stock_workers.h"
#include "series/calendar.h"
#include "series/screening_history.h"
#include "series/screening_series.h"
#include "store/financial_table.h"

namespace varnolt {

// What a caller that screens day after day keeps for all its passes, so that none reads the
// store again: the stocks' stored days (used when they cover the pass's date and count) and
// the financial table.
struct ScreeningSources {
  const ScreeningHistory* history = nullptr;
  const FinancialTable* financial = nullptr;
};

// What every condition of a run reads besides the stock: the store, the indicator periods,
// the evaluation date, the local date, and the holdings list of the simulation (empty for
// every other caller), which gives the average purchase price of conditions 78–81.
struct ScreeningScope {
  const ProgramFolder& folder;
  const ControlValues& controls;
  DayNumber date;
  DayNumber today;
  const Lines& holdings;
  ScreeningSources sources = {};
};

// Narrows a list of catalogue list items to the stocks that pass every condition line, in
// list order, each stock's screening series loaded up to the evaluation date. A stock is
// tested on a condition only when it passed the ones before it. True when some stock passes;
// an empty list gives false. When the run is cancelled the list is left as it was and the
// result is false. Throws FileError when a year file cannot be read.
bool EvaluateConditionList(const Lines& conditions, std::vector<std::string>& stocks,
                           const ScreeningScope& scope, const ScreeningRun& run = {});

// The same for one stock whose series already holds entries 1..preloaded (the chart's signal
// display): the current price is the close of the last entry, with the volume given. True
// when the stock passes every condition.
bool EvaluateConditionList(const Lines& conditions, int code, ScreeningSeries& series,
                           int preloaded, int64_t volume, const ScreeningScope& scope);

}  // namespace varnolt
