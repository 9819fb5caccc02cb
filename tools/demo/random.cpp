#include "demo/random.h"

namespace varnolt::demo {

uint64_t Mix(uint64_t z) {
  z += 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

Random::Random(uint64_t seed) {
  for (uint64_t& word : state_) {
    seed += 0x9E3779B97F4A7C15ULL;
    word = Mix(seed);
  }
}

Random Stream(uint32_t seed, Purpose purpose, uint64_t index) {
  return Random(Mix(Mix(Mix(seed) ^ purpose) ^ index));
}

}  // namespace varnolt::demo
