#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Reverse watch curve: price average against volume average.
DrawingResult DrawReverseWatch(const IndicatorContext& context);

}  // namespace varnolt
