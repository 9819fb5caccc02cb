#include "demo/ticks.h"

#include <algorithm>
#include <cmath>

namespace varnolt::demo {
namespace {

// The exchange's tick sizes: the price step allowed within each price range.
int64_t TickSize(double price) {
  struct Step {
    double up_to;
    int64_t tick;
  };
  static constexpr Step kSteps[] = {
      {3000, 1},     {5000, 5},       {30000, 10},     {50000, 50},       {300000, 100},
      {500000, 500}, {3000000, 1000}, {5000000, 5000}, {30000000, 10000}, {50000000, 50000},
  };
  for (const Step& step : kSteps) {
    if (price <= step.up_to) return step.tick;
  }
  return 100000;
}

}  // namespace

int32_t NearestTick(double price) {
  const int64_t tick = TickSize(price);
  return static_cast<int32_t>(std::max<int64_t>(tick, std::llround(price / tick) * tick));
}
int32_t TickAbove(double price) {
  const int64_t tick = TickSize(price);
  return static_cast<int32_t>(
      std::max<int64_t>(tick, std::llround(std::ceil(price / tick)) * tick));
}
int32_t TickBelow(double price) {
  const int64_t tick = TickSize(price);
  return static_cast<int32_t>(std::max<int64_t>(1, std::llround(std::floor(price / tick)) * tick));
}

}  // namespace varnolt::demo
