#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Moving averages of closes, and of highs and lows, over the price chart.
std::string DrawMovingAverage(const IndicatorContext& context);
std::string DrawMovingAverageHighLow(const IndicatorContext& context);

}  // namespace varnolt
