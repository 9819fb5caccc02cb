#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kBollingerBoxes[] = {{"edVo1", 21, 21}, {"edVo2", 2.0, {}}};

// Bollinger bands: the moving mean of closes and k population standard deviations either side.
int BollingerWarmUp(const ControlValues& controls);
int CalcBollinger(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawBollinger(const IndicatorContext& context);

}  // namespace varnolt
