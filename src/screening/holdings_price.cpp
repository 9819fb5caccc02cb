#include "screening/holdings_price.h"

#include <string>

#include "base/numbers.h"

namespace varnolt {
namespace {

// A figure line of the list: one marker character, then the number.
std::optional<int64_t> Figure(const std::string& line) {
  if (line.empty()) return std::nullopt;
  return ParseInt64(std::string_view(line).substr(1));
}

}  // namespace

int32_t AveragePurchasePrice(const Lines& holdings, int code) {
  const std::string text = std::to_string(code);
  for (size_t i = 0; i < holdings.size(); ++i) {
    if (holdings[i] != text) continue;
    if (i + 2 >= holdings.size()) return 0;
    const auto amount = Figure(holdings[i + 1]);
    const auto shares = Figure(holdings[i + 2]);
    if (!amount || !shares || *shares == 0) return 0;
    return RoundToInt32(static_cast<double>(*amount) / static_cast<double>(*shares));
  }
  return 0;
}

}  // namespace varnolt
