#include "indicators/psychological.h"

namespace varnolt {

std::string DrawPsychological(const IndicatorContext&) { return "未実装"; }

int CalcPsychological(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
