#include "screening/condition_rules.h"

#include <array>

#include "screening/condition_catalogue.h"

namespace varnolt {
namespace {

using enum OwnComputation;
using enum TestShape;
using enum Slot;

constexpr ConditionRule Financial() {
  return {};
}
constexpr ConditionRule Own(OwnComputation own, TestShape shape, Slot x) {
  return {own, {}, shape, x};
}
constexpr ConditionRule On(std::string_view indicator, TestShape shape, Slot x, Slot y = kZero,
                           Slot z = kZero) {
  return {kNone, indicator, shape, x, y, z};
}

constexpr std::string_view kAverages = "CalcMovingAverages:averages";
constexpr std::string_view kDeviation = "CalcMovingAverages:deviation";
constexpr std::string_view kRsi = "CalcRSI";
constexpr std::string_view kRci = "CalcRCI";
constexpr std::string_view kDmi = "CalcDMI";
constexpr std::string_view kStochastics = "CalcStochastics";
constexpr std::string_view kPercentR = "CalcPercentR";
constexpr std::string_view kPsychological = "CalcPsychological";
constexpr std::string_view kMacd = "CalcMACD";
constexpr std::string_view kBollinger = "CalcBollinger";
constexpr std::string_view kIchimoku = "CalcIchimoku";

// Indexed by catalogue number. Sign changes are crossings of zero; the sign-line charts
// (parabolic, new price, renko, kagi, point and figure) put +1 or -1 into s1.
constexpr std::array<ConditionRule, kConditionCount> kRules = {
    Financial(),
    Financial(),
    Financial(),
    Financial(),  // 0–3
    Financial(),
    Financial(),
    Financial(),
    Financial(),                      // 4–7
    Own(kCloseRatio, kAtLeast, kS1),  // 8
    Own(kCloseRatio, kAtMost, kS1),
    Own(kHighLowRange, kAtLeast, kS1),  // 10
    Own(kHighLowRange, kAtMost, kS1),
    On(kAverages, kCrossUp, kS1, kS2),  // 12
    On(kAverages, kCrossDown, kS1, kS2),
    On(kRsi, kAtLeast, kS1),  // 14
    On(kRsi, kAtMost, kS1),
    On(kRsi, kHeldAboveThenBelow, kS1),
    On(kRsi, kHeldBelowThenAbove, kS1),
    On(kRci, kAtLeast, kS1),  // 18
    On(kRci, kAtMost, kS1),
    On(kRci, kCrossDown, kS1, kZero),
    On(kRci, kCrossUp, kS1, kZero),
    On(kRci, kHeldAboveThenBelow, kS1),
    On(kRci, kHeldBelowThenAbove, kS1),
    On(kDmi, kCrossUp, kS1, kS2),  // 24
    On(kDmi, kCrossDown, kS1, kS2),
    On(kDmi, kGreater, kS3, kS4),
    On(kDmi, kGreater, kS4, kS3),
    On(kDmi, kCrossUp, kS3, kS4),
    On(kDmi, kCrossDown, kS3, kS4),
    On(kStochastics, kAtLeast, kS2),  // 30
    On(kStochastics, kAtMost, kS2),
    On(kStochastics, kCrossUp, kS1, kS2),
    On(kStochastics, kCrossDown, kS1, kS2),
    On(kStochastics, kCrossUp, kS2, kS3),
    On(kStochastics, kCrossDown, kS2, kS3),
    On(kPercentR, kAtLeast, kS1),  // 36
    On(kPercentR, kAtMost, kS1),
    On(kPercentR, kHeldAboveThenBelow, kS1),
    On(kPercentR, kHeldBelowThenAbove, kS1),
    On(kPsychological, kAtLeast, kS1),  // 40
    On(kPsychological, kAtMost, kS1),
    On(kPsychological, kHeldAboveThenBelow, kS1),
    On(kPsychological, kHeldBelowThenAbove, kS1),
    On(kMacd, kCrossUp, kS1, kS2),  // 44
    On(kMacd, kCrossDown, kS1, kS2),
    On(kMacd, kCrossUp, kS1, kZero),
    On(kMacd, kCrossDown, kS1, kZero),
    On(kDeviation, kAtLeast, kS1),  // 48
    On(kDeviation, kAtMost, kS1),
    On(kDeviation, kCrossDown, kS1, kZero),
    On(kDeviation, kCrossUp, kS1, kZero),
    On(kDeviation, kHeldAboveThenBelow, kS1),
    On(kDeviation, kHeldBelowThenAbove, kS1),
    On(kBollinger, kBetween, kS1),  // 54
    On(kBollinger, kAtLeast, kS1),
    On(kBollinger, kAtMost, kS1),
    On(kBollinger, kHeldAboveThenBelow, kS1),
    On(kBollinger, kHeldBelowThenAbove, kS1),
    On("CalcParabolic", kCrossUp, kS1, kZero),  // 59
    On("CalcParabolic", kCrossDown, kS1, kZero),
    On("CalcNewPrice", kCrossUp, kS1, kZero),  // 61
    On("CalcNewPrice", kCrossDown, kS1, kZero),
    On("CalcRenko", kCrossUp, kS1, kZero),  // 63
    On("CalcRenko", kCrossDown, kS1, kZero),
    On("CalcKagi", kCrossUp, kS1, kZero),  // 65
    On("CalcKagi", kCrossDown, kS1, kZero),
    On("CalcPointFigure", kCrossUp, kS1, kZero),  // 67
    On("CalcPointFigure", kCrossDown, kS1, kZero),
    On(kIchimoku, kCrossUp, kS1, kS2),  // 69
    On(kIchimoku, kCrossDown, kS1, kS2),
    On(kIchimoku, kAboveBoth, kClose, kS3, kS4),
    On(kIchimoku, kBelowBoth, kClose, kS3, kS4),
    On(kIchimoku, kInsideBoth, kClose, kS3, kS4),
    On(kIchimoku, kBreakUp, kClose, kS3, kS4),
    On(kIchimoku, kBreakDown, kClose, kS3, kS4),
    On(kIchimoku, kCrossUp, kClose, kS5),
    On(kIchimoku, kCrossDown, kClose, kS5),
    Own(kAveragePurchasePrice, kRisePercent, kS1),  // 78
    Own(kAveragePurchasePrice, kFallPercent, kS1),
    Own(kAveragePurchasePrice, kRiseYen, kS1),
    Own(kAveragePurchasePrice, kFallYen, kS1),
    Own(kHighLowRange, kRisePercent, kS3),  // 82: against the lowest low
    Own(kHighLowRange, kFallPercent, kS2),  // 83: against the highest high
};

}  // namespace

const ConditionRule* RuleOf(int number) {
  if (number < 0 || number >= kConditionCount) return nullptr;
  return &kRules[number];
}

const ComputationInfo* IndicatorOf(const ConditionRule& rule) {
  if (rule.indicator.empty()) return nullptr;
  // The one place where a condition finds its indicator computation.
  return FindComputation(rule.indicator);
}

}  // namespace varnolt
