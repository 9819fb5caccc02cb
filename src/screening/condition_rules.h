#pragma once

#include <cstdint>
#include <string_view>

#include "indicators/computation.h"

namespace varnolt {

// The computations the conditions on price history run themselves, besides the indicators.
enum class OwnComputation : uint8_t {
  kNone,
  kCloseRatio,            // s1 = C(a) / C(a - days1)
  kHighLowRange,          // s1 = HH / LL, s2 = HH, s3 = LL over the last days1 entries
  kAveragePurchasePrice,  // s1 = the stock's average purchase price
};

// What a condition tests at the current entry a, over values X, Y, Z read from slots.
enum class TestShape : uint8_t {
  kFinancial,           // price and financial figures (numbers 0–7), no series
  kAtLeast,             // X >= num1
  kAtMost,              // X <= num1
  kBetween,             // num1 <= X <= num2
  kGreater,             // X > Y
  kCrossUp,             // X > Y now, X < Y at some entry of the last W
  kCrossDown,           // X < Y now, X > Y at some entry of the last W
  kAboveBoth,           // X > Y and X > Z
  kBelowBoth,           // X < Y and X < Z
  kInsideBoth,          // X between Y and Z, ends included, in either order
  kBreakUp,             // above both now, below one of them at some entry of the last W
  kBreakDown,           // below both now, above one of them at some entry of the last W
  kHeldAboveThenBelow,  // X held above num1 for days1 entries, then fell below within W
  kHeldBelowThenAbove,  // X held below num1 for days1 entries, then rose above within W
  kRisePercent,         // C / X >= 1 + num1 / 100
  kFallPercent,         // C / X <= 1 - num1 / 100
  kRiseYen,             // C - X >= num1
  kFallYen,             // X - C >= num1
};

// Where a tested value comes from; kZero turns a crossing into a change of sign.
enum class Slot : uint8_t { kZero, kClose, kS1, kS2, kS3, kS4, kS5 };

// How one catalogue entry is computed and tested: either one of its own computations or the
// indicator computation of that name, then the test shape over the slots.
struct ConditionRule {
  OwnComputation own = OwnComputation::kNone;
  std::string_view indicator;
  TestShape shape = TestShape::kFinancial;
  Slot x = Slot::kZero;
  Slot y = Slot::kZero;
  Slot z = Slot::kZero;
};

// The rule of a catalogue number; nullptr outside 0–83.
const ConditionRule* RuleOf(int number);

// The indicator computation of a rule; nullptr for the financial tests and own computations.
const ComputationInfo* IndicatorOf(const ConditionRule& rule);

}  // namespace varnolt
