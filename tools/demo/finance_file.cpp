#include "demo/finance_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>

#include "demo/random.h"

namespace varnolt::demo {
namespace {

void StoreFloat(float value, std::string& bytes, size_t offset) {
  const uint32_t bits = std::bit_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

double RoundTo(double x, double step) {
  return std::round(x / step) * step;
}

// Figures consistent with the price: PER 6–35, PBR 0.5–5, yield at most 5 %.
std::array<float, 6> FinancialRecord(uint32_t seed, const DemoStock& stock, double price,
                                     int unit_shares) {
  Random random = Stream(seed, kFinance, static_cast<uint64_t>(stock.code));
  const double per = random.LogUniform(6, 35);
  // ROE such that PBR = PER × ROE / 100 stays within 0.5–5.
  const double roe = random.Uniform(std::max(1.0, 50 / per), std::min(25.0, 500 / per));
  const double pbr = per * roe / 100;
  const double eps = std::max(0.01, RoundTo(price / per, 0.01));
  const double bps = std::max(0.01, RoundTo(price / pbr, 0.01));
  const bool financial = stock.sector == "銀行業" || stock.sector == "保険業" ||
                         stock.sector == "証券・商品先物取引業";
  const double equity_ratio = stock.sector == "銀行業" ? random.Uniform(0.03, 0.07)
                              : financial              ? random.Uniform(0.05, 0.2)
                                                       : random.Uniform(0.25, 0.75);
  double dividend = 0;
  if (random.Chance(0.9)) {
    dividend = std::min(eps * random.Uniform(0.15, 0.5), price * 0.05);
    dividend = std::floor(dividend * 2) / 2;  // half-yen steps
  }
  return {static_cast<float>(dividend),
          static_cast<float>(eps),
          static_cast<float>(bps),
          static_cast<float>(RoundTo(roe, 0.01)),
          static_cast<float>(RoundTo(roe * equity_ratio, 0.01)),
          static_cast<float>(unit_shares)};
}

// 10001 index words (word c + 1: record number of code c), then 24-byte records in code order.
constexpr size_t kFinanceIndexBytes = 2 + 2 * 10000;
constexpr size_t kFinanceRecordBytes = 24;

}  // namespace

std::string FinanceFile(uint32_t seed, const std::vector<DemoStock>& stocks,
                        const std::vector<StockPlan>& plans, const std::vector<Walk>& walks) {
  std::string bytes(kFinanceIndexBytes, '\0');
  uint16_t record = 0;
  for (size_t i = 0; i < stocks.size(); ++i) {
    if (!plans[i].has_finance) continue;
    const double price = walks[i].last_close > 0 ? walks[i].last_close : plans[i].base_price;
    const auto figures = FinancialRecord(seed, stocks[i], price, plans[i].unit_shares);
    ++record;
    const size_t index = 2 + 2 * static_cast<size_t>(stocks[i].code);
    bytes[index] = static_cast<char>(record & 0xFF);
    bytes[index + 1] = static_cast<char>(record >> 8);
    const size_t offset = bytes.size();
    bytes.resize(offset + kFinanceRecordBytes);
    for (size_t f = 0; f < figures.size(); ++f) StoreFloat(figures[f], bytes, offset + 4 * f);
  }
  return bytes;
}

}  // namespace varnolt::demo
