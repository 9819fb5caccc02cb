#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Relative strength index over three periods, with moving or cumulative sums.
DrawingResult DrawRSI(const IndicatorContext& context);
int CalcRSI(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
