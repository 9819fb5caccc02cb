#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnolt {

// Whole-number text as users type it: optional leading blanks, an optional sign, decimal digits,
// and a value that fits the type. Anything else does not read.
std::optional<int32_t> ParseInt(std::string_view text);
std::optional<int64_t> ParseInt64(std::string_view text);

// Decimal-number text ("1.5", "-2", "1e3", blanks around it allowed), with '.' as the point.
std::optional<double> ParseDecimal(std::string_view text);

// The same, but a text that does not read throws ConversionError naming it.
int32_t ToInt(std::string_view text);
double ToDecimal(std::string_view text);

// Round half to even, as the program rounds every price and indicator value.
int64_t RoundHalfEven(double x);
// Truncation toward zero.
int64_t Trunc(double x);
// Integer division rounding toward zero (C++ '/' already does; named so call sites say so).
constexpr int64_t DivTrunc(int64_t a, int64_t b) { return a / b; }

int32_t SaturateToInt32(int64_t x);
int32_t RoundToInt32(double x);

// The shortest general decimal text of a number with 15 significant digits and no trailing
// zeros: 2 → "2", 1.5 → "1.5", 0.1 → "0.1", 1e20 → "1E20".
std::string FormatShortest(double x);

}  // namespace varnolt
