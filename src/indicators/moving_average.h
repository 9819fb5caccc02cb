#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kMovingAverageBoxes[] = {
    {"edav1", 0, 6}, {"edav2", 0, 12}, {"edav3", 0, {}}};

// Moving averages of closes, and of highs and lows, over the price chart.
DrawingResult DrawMovingAverage(const IndicatorContext& context);
DrawingResult DrawMovingAverageHighLow(const IndicatorContext& context);

}  // namespace varnolt
