#pragma once

#include <string>

#include "base/controls.h"
#include "base/program_folder.h"
#include "chart/canvas.h"
#include "chart/data_set.h"

namespace varnolt {

struct DisplayOutcome {
  std::string message;    // a warning; nothing was drawn and no control changes
  ControlValues written;  // the controls the command changed, to be written back
};

// The display command ("表示") of data set 1 or 2 after its undo snapshot, over the control
// values: reads the basic settings page and the name box, draws the price chart with the
// financial summary in its caption (none before a load, "-" figures without a readable
// finance.dat), and gives back the boxes with the scale it used and the trend page's regions,
// which follow the price chart's. A `zoom` display says so in its caption.
DisplayOutcome RunDisplayCommand(DataSet& data_set, int data_number, const ControlValues& controls,
                                 const ProgramFolder& folder, Canvas& canvas, bool zoom = false);

}  // namespace varnolt
