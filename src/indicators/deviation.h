#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kDeviationBoxes[] = {
    {"edkai1", 0, 6}, {"edkai2", 0, 12}, {"edkai3", 0, {}}, {"edKai4", 3, {}}};

// Moving-average deviation rate, and the moving averages the screening compares.
int MovingAveragesWarmUp(const ControlValues& controls);
int MovingAveragesDeviationWarmUp(const ControlValues& controls);
int CalcMovingAveragesAverages(ScreeningSeries& series, int bars, const ControlValues& controls);
int CalcMovingAveragesDeviation(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawDeviation(const IndicatorContext& context);

}  // namespace varnolt
