#pragma once

#include "demo/random.h"

namespace varnolt::demo {

// The market factor that every stock's walk follows in part (log scale, 0 on the first day).
inline constexpr double kMarketSigma = 0.009;  // daily

// One trading day's change of the market factor in `year`: the year's drift spread over its
// trading days plus noise.
double MarketStep(int year, Random& random);

}  // namespace varnolt::demo
