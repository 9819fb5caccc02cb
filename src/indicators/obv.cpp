#include "indicators/obv.h"

namespace varnolt {

std::string DrawOBV(const IndicatorContext&) { return "未実装"; }

}  // namespace varnolt
