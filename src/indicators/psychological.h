#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kPsychologicalBoxes[] = {
    {"edpsy", 12, 12}, {"edpsyu", 75, {}}, {"edpsyd", 25, {}}};

// Psychological line: the share of rising closes over a period.
int PsychologicalWarmUp(const ControlValues& controls);
int CalcPsychological(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawPsychological(const IndicatorContext& context);

}  // namespace varnolt
