#include "screening/holdings_price.h"

#include <string>

#include "base/numbers.h"
#include "store/day_record.h"

namespace varnolt {
namespace {

// A figure line of the list: one marker character, then the number.
std::optional<int64_t> Figure(const std::string& line) {
  if (line.empty()) return std::nullopt;
  return ParseInt64(std::string_view(line).substr(1));
}

// The price of the holding whose code line is line `at`.
int32_t PriceAt(const Lines& holdings, size_t at) {
  if (at + 2 >= holdings.size()) return 0;
  const auto amount = Figure(holdings[at + 1]);
  const auto shares = Figure(holdings[at + 2]);
  if (!amount || !shares || *shares == 0) return 0;
  return RoundToInt32(static_cast<double>(*amount) / static_cast<double>(*shares));
}

}  // namespace

int32_t AveragePurchasePrice(const Lines& holdings, int code) {
  const std::string text = std::to_string(code);
  for (size_t i = 0; i < holdings.size(); ++i) {
    if (holdings[i] == text) return PriceAt(holdings, i);
  }
  return 0;
}

std::vector<int32_t> AveragePurchasePrices(const Lines& holdings) {
  std::vector<int32_t> prices(kCodeCount, 0);
  std::vector<bool> found(kCodeCount, false);
  for (size_t i = 0; i < holdings.size(); ++i) {
    // Only a code's own decimal text names it, as in the line-by-line search.
    const auto code = ParseDigits(holdings[i]);
    if (!code || *code >= kCodeCount || std::to_string(*code) != holdings[i] || found[*code]) {
      continue;
    }
    found[*code] = true;
    prices[*code] = PriceAt(holdings, i);
  }
  return prices;
}

}  // namespace varnolt
