#include "indicators/bollinger_slots.h"

#include <cmath>

#include "indicators/float_rounding.h"
#include "indicators/near_halfway.h"

namespace varnolt {
namespace {

// One window at a time, with the rounding checks.
uint64_t FillOneByOne(ScreeningEntry* entries, int count, const BollingerWindows& windows,
                      double inverse_p, BollingerUlps ulps) {
  uint64_t unsettled = 0;
  for (int n = 0; n < count; ++n) {
    const double spread = windows.spreads[n];
    // root = √spread = p · deviation; sigmas = distance / spread · root, the square root and
    // the division side by side rather than one after the other.
    const double root = std::sqrt(spread);
    const double sigmas = windows.distances[n] / spread * root;
    const double mean = windows.sums[n] * inverse_p;
    const double deviation = root * inverse_p;
    const bool settled = RoundsToOneFloat(mean, ulps.mean) &&
                         RoundsToOneFloat(deviation, ulps.deviation) &&
                         RoundsToOneFloat(sigmas, ulps.sigmas);
    unsettled |= static_cast<uint64_t>(!settled) << n;
    entries[n].s1 = static_cast<float>(sigmas);
    entries[n].s2 = static_cast<float>(mean);
    entries[n].s3 = static_cast<float>(deviation);
  }
  return unsettled;
}

#if defined(__SSE2__)

__m128d LoadPair(const int32_t* pair) {
  return _mm_cvtepi32_pd(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(pair)));
}

#endif

}  // namespace

uint64_t FillBollingerSlots(ScreeningEntry* entries, int count, const BollingerWindows& windows,
                            double inverse_p, BollingerUlps ulps) {
#if defined(__SSE2__)
  // Two windows side by side. Square roots and divisions share one unit that takes about as
  // long for a packed pair as for a single value, and the checks and conversions halve too.
  // Each lane is rounded exactly as the single operations would round it. The rare block with
  // a value near a rounding edge is gone over again one window at a time, to tell which.
  const __m128d inverse = _mm_set1_pd(inverse_p);
  const NearHalfway near_mean(ulps.mean), near_deviation(ulps.deviation), near_sigmas(ulps.sigmas);
  __m128i near = _mm_setzero_si128();
  for (int n = 0; n < count; n += 2) {
    const __m128d spreads = _mm_loadu_pd(windows.spreads + n);
    const __m128d roots = _mm_sqrt_pd(spreads);
    const __m128d sigmas = _mm_mul_pd(_mm_div_pd(LoadPair(windows.distances + n), spreads), roots);
    const __m128d means = _mm_mul_pd(LoadPair(windows.sums + n), inverse);
    const __m128d deviations = _mm_mul_pd(roots, inverse);
    near = _mm_or_si128(near, _mm_or_si128(_mm_or_si128(near_mean(means), near_sigmas(sigmas)),
                                           near_deviation(deviations)));
    // s1 and s2 lie side by side: one store of both for each entry.
    const __m128 deviation_floats = _mm_cvtpd_ps(deviations);
    const __m128 firsts = _mm_unpacklo_ps(_mm_cvtpd_ps(sigmas), _mm_cvtpd_ps(means));
    _mm_storel_pi(reinterpret_cast<__m64*>(&entries[n].s1), firsts);
    entries[n].s3 = _mm_cvtss_f32(deviation_floats);
    if (n + 1 == count) break;
    _mm_storeh_pi(reinterpret_cast<__m64*>(&entries[n + 1].s1), firsts);
    entries[n + 1].s3 = _mm_cvtss_f32(_mm_shuffle_ps(deviation_floats, deviation_floats, 1));
  }
  if (_mm_movemask_ps(_mm_castsi128_ps(near)) == 0) return 0;
#endif
  return FillOneByOne(entries, count, windows, inverse_p, ulps);
}

}  // namespace varnolt
