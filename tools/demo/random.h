#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>

namespace varnolt::demo {

// Random numbers. Our own generator (xoshiro256**, seeded through splitmix64) and our own
// conversions, so that a seed gives the same folder with every compiler and standard library.

uint64_t Mix(uint64_t z);

class Random {
 public:
  explicit Random(uint64_t seed);

  uint64_t Next() {
    const uint64_t result = std::rotl(state_[1] * 5, 7) * 9;
    const uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = std::rotl(state_[3], 45);
    return result;
  }

  // [0, 1) with 53 random bits.
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  double Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  double LogUniform(double lo, double hi) { return lo * std::exp(std::log(hi / lo) * Uniform()); }
  bool Chance(double p) { return Uniform() < p; }

  // lo … hi inclusive.
  int Int(int lo, int hi) {
    const uint64_t span = static_cast<uint64_t>(hi - lo) + 1;
    return lo + static_cast<int>(((Next() >> 32) * span) >> 32);
  }

  // Standard normal deviate (Box–Muller).
  double Normal() {
    const double u = 1.0 - Uniform();
    const double v = Uniform();
    return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * std::numbers::pi * v);
  }

  template <typename T>
  const T& Pick(std::span<const T> items) {
    return items[Int(0, static_cast<int>(items.size()) - 1)];
  }

 private:
  std::array<uint64_t, 4> state_;
};

// One stream per purpose (and per stock), so that the draws of one part do not shift those of
// another: the price walk of a stock does not change when the catalogue draws one name more.
enum Purpose : uint64_t { kCatalogue = 1, kPlan, kMarket, kStockTraits, kWalk, kFinance };

Random Stream(uint32_t seed, Purpose purpose, uint64_t index = 0);

}  // namespace varnolt::demo
