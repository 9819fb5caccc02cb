#include "base/numbers.h"

#include <algorithm>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "base/file_error.h"

namespace varnolt {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimLeadingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimBlanks(std::string_view text) {
  text = TrimLeadingBlanks(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

template <typename T>
std::optional<T> ParseWhole(std::string_view text) {
  text = TrimLeadingBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  // Accumulate as a negative number so that the type's minimum reads too.
  T value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const T digit = c - '0';
    if (value < (std::numeric_limits<T>::min() + digit) / 10) return std::nullopt;
    value = value * 10 - digit;
  }
  if (!negative) {
    if (value == std::numeric_limits<T>::min()) return std::nullopt;
    value = -value;
  }
  return value;
}

}  // namespace

std::optional<int32_t> ParseInt(std::string_view text) {
  return ParseWhole<int32_t>(text);
}
std::optional<int64_t> ParseInt64(std::string_view text) {
  return ParseWhole<int64_t>(text);
}

std::optional<int64_t> ParseDigits(std::string_view text) {
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return ParseInt64(text);
}

std::optional<double> ParseDecimal(std::string_view text) {
  text = TrimBlanks(text);
  // from_chars takes no '+', so drop one; what follows must not bring a sign of its own.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

int32_t ToInt(std::string_view text) {
  if (auto value = ParseInt(text)) return *value;
  throw ConversionError(std::string(text));
}

double ToDecimal(std::string_view text) {
  if (auto value = ParseDecimal(text)) return *value;
  throw ConversionError(std::string(text));
}

int64_t RoundHalfEvenWide(double x) {
  // The program never changes the floating-point rounding mode, so nearbyint rounds halves to
  // even.
  if (std::isnan(x)) return 0;
  const double result = std::nearbyint(x);
  if (result >= 9.2e18) return std::numeric_limits<int64_t>::max();
  if (result <= -9.2e18) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(result);
}

int64_t Trunc(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 9.2e18) return std::numeric_limits<int64_t>::max();
  if (x <= -9.2e18) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(x);
}

std::string FormatShortest(double x) {
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x > 0 ? "INF" : "-INF";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", x);
  std::string text = buffer;
  // "1e+20" → "1E20", "1e-05" → "1E-5": the exponent form users of the program know.
  const auto e = text.find('e');
  if (e == std::string::npos) return text == "-0" ? "0" : text;
  std::string mantissa = text.substr(0, e);
  std::string exponent = text.substr(e + 1);
  std::string sign;
  if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
    if (exponent[0] == '-') sign = "-";
    exponent.erase(0, 1);
  }
  while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
  return mantissa + "E" + sign + exponent;
}

}  // namespace varnolt
