#pragma once

#include <cstdint>

namespace varnolt::demo {

// Prices on the exchange's tick grid: the price step allowed within each price range. Range
// bounds are multiples of the ticks on both sides, so a price rounded with its own range's tick
// is also a multiple of the tick of the range it ends up in.
int32_t NearestTick(double price);
int32_t TickAbove(double price);
int32_t TickBelow(double price);

}  // namespace varnolt::demo
