#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demo/demo_data.h"
#include "demo/price_walk.h"
#include "demo/stock_plan.h"

namespace varnolt::demo {

// The bytes of data/finance.dat: financial figures of every stock that has them, consistent
// with its last close (or its starting price when it never traded).
std::string FinanceFile(uint32_t seed, const std::vector<DemoStock>& stocks,
                        const std::vector<StockPlan>& plans, const std::vector<Walk>& walks);

}  // namespace varnolt::demo
