#include "indicators/volume.h"

namespace varnolt {

std::string DrawVolume(const IndicatorContext&) { return "未実装"; }

}  // namespace varnolt
