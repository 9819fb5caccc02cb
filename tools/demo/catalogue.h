#pragma once

#include <vector>

#include "demo/random.h"

namespace varnolt::demo {

// Whether `code` is one of kAnchorCodes.
bool IsAnchor(int code);

// Indexes of `count` different stocks, anchors left out when `skip_anchors`.
std::vector<int> PickStocks(Random& random, const std::vector<int>& codes, int count,
                            bool skip_anchors);

}  // namespace varnolt::demo
