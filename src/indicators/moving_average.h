#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Moving averages of closes, and of highs and lows, over the price chart.
DrawingResult DrawMovingAverage(const IndicatorContext& context);
DrawingResult DrawMovingAverageHighLow(const IndicatorContext& context);

}  // namespace varnolt
