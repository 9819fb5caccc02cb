#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kReverseWatchBoxes[] = {{"edrw", 1, {}}};

// Reverse watch curve: price average against volume average.
DrawingResult DrawReverseWatch(const IndicatorContext& context);

}  // namespace varnolt
