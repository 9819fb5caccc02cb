#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kRenkoBoxes[] = {{"edRen", 10, 10}};

// Renko chart (練行足): a brick for every box the close moves.
int RenkoWarmUp(const ControlValues& controls);
int CalcRenko(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawRenko(const IndicatorContext& context);

}  // namespace varnolt
