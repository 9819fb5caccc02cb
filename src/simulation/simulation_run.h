#pragma once

#include <atomic>
#include <functional>

#include "base/controls.h"
#include "base/program_folder.h"
#include "base/text_file.h"
#include "series/calendar.h"
#include "simulation/fee_plan.h"
#include "simulation/simulation_job.h"

namespace varnolt {

// What a run reads besides its job: the store, the indicator periods, the local date and the
// fee plan.
struct SimulationScope {
  const ProgramFolder& folder;
  const ControlValues& controls;
  DayNumber today;
  const FeePlan& plan;
};

// How a run reports and stops: `day` is called at the start of every calendar day; `cancel`
// is looked at then and before the run begins.
struct SimulationProgress {
  std::function<void(DayNumber)> day;
  const std::atomic<bool>* cancel = nullptr;
  int threads = 0;  // for the condition evaluations; 0: one per core
};

// Replays the job day by day and returns its report: each day's sales, then its purchases at
// the close, the fee and monthly lines, then the holdings valued at the end date (or at the
// day the run was cancelled) and the totals. Empty when cancelled before it began. Throws
// FileError when a condition-set file or a year file cannot be read, ConversionError when a
// condition-set file names its selection wrongly.
Lines RunJob(const SimulationJob& job, const SimulationScope& scope,
             const SimulationProgress& progress = {});

// Runs the jobs of a reservation list in order; `save` receives the number and the report of
// each job whose report is not empty.
void RunReservations(const Lines& reservations, const SimulationScope& scope,
                     const SimulationProgress& progress,
                     const std::function<void(int, const Lines&)>& save);

// data/simulation_N.txt in Shift_JIS with CR LF.
void SaveSimulationReport(const ProgramFolder& folder, int number, const Lines& report);

}  // namespace varnolt
