// The traits of the stock plans, drawn for each stock on its own.

#include "demo/stock_plan.h"

#include <algorithm>
#include <cmath>

#include "demo/market_factor.h"
#include "demo/markets.h"
#include "demo/random.h"

namespace varnolt::demo {
namespace {

struct Anchor {
  int code;
  double price;
};
constexpr Anchor kAnchorPrices[] = {{1301, 300},   {4502, 4200}, {6501, 850},
                                    {7203, 23000}, {8306, 160},  {9997, 380000}};

}  // namespace

StockPlan StockTraits(uint32_t seed, const DemoStock& stock) {
  Random random = Stream(seed, kStockTraits, static_cast<uint64_t>(stock.code));
  StockPlan plan;
  plan.code = stock.code;
  const bool young = IsYoungMarket(stock.market);
  const double high_priced_share = young ? 0.35 : stock.market == "JASDAQ" ? 0.10 : 0.03;
  plan.base_price = random.Chance(high_priced_share) ? random.LogUniform(20000, 600000)
                                                     : random.LogUniform(120, 6000);
  plan.sigma = random.Uniform(0.015, 0.025) + (young || stock.market == "JASDAQ" ? 0.004 : 0.0);
  plan.beta = random.Uniform(0.6, 1.4);
  const double market_part = plan.beta * kMarketSigma;
  plan.idio_sigma = std::sqrt(std::max(plan.sigma * plan.sigma - market_part * market_part,
                                       0.25 * plan.sigma * plan.sigma));
  plan.unit_shares = random.Chance(0.8) ? 100 : 1000;
  const double turnover =
      stock.market == kFirstSection ? random.LogUniform(3e7, 5e9) : random.LogUniform(2e6, 5e8);
  for (const Anchor& anchor : kAnchorPrices) {
    if (anchor.code == stock.code) plan.base_price = anchor.price;
  }
  plan.base_volume = turnover / plan.base_price;
  if (stock.code == kHeavyTradedCode) {
    plan.base_volume = 4.5e8;
    plan.unit_shares = 100;
  }
  // High-priced stocks trade in single shares.
  plan.lot = plan.base_price >= 20000 ? 1 : plan.unit_shares;
  return plan;
}

}  // namespace varnolt::demo
