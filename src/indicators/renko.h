#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Renko chart (練行足): a brick for every box the close moves.
DrawingResult DrawRenko(const IndicatorContext& context);
int CalcRenko(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
