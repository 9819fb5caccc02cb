#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kRciBoxes[] = {
    {"edRci1", 0, 9}, {"edRci2", 0, {}}, {"edrci3", 0, {}}, {"edRci4", 80, {}}};

// Rank correlation index of closes against time over three periods.
int RciWarmUp(const ControlValues& controls);
int CalcRCI(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawRCI(const IndicatorContext& context);

}  // namespace varnolt
