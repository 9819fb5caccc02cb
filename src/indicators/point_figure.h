#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Point-and-figure chart: X and O columns with a reversal of several boxes.
DrawingResult DrawPointFigure(const IndicatorContext& context);
int CalcPointFigure(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
