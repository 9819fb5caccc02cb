#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kRsiBoxes[] = {
    {"edRSI1", 0, 1}, {"edRSI2", 0, {}}, {"edRSI3", 0, {}}, {"edRSIU", 70, {}}, {"edRSID", 30, {}}};

// Relative strength index over three periods, with moving or cumulative sums.
int RsiWarmUp(const ControlValues& controls);
int CalcRSI(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawRSI(const IndicatorContext& context);

}  // namespace varnolt
