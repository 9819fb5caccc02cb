#include "indicators/renko.h"

namespace varnolt {

std::string DrawRenko(const IndicatorContext&) { return "未実装"; }

int CalcRenko(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
