#include "indicators/rsi.h"

namespace varnolt {

std::string DrawRSI(const IndicatorContext&) { return "未実装"; }

int CalcRSI(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
