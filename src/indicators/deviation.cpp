#include "indicators/deviation.h"

namespace varnolt {

std::string DrawDeviation(const IndicatorContext&) { return "未実装"; }

int CalcMovingAveragesAverages(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

int CalcMovingAveragesDeviation(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
