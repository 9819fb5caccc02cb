#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// On-balance volume.
std::string DrawOBV(const IndicatorContext& context);

}  // namespace varnolt
