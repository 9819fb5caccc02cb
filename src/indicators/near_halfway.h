#pragma once

#include <cstdint>

#include "indicators/float_rounding.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace varnolt {

#if defined(__SSE2__)

// RoundsToOneFloat for the two doubles of a packed pair at once: the band of dropped bits,
// around the halfway pattern, that it turns down.
struct NearHalfway {
  __m128i above;  // the band's lower end less 1, in the low half of each lane
  __m128i below;  // the band's upper end plus 1

  explicit NearHalfway(uint64_t ulps)
      : above(_mm_set1_epi32(kRoundingHalfway - static_cast<int32_t>(ulps) - 1)),
        below(_mm_set1_epi32(kRoundingHalfway + static_cast<int32_t>(ulps) + 1)) {}

  // All ones in the low half of each lane whose value lies in the band, zeros elsewhere.
  __m128i operator()(__m128d value) const {
    const __m128i dropped = _mm_and_si128(_mm_castpd_si128(value),
                                          _mm_set_epi32(0, kRoundingDropped, 0, kRoundingDropped));
    return _mm_and_si128(_mm_cmpgt_epi32(dropped, above), _mm_cmpgt_epi32(below, dropped));
  }
};

#endif

// Whether RoundsToOneFloat(values[i], ulps) holds for every i below `count`.
inline bool AllRoundToOneFloat(const double* values, int count, uint64_t ulps) {
  int i = 0;
#if defined(__SSE2__)
  const NearHalfway near_halfway(ulps);
  __m128i near = _mm_setzero_si128();
  for (; i + 1 < count; i += 2) near = _mm_or_si128(near, near_halfway(_mm_loadu_pd(values + i)));
  if (_mm_movemask_epi8(near) != 0) return false;
#endif
  bool all = true;
  for (; i < count; ++i) all &= RoundsToOneFloat(values[i], ulps);
  return all;
}

}  // namespace varnolt
