#include "indicators/parabolic.h"

namespace varnolt {

std::string DrawParabolic(const IndicatorContext&) { return "未実装"; }

int CalcParabolic(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
