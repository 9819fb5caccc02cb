#pragma once

#include <span>
#include <string_view>

namespace varnolt {

// The fixed list of conditions a stock can be tested on; a condition's number is its position.
inline constexpr int kConditionCount = 84;

// The catalogue text of a condition, placeholders "（数値 1）", "（日数 1）" … included; some
// texts end in blanks, which the condition lines keep. Empty for a number outside 0–83.
std::string_view ConditionText(int number);

// The catalogue numbers in the order the screening window lists them: the price and financial
// tests, the tests on recent highs and lows and on the purchase price, then the indicators.
std::span<const int> ScreeningDisplayOrder();

}  // namespace varnolt
