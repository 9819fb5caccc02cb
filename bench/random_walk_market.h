#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace varnolt::bench {

struct WalkDay {
  int32_t open, high, low, close, volume;
};

// A market of random walks from a fixed generator, so that every run measures the same days:
// `stocks` × `days` entries, one stock after another. Volumes are drawn only when asked for,
// which leaves the prices of a market without them as they always were.
inline std::vector<WalkDay> RandomWalkMarket(int stocks, int days, bool volumes) {
  std::vector<WalkDay> market(static_cast<size_t>(stocks) * days);
  uint64_t state = 0x9E3779B97F4A7C15u;
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  for (int s = 0; s < stocks; ++s) {
    int32_t close = 500 + static_cast<int32_t>(next() % 3000);
    for (int i = 0; i < days; ++i) {
      const int32_t open = close;
      close = std::max<int32_t>(10, close + static_cast<int32_t>(next() % 61) - 30);
      const int32_t high = std::max(open, close) + static_cast<int32_t>(next() % 20);
      const int32_t low =
          std::max<int32_t>(1, std::min(open, close) - static_cast<int32_t>(next() % 20));
      const int32_t volume = volumes ? 1000 + static_cast<int32_t>(next() % 100000) : 0;
      market[static_cast<size_t>(s) * days + i] = {open, high, low, close, volume};
    }
  }
  return market;
}

}  // namespace varnolt::bench
