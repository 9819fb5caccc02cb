#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kParabolicBoxes[] = {
    {"edpal1", 0.02, 0.02}, {"edpal2", 0.005, 0.005}, {"edpal3", 0.2, 0.2}};

// Parabolic stop-and-reverse, starting short at bar 1.
int ParabolicWarmUp(const ControlValues& controls);
int CalcParabolic(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawParabolic(const IndicatorContext& context);

}  // namespace varnolt
