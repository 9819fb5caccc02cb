#include "indicators/ichimoku.h"

namespace varnolt {

std::string DrawIchimoku(const IndicatorContext&) { return "未実装"; }

int CalcIchimoku(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
