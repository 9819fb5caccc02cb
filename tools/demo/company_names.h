#pragma once

#include <set>
#include <string>
#include <string_view>

#include "demo/random.h"

namespace varnolt::demo {

// A company name not yet in `taken`, built from a place or house word and an ending that fits
// the sector (sometimes with "ホールディングス"); the name is added to `taken`.
std::string InventName(Random& random, std::string_view sector, std::set<std::string>& taken);

}  // namespace varnolt::demo
