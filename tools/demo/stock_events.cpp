// The events of the stock plans: late listings, suspensions, splits and merges.

#include "demo/stock_plan.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "demo/catalogue.h"
#include "demo/markets.h"
#include "demo/random.h"

namespace varnolt::demo {
namespace {

constexpr float kSplitFactors[] = {2.0f, 1.5f, 5.0f, 10.0f, 2.0f, 100.0f};
constexpr float kMergeFactors[] = {0.1f, 0.2f};

// Splits go to stocks priced high enough for the new price to stay sensible, merges to cheap ones.
bool FitsSplit(const StockPlan& plan, float factor) {
  if (factor >= 100) return plan.base_price >= 30000;
  if (factor >= 10) return plan.base_price >= 4000;
  if (factor >= 5) return plan.base_price >= 2000;
  if (factor >= 2) return plan.base_price >= 500;
  if (factor > 1) return plan.base_price >= 300;
  if (factor <= 0.1f) return plan.base_price <= 500;
  return plan.base_price <= 1500;
}

}  // namespace

void PlanEvents(uint32_t seed, const std::vector<DemoStock>& stocks, int day_count, int years,
                std::vector<StockPlan>& plans) {
  Random random = Stream(seed, kPlan);
  const int n = static_cast<int>(plans.size());
  std::vector<int> codes;
  for (const StockPlan& plan : plans) codes.push_back(plan.code);

  // Younger markets list more of their stocks within the years.
  if (day_count >= 120) {
    for (int i = 0; i < n; ++i) {
      if (IsAnchor(plans[i].code)) continue;
      const std::string& market = stocks[i].market;
      const double late = IsYoungMarket(market) ? 0.7 : market == "JASDAQ" ? 0.35 : 0.12;
      if (random.Chance(late)) plans[i].listing = random.Int(1, day_count - 60);
    }
  }

  const double stock_years = static_cast<double>(n) * years;
  const int suspensions = std::max(1, static_cast<int>(std::lround(stock_years / 1000)));
  for (int index : PickStocks(random, codes, suspensions, true)) {
    StockPlan& plan = plans[index];
    const int length = random.Int(10, 40);
    if (plan.Span(day_count) < length + 60) continue;
    plan.suspended_from = random.Int(plan.listing + 20, day_count - length - 20);
    plan.suspended_to = plan.suspended_from + length;
  }

  // About eight splits and two merges per decade across 400 stocks, at least one of each.
  const int splits = std::max(1, static_cast<int>(std::lround(stock_years * 8 / 4000)));
  const int merges = std::max(1, static_cast<int>(std::lround(stock_years * 2 / 4000)));
  std::vector<float> factors;
  for (int i = 0; i < splits; ++i) factors.push_back(kSplitFactors[i % std::size(kSplitFactors)]);
  for (int i = 0; i < merges; ++i) factors.push_back(kMergeFactors[i % std::size(kMergeFactors)]);
  for (float factor : factors) {
    // The heavily traded anchor keeps its billion-share days.
    auto free = [&](const StockPlan& p) {
      return p.event_day < 0 && p.code != kHeavyTradedCode && p.Span(day_count) >= 80;
    };
    std::vector<int> fitting, any;
    for (int i = 0; i < n; ++i) {
      if (!free(plans[i])) continue;
      any.push_back(i);
      if (FitsSplit(plans[i], factor)) fitting.push_back(i);
    }
    const std::vector<int>& pool = fitting.empty() ? any : fitting;
    if (pool.empty()) break;
    StockPlan& plan = plans[pool[random.Int(0, static_cast<int>(pool.size()) - 1)]];
    int day = random.Int(plan.listing + 40, day_count - 1);
    // Not on the day trading resumes, whose gap would hide the split's own step.
    if (day >= plan.suspended_from && day <= plan.suspended_to) day = plan.suspended_to + 5;
    if (day >= day_count) continue;
    plan.event_day = day;
    plan.event_factor = factor;
  }

  const int without_finance = std::clamp(n / 80, 1, 5);
  for (int index : PickStocks(random, codes, without_finance, true)) {
    plans[index].has_finance = false;
  }
}

}  // namespace varnolt::demo
