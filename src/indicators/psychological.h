#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Psychological line: the share of rising closes over a period.
DrawingResult DrawPsychological(const IndicatorContext& context);
int CalcPsychological(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
