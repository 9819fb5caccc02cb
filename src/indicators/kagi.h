#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kKagiBoxes[] = {{"edKagi", 10, 10}};

// Kagi charts, off and on the time axis, with the kagi statistics.
int KagiWarmUp(const ControlValues& controls);
int CalcKagi(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawKagi(const IndicatorContext& context);
DrawingResult DrawKagiTimeSeries(const IndicatorContext& context);

}  // namespace varnolt
