#pragma once

#include <cstdint>
#include <string>

#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kVolumeBoxes[] = {{"edvolopn", 0, {}}};

// Volume bars with the volume average line, on a scale from the largest volume shown.
DrawingResult DrawVolume(const IndicatorContext& context);

// Spacing of the volume scale's ticks: a third of the largest volume cut to its leading digit
// (4500 → 1000), at least 1.
int64_t VolumeTickStep(int64_t largest);

}  // namespace varnolt
