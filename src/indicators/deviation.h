#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Moving-average deviation rate, and the moving averages the screening compares.
DrawingResult DrawDeviation(const IndicatorContext& context);
int CalcMovingAveragesAverages(ScreeningSeries& series, int bars, const ControlValues& controls);
int CalcMovingAveragesDeviation(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
