#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "indicators/indicator_context.h"

namespace varnolt {

// On-balance volume: the volume of the first displayed bar, then each bar's volume added when
// its close rose and taken away when it fell.
DrawingResult DrawOBV(const IndicatorContext& context);

// OBV per bar number from `first` to the last bar; 0 before `first` and at entry 0.
std::vector<int64_t> OnBalanceVolume(const BarTable& bars, int first);

}  // namespace varnolt
