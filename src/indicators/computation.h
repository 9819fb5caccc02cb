#pragma once

#include <array>
#include <span>
#include <stdexcept>
#include <string_view>

#include "base/controls.h"
#include "series/screening_series.h"

namespace varnolt {

// A floating-point fault inside a computation (a zero divisor, an invalid operation). The
// evaluator turns it into the failure code and the stock fails the condition.
class ComputationFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An indicator computation over the screening series: bar count 0 returns the warm-up length
// and computes nothing; N > 0 fills the result slots of bars 1..N.
using ComputationFunction = int (*)(ScreeningSeries& series, int bars,
                                    const ControlValues& controls);

// The warm-up length alone: how many bars before the first result the computation needs.
using WarmUpFunction = int (*)(const ControlValues& controls);

struct ComputationInfo {
  std::string_view name;  // as the command-line tool's calc takes it
  ComputationFunction run;
  WarmUpFunction warm_up = nullptr;
  // What each result slot s1..s5 holds; empty for a slot the computation leaves alone.
  std::array<std::string_view, 5> slot_meanings{};
};

// Every computation of the indicator families, in the families' order.
std::span<const ComputationInfo> Computations();
const ComputationInfo* FindComputation(std::string_view name);

// Runs a computation as the evaluator does: a floating-point fault, or a parameter box that
// does not read, becomes the failure code and the stock fails.
int RunComputation(const ComputationInfo& info, ScreeningSeries& series, int bars,
                   const ControlValues& controls);

// Divides, throwing ComputationFault on a zero divisor instead of producing inf or NaN.
inline double CheckedDivide(double numerator, double denominator) {
  if (denominator == 0) throw ComputationFault("division by zero");
  return numerator / denominator;
}

}  // namespace varnolt
