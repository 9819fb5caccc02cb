#include "indicators/kagi.h"

namespace varnolt {

std::string DrawKagi(const IndicatorContext&) { return "未実装"; }

std::string DrawKagiTimeSeries(const IndicatorContext&) { return "未実装"; }

int CalcKagi(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
