#include "demo/market_factor.h"

#include <iterator>

namespace varnolt::demo {
namespace {

constexpr double kTradingDaysPerYear = 245;

// Yearly log drift of the market factor, roughly the broad Japanese market's moves; other
// years drift slightly up.
double MarketDrift(int year) {
  static constexpr double kDrift[] = {
      -0.32, -0.27, -0.21, 0.22, 0.07, 0.34,  0.07, -0.12, -0.55, 0.17,  -0.03, -0.19, 0.21,
      0.45,  0.07,  0.09,  0.00, 0.17, -0.13, 0.17, 0.15,  0.05,  -0.10, 0.25,  0.18,  0.23,
  };
  const int i = year - 2000;
  return i >= 0 && i < static_cast<int>(std::size(kDrift)) ? kDrift[i] : 0.03;
}

}  // namespace

double MarketStep(int year, Random& random) {
  return MarketDrift(year) / kTradingDaysPerYear + kMarketSigma * random.Normal();
}

}  // namespace varnolt::demo
