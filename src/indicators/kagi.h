#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Kagi charts, off and on the time axis, with the kagi statistics.
std::string DrawKagi(const IndicatorContext& context);
std::string DrawKagiTimeSeries(const IndicatorContext& context);
int CalcKagi(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
