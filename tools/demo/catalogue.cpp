#include "demo/catalogue.h"

#include <algorithm>
#include <numeric>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

#include "demo/code_bands.h"
#include "demo/company_names.h"
#include "demo/demo_data.h"
#include "demo/markets.h"

namespace varnolt::demo {

bool IsAnchor(int code) {
  return std::find(kAnchorCodes.begin(), kAnchorCodes.end(), code) != kAnchorCodes.end();
}

std::vector<int> PickStocks(Random& random, const std::vector<int>& codes, int count,
                            bool skip_anchors) {
  std::vector<int> candidates;
  for (int i = 0; i < static_cast<int>(codes.size()); ++i) {
    if (!skip_anchors || !IsAnchor(codes[i])) candidates.push_back(i);
  }
  std::vector<int> chosen;
  while (static_cast<int>(chosen.size()) < count && !candidates.empty()) {
    const int k = random.Int(0, static_cast<int>(candidates.size()) - 1);
    chosen.push_back(candidates[k]);
    candidates.erase(candidates.begin() + k);
  }
  return chosen;
}

std::vector<DemoStock> DemoCatalogue(uint32_t seed, int stock_count) {
  if (stock_count < static_cast<int>(kAnchorCodes.size()) || stock_count > kMaxDemoStocks) {
    throw std::invalid_argument("stock count out of range: " + std::to_string(stock_count));
  }
  Random random = Stream(seed, kCatalogue);
  const std::span<const CodeBand> bands = CodeBands();
  const std::vector<int> quota = BandQuotas(stock_count);
  std::set<int> codes(kAnchorCodes.begin(), kAnchorCodes.end());
  for (size_t b = 0; b < quota.size(); ++b) {
    for (int i = 0; i < quota[b]; ++i) {
      while (!codes.insert(random.Int(bands[b].first, bands[b].last)).second) {
      }
    }
  }

  std::vector<DemoStock> stocks;
  std::set<std::string> names;
  for (int code : codes) {
    DemoStock stock;
    stock.code = code;
    stock.sector = bands[BandOf(code)].sector;
    stock.market = IsAnchor(code) ? kFirstSection : PickMarket(random);
    stock.name = InventName(random, stock.sector, names);
    stocks.push_back(std::move(stock));
  }

  std::vector<int> all(stocks.size());
  std::iota(all.begin(), all.end(), 0);
  const int checked = std::max(1, stock_count / 80);
  const int grouped = std::max(1, stock_count / 100);
  const auto picked = PickStocks(random, all, checked + grouped, false);
  for (size_t i = 0; i < picked.size(); ++i) {
    stocks[picked[i]].check = static_cast<int>(i) < checked ? "◎" : "◎注目◎";
  }
  return stocks;
}

Lines CatalogueLines(const std::vector<DemoStock>& stocks) {
  Lines lines;
  lines.reserve(3 * stocks.size());
  for (const DemoStock& stock : stocks) {
    lines.push_back(std::to_string(stock.code));
    lines.push_back(stock.name);
    lines.push_back("●" + stock.sector + "●○" + stock.market + "○" + stock.check);
  }
  return lines;
}

}  // namespace varnolt::demo
