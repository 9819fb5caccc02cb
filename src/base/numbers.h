#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnolt {

// Whole-number text as users type it: optional leading blanks, an optional sign, decimal digits,
// and a value that fits the type. Anything else does not read.
std::optional<int32_t> ParseInt(std::string_view text);
int64_t RoundHalfEvenWide(double x);
std::optional<int64_t> ParseInt64(std::string_view text);
// Whole-number text as files and servers write counts: decimal digits only (no blank, no sign,
// not empty), and a value that fits.
std::optional<int64_t> ParseDigits(std::string_view text);

// Decimal-number text ("1.5", "-2", "1e3", blanks around it allowed), with '.' as the point.
std::optional<double> ParseDecimal(std::string_view text);

// The same, but a text that does not read throws ConversionError naming it.
int32_t ToInt(std::string_view text);
double ToDecimal(std::string_view text);

// Round half to even, as the program rounds every price and indicator value. Inline: the loader
// rounds five values per day of history.
inline int64_t RoundHalfEven(double x) {
  // Adding and taking away 2^52 + 2^51 rounds to a whole number in the default rounding mode
  // (to nearest, halves to even), which the program never changes.
  constexpr double kShift = 6755399441055744.0;
  if (x > -2.0e15 && x < 2.0e15) return static_cast<int64_t>((x + kShift) - kShift);
  return RoundHalfEvenWide(x);
}
// Truncation toward zero.
int64_t Trunc(double x);
// Integer division rounding toward zero (C++ '/' already does; named so call sites say so).
constexpr int64_t DivTrunc(int64_t a, int64_t b) {
  return a / b;
}

inline int32_t SaturateToInt32(int64_t x) {
  return x > INT32_MAX ? INT32_MAX : x < INT32_MIN ? INT32_MIN : static_cast<int32_t>(x);
}
inline int32_t RoundToInt32(double x) {
  return SaturateToInt32(RoundHalfEven(x));
}

// The shortest general decimal text of a number with 15 significant digits and no trailing
// zeros: 2 → "2", 1.5 → "1.5", 0.1 → "0.1", 1e20 → "1E20".
std::string FormatShortest(double x);

}  // namespace varnolt
