#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Stochastics: %K, %D and slow %D.
DrawingResult DrawStochastics(const IndicatorContext& context);
int CalcStochastics(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
