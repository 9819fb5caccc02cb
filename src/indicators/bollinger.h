#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Bollinger bands: the moving mean of closes and k population standard deviations either side.
DrawingResult DrawBollinger(const IndicatorContext& context);
int CalcBollinger(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
