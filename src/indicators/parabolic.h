#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Parabolic stop-and-reverse, starting short at bar 1.
DrawingResult DrawParabolic(const IndicatorContext& context);
int CalcParabolic(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
