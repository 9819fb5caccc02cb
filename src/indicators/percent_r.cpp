#include "indicators/percent_r.h"

namespace varnolt {

std::string DrawPercentR(const IndicatorContext&) { return "未実装"; }

int CalcPercentR(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
