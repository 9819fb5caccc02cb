#pragma once

#include <cstdint>
#include <string_view>

#include "base/controls.h"
#include "series/screening_series.h"

namespace varnolt {

// Runs the computation of a condition over entries 1..n of the series: n = 0 returns its
// warm-up length; otherwise it fills the result slots and returns anything but the failure
// code on success. A fault inside the computation, an unreadable period box, or a number with
// no computation gives the failure code.
int ComputeForCondition(int number, ScreeningSeries& series, int n, int days1,
                        int32_t average_price, const ControlValues& controls);

// One condition on price history (numbers 8–83) over the series as loaded, entries 1..n,
// with m the entries it needs: computes, then tests at entry n looking back `window` entries.
// Too few entries, a failing computation, or a number that does not read fails.
bool EvaluateCondition(int number, ScreeningSeries& series, int n, int m, std::string_view num1,
                       std::string_view num2, int days1, int window, int32_t average_price,
                       const ControlValues& controls);

// The test alone, on slots already computed for entries 1..n.
bool TestComputedCondition(int number, const ScreeningSeries& series, int n, std::string_view num1,
                           std::string_view num2, int days1, int window);

}  // namespace varnolt
