#include "chart/data_set.h"

namespace varnolt {

LoadOutcome LoadDataSet(DataSet& data_set, const LoadRequest& request, const ProgramFolder& folder,
                        DayNumber today) {
  LoadOutcome outcome =
      LoadSeries(data_set, request, folder, today, [&data_set] { data_set.chart_shown = false; });
  if (outcome.clear_readouts) data_set.command_record.clear();
  return outcome;
}

}  // namespace varnolt
