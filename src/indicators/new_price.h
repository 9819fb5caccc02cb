#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// New-price chart (新値足): a new line when the close passes the highs or lows of the last lines.
DrawingResult DrawNewPrice(const IndicatorContext& context);
int CalcNewPrice(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
