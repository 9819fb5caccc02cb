#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kMacdBoxes[] = {
    {"edmacd1", 5, 5}, {"edmacd2", 20, 20}, {"edmacd3", 0, 0}};

// MACD: the difference of two exponential averages and its signal line.
int MacdWarmUp(const ControlValues& controls);
int CalcMACD(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawMACD(const IndicatorContext& context);

}  // namespace varnolt
