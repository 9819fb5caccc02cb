#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kDmiBoxes[] = {
    {"edpmdi", 14, 14}, {"edadx", 14, 14}, {"eddmisup", 20, {}}, {"eddmisup2", 50, {}}};

// Directional movement: +DI, -DI, ADX and ADXR.
int DmiWarmUp(const ControlValues& controls);
int CalcDMI(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawDMI(const IndicatorContext& context);

}  // namespace varnolt
