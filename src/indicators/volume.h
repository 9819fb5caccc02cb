#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// Volume bars with the volume average line.
std::string DrawVolume(const IndicatorContext& context);

}  // namespace varnolt
