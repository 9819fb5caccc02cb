#include "demo/price_walk.h"

#include <algorithm>
#include <cmath>

#include "demo/ticks.h"

namespace varnolt::demo {
namespace {

constexpr double kReversion = 0.0008;  // daily pull of a stock's own level back to its start
constexpr double kNewsChance = 0.003;  // a day with company news
constexpr double kNewsSigma = 0.07;
constexpr int64_t kLongVolume = 1000000000;  // ten digits: stored in units of 10,000 shares
constexpr double kMaxVolume = 2e10;

int64_t StoredVolume(int64_t shares) {
  return shares >= kLongVolume ? -(shares / 10000) : shares;
}

}  // namespace

std::optional<DayRow> StepStock(const StockPlan& plan, Walk& walk, int t, double market) {
  if (t < plan.listing) return std::nullopt;
  Random& random = walk.random;
  if (t == plan.listing) {
    walk.market_at_listing = market;
  } else {
    walk.own = walk.own * (1 - kReversion) + plan.idio_sigma * random.Normal();
    if (random.Chance(kNewsChance)) walk.own += kNewsSigma * random.Normal();
  }
  const double gap = random.Normal();
  const double up = std::abs(random.Normal());
  const double down = std::abs(random.Normal());
  const double activity = random.Normal();
  if (t == plan.event_day) walk.scale *= plan.event_factor;
  if (plan.Suspended(t)) return std::nullopt;

  const double adjusted =
      plan.base_price * std::exp(plan.beta * (market - walk.market_at_listing) + walk.own);
  const double close = std::clamp(adjusted / walk.scale, 1.0, 1e9);
  const double previous = walk.last_adjusted > 0 ? walk.last_adjusted / walk.scale : close;
  const double open = std::clamp(previous * std::exp(0.3 * plan.sigma * gap), 1.0, 1e9);
  const double high = std::max(open, close) * std::exp(0.5 * plan.sigma * up);
  const double low = std::min(open, close) * std::exp(-0.5 * plan.sigma * down);

  DayRow row;
  row.code = plan.code;
  const int32_t o = NearestTick(open);
  const int32_t c = NearestTick(close);
  row.open = o;
  row.close = c;
  row.high = std::max({TickAbove(high), o, c});
  row.low = std::min({TickBelow(low), o, c});
  // Busier on days that move more; the mean of 1 + 1.5|z| is about 2.2.
  const double move = std::abs(std::log(close / previous)) / plan.sigma;
  double shares = plan.base_volume * walk.scale * std::exp(0.5 * activity) * (1 + 1.5 * move) / 2.2;
  shares = std::min(shares, kMaxVolume);
  const int64_t lots = std::max<int64_t>(1, std::llround(shares / plan.lot));
  row.volume = static_cast<int32_t>(StoredVolume(lots * plan.lot));
  if (t == plan.event_day) row.split = plan.event_factor;

  walk.last_adjusted = c * walk.scale;
  walk.last_close = c;
  return row;
}

}  // namespace varnolt::demo
