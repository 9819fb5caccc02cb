#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// MACD: the difference of two exponential averages and its signal line.
DrawingResult DrawMACD(const IndicatorContext& context);
int CalcMACD(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
