#include "indicators/reverse_watch.h"

namespace varnolt {

std::string DrawReverseWatch(const IndicatorContext&) { return "未実装"; }

}  // namespace varnolt
