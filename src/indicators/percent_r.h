#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Williams %R on an inverted scale.
DrawingResult DrawPercentR(const IndicatorContext& context);
int CalcPercentR(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
