#pragma once

#include <string>

#include "base/controls.h"

namespace varnolt {

// The box size of the variable scale for a price: the width edscale<n> of the first band edsc<n>
// the price lies below, edscale12 above them all.
struct VariableScaleResult {
  double box = 10;
  std::string message;  // "変動スケールが正しく設定されていません" when a box does not read
};
VariableScaleResult VariableScale(const ControlValues& controls, double price);

}  // namespace varnolt
