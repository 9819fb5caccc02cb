#include "indicators/stochastics.h"

namespace varnolt {

std::string DrawStochastics(const IndicatorContext&) { return "未実装"; }

int CalcStochastics(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
