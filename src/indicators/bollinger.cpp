#include "indicators/bollinger.h"

namespace varnolt {

std::string DrawBollinger(const IndicatorContext&) { return "未実装"; }

int CalcBollinger(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
