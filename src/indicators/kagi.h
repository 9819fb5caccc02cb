#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Kagi charts, off and on the time axis, with the kagi statistics.
DrawingResult DrawKagi(const IndicatorContext& context);
DrawingResult DrawKagiTimeSeries(const IndicatorContext& context);
int CalcKagi(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
