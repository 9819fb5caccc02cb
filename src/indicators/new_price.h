#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kNewPriceBoxes[] = {{"edNL", 3, 3}};

// New-price chart (新値足): a new line when the close passes the highs or lows of the last lines.
int NewPriceWarmUp(const ControlValues& controls);
int CalcNewPrice(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawNewPrice(const IndicatorContext& context);

}  // namespace varnolt
