#pragma once

#include <string_view>

#include "demo/random.h"

namespace varnolt::demo {

inline constexpr std::string_view kFirstSection = "東証一部";

// The growth markets for young companies; their stocks list later and move more.
bool IsYoungMarket(std::string_view market);

// A market drawn by each market's share of the stocks.
std::string_view PickMarket(Random& random);

}  // namespace varnolt::demo
