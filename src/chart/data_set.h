#pragma once

#include <string>

#include "base/dates.h"
#include "base/program_folder.h"
#include "series/bar_table.h"
#include "series/series_loader.h"

namespace varnolt {

// What the main window keeps for data 1 and for data 2: the loaded bars and the state of the
// chart drawn from them.
struct DataSet : LoadedSeries {
  bool chart_shown = false;
  std::string command_record;  // the display commands run since the last load
};

// Loads as LoadSeries does. A resolved stock leaves the chart not shown; a load that gets as
// far as clearing the readouts starts a new command record.
LoadOutcome LoadDataSet(DataSet& data_set, const LoadRequest& request, const ProgramFolder& folder,
                        DayNumber today);

}  // namespace varnolt
