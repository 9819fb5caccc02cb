#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "store/financial_data.h"

namespace varnolt {

// The price tests and financial tests (numbers 0–7) at one price and volume: the tested figure
// (price, price × unit shares, volume / unit shares, ROE, ROA, PER, PBR or dividend yield), in
// single precision, must lie between num1 and num2, ends included. A price of 0 fails every
// test but those on ROE and ROA; a test needing the record fails without one; a zero divisor
// or a number that does not read fails.
bool TestFinancialCondition(int number, std::string_view num1, std::string_view num2, int32_t price,
                            int64_t volume, const std::optional<FinancialRecord>& record);

// Whether the test of a number reads the price (ROE and ROA do not) and the record (the price
// range does not).
bool FinancialConditionNeedsPrice(int number);
bool FinancialConditionNeedsRecord(int number);

}  // namespace varnolt
