#include "indicators/rci.h"

namespace varnolt {

std::string DrawRCI(const IndicatorContext&) { return "未実装"; }

int CalcRCI(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
