#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kPercentRBoxes[] = {
    {"edr", 20, 20}, {"edru", 80, {}}, {"edrd", 20, {}}};

// Williams %R on an inverted scale.
int PercentRWarmUp(const ControlValues& controls);
int CalcPercentR(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawPercentR(const IndicatorContext& context);

}  // namespace varnolt
