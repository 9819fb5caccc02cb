#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kStochasticsBoxes[] = {
    {"edstk", 9, 9}, {"edstd", 3, 3}, {"edstsd", 0, 0}, {"edstup", 70, {}}, {"edstdown", 30, {}}};

// Stochastics: %K, %D and slow %D.
int StochasticsWarmUp(const ControlValues& controls);
int CalcStochastics(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawStochastics(const IndicatorContext& context);

}  // namespace varnolt
