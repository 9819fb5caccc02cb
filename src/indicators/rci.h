#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Rank correlation index of closes against time over three periods.
DrawingResult DrawRCI(const IndicatorContext& context);
int CalcRCI(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
