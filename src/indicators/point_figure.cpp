#include "indicators/point_figure.h"

namespace varnolt {

std::string DrawPointFigure(const IndicatorContext&) { return "未実装"; }

int CalcPointFigure(ScreeningSeries&, int, const ControlValues&) { throw ComputationFault("未実装"); }

}  // namespace varnolt
