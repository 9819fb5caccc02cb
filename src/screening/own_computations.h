#pragma once

#include <cstdint>

#include "series/screening_series.h"

namespace varnolt {

// The computations that only the conditions use. Each writes entry `bars` alone, returns 0, or
// the failure code when it cannot form its values; bars = 0 returns the warm-up length.

// s1 = C(a) / C(a - days).
int CalcCloseRatio(ScreeningSeries& series, int bars, int days);
// Over the last `days` entries: s1 = highest high / lowest low, s2 = the high, s3 = the low.
int CalcHighLowRange(ScreeningSeries& series, int bars, int days);
// s1 = the average purchase price; a stock not held (price 0) fails.
int CalcAveragePurchasePrice(ScreeningSeries& series, int bars, int32_t average_price);

}  // namespace varnolt
