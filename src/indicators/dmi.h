#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Directional movement: +DI, -DI, ADX and ADXR.
DrawingResult DrawDMI(const IndicatorContext& context);
int CalcDMI(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
