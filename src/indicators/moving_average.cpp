#include "indicators/moving_average.h"

namespace varnolt {

std::string DrawMovingAverage(const IndicatorContext&) { return "未実装"; }

std::string DrawMovingAverageHighLow(const IndicatorContext&) { return "未実装"; }

}  // namespace varnolt
