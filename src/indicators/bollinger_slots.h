#pragma once

#include <cstdint>

#include "series/screening_series.h"

namespace varnolt {

// The exact integers of Bollinger windows: Σx, p·(close − mean), and p²·variance as a double.
struct BollingerWindows {
  const int32_t* sums;
  const int32_t* distances;
  const double* spreads;
};

// How far, in units in the last place, the fast values may lie from the plain ones.
struct BollingerUlps {
  uint64_t mean;
  uint64_t deviation;
  uint64_t sigmas;
};

// Fills s1 (distance from the mean in deviations), s2 (mean) and s3 (deviation) of `count`
// entries from `entries` on, window n giving entry n, with p = 1 / inverse_p; count is at most
// 64 and the windows hold an even number of values, count rounded up. Returns a bit for each
// entry whose values may not round to the same floats as the plain ones: the caller works
// those out again.
uint64_t FillBollingerSlots(ScreeningEntry* entries, int count, const BollingerWindows& windows,
                            double inverse_p, BollingerUlps ulps);

}  // namespace varnolt
