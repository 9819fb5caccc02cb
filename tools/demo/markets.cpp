#include "demo/markets.h"

namespace varnolt::demo {
namespace {

struct Market {
  std::string_view name;
  int weight;
};

// The markets of the market filter list that stocks trade on, with their share of the stocks.
constexpr Market kMarkets[] = {
    {"東証一部", 40}, {"東証二部", 14}, {"東証ﾏｻﾞｰｽﾞ", 7}, {"大証", 6},       {"名証", 5},
    {"JASDAQ", 18},   {"札証", 2},      {"福証", 3},       {"ヘラクレス", 5},
};

}  // namespace

bool IsYoungMarket(std::string_view market) {
  return market == "東証ﾏｻﾞｰｽﾞ" || market == "ヘラクレス";
}

std::string_view PickMarket(Random& random) {
  int total = 0;
  for (const Market& m : kMarkets) total += m.weight;
  int draw = random.Int(0, total - 1);
  for (const Market& m : kMarkets) {
    if (draw < m.weight) return m.name;
    draw -= m.weight;
  }
  return kFirstSection;
}

}  // namespace varnolt::demo
