#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kDeviationBoxes[] = {
    {"edkai1", 0, 6}, {"edkai2", 0, 12}, {"edkai3", 0, {}}, {"edKai4", 3, {}}};

// Moving-average deviation rate, and the moving averages the screening compares.
DrawingResult DrawDeviation(const IndicatorContext& context);
int MovingAveragesWarmUp(const ControlValues& controls);
int MovingAveragesDeviationWarmUp(const ControlValues& controls);
int CalcMovingAveragesAverages(ScreeningSeries& series, int bars, const ControlValues& controls);
int CalcMovingAveragesDeviation(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
