#pragma once

#include <cstdint>
#include <optional>

#include "demo/random.h"
#include "demo/stock_plan.h"
#include "store/year_file.h"

namespace varnolt::demo {

// A stock's price walk: a share of the market factor plus its own mean-reverting level, in
// prices of the stock as first listed; `scale` turns them into traded prices after splits.
struct Walk {
  explicit Walk(Random r) : random(r) {}
  Random random;
  double own = 0;
  double market_at_listing = 0;
  double scale = 1;          // product of the split factors so far
  double last_adjusted = 0;  // last close × scale at that time; 0 before the first close
  int32_t last_close = 0;
};

// One trading day of one stock: a row, or nothing before listing and while suspended.
std::optional<DayRow> StepStock(const StockPlan& plan, Walk& walk, int t, double market);

}  // namespace varnolt::demo
