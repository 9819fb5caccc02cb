// The packed slot pass of the Bollinger computation against the same arithmetic one window at
// a time: the same floats, and the same windows sent back for the plain arithmetic.
#include "indicators/bollinger_slots.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "indicators/float_rounding.h"

namespace varnolt {
namespace {

TEST(BollingerSlots, PackedPairsMatchOneWindowAtATime) {
  std::mt19937_64 random(5);
  std::uniform_int_distribution<int32_t> integer(-(1 << 24), 1 << 24);
  std::uniform_int_distribution<int64_t> spread(1, int64_t{1} << 50);
  // Wide error bounds put about one value in ten near a rounding edge.
  const BollingerUlps ulps{uint64_t{1} << 24, uint64_t{1} << 23, uint64_t{1} << 25};
  int flagged = 0, windows = 0;
  for (int round = 0; round < 2000; ++round) {
    const int count = 1 + round % 64;
    const double inverse_p = 1.0 / (1 + round % 300);
    std::vector<int32_t> sums(65), distances(65);
    std::vector<double> spreads(65);
    for (int n = 0; n < 65; ++n) {
      sums[n] = integer(random);
      distances[n] = integer(random);
      spreads[n] = static_cast<double>(spread(random));
    }
    std::vector<ScreeningEntry> entries(count);
    const uint64_t unsettled = FillBollingerSlots(
        entries.data(), count, {sums.data(), distances.data(), spreads.data()}, inverse_p, ulps);
    for (int n = 0; n < count; ++n) {
      const double root = std::sqrt(spreads[n]);
      const double sigmas = distances[n] / spreads[n] * root;
      const double mean = sums[n] * inverse_p;
      const double deviation = root * inverse_p;
      const bool settled = RoundsToOneFloat(mean, ulps.mean) &&
                           RoundsToOneFloat(deviation, ulps.deviation) &&
                           RoundsToOneFloat(sigmas, ulps.sigmas);
      ASSERT_EQ((unsettled >> n & 1) == 0, settled) << "round " << round << ", window " << n;
      if (!settled) {
        ++flagged;
        continue;
      }
      ++windows;
      ASSERT_EQ(std::bit_cast<uint32_t>(entries[n].s1), std::bit_cast<uint32_t>(float(sigmas)));
      ASSERT_EQ(std::bit_cast<uint32_t>(entries[n].s2), std::bit_cast<uint32_t>(float(mean)));
      ASSERT_EQ(std::bit_cast<uint32_t>(entries[n].s3), std::bit_cast<uint32_t>(float(deviation)));
    }
    if (count < 64) {
      ASSERT_EQ(unsettled >> count, 0u) << "round " << round;
    }
  }
  EXPECT_GT(flagged, windows / 20);
}

}  // namespace
}  // namespace varnolt
