#include "indicators/variable_scale.h"

namespace varnolt {

VariableScaleResult VariableScale(const ControlValues&, double) { return {10, "未実装"}; }

}  // namespace varnolt
