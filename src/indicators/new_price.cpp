#include "indicators/new_price.h"

namespace varnolt {

std::string DrawNewPrice(const IndicatorContext&) { return "未実装"; }

int CalcNewPrice(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
