#include "indicators/macd.h"

namespace varnolt {

std::string DrawMACD(const IndicatorContext&) { return "未実装"; }

int CalcMACD(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
