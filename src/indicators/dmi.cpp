#include "indicators/dmi.h"

namespace varnolt {

std::string DrawDMI(const IndicatorContext&) { return "未実装"; }

int CalcDMI(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
