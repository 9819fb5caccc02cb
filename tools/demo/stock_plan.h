#pragma once

#include <cstdint>
#include <vector>

#include "demo/demo_data.h"

namespace varnolt::demo {

// What a stock is and what happens to it, fixed before the walk.
struct StockPlan {
  int code = 0;
  double base_price = 0;  // price on the first day of the walk
  double sigma = 0;       // daily volatility
  double beta = 1;
  double idio_sigma = 0;
  double base_volume = 0;  // shares per day at the start
  int lot = 1;             // volumes are multiples of it
  int unit_shares = 100;
  int listing = 0;          // index of the first trading day with prices
  int suspended_from = -1;  // [from, to): trading-day indexes without prices
  int suspended_to = -1;
  int event_day = -1;  // split or merge taking effect on this trading day
  float event_factor = 0;
  bool has_finance = true;

  int Span(int day_count) const { return day_count - listing; }
  bool Suspended(int t) const { return t >= suspended_from && t < suspended_to; }
};

// The traits of a stock: price and volume at the start, volatility, its share of the market
// factor and its trading unit. Anchors start at fixed prices.
StockPlan StockTraits(uint32_t seed, const DemoStock& stock);

// Late listings, suspensions, splits and merges and the stocks without financial figures.
void PlanEvents(uint32_t seed, const std::vector<DemoStock>& stocks, int day_count, int years,
                std::vector<StockPlan>& plans);

}  // namespace varnolt::demo
