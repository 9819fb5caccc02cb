#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kPointFigureBoxes[] = {{"edPF1", 10, 10}, {"edPF2", 3, 3}};

// Point-and-figure chart: X and O columns with a reversal of several boxes.
int PointFigureWarmUp(const ControlValues& controls);
int CalcPointFigure(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawPointFigure(const IndicatorContext& context);

}  // namespace varnolt
