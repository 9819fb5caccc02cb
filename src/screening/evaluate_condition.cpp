#include "screening/evaluate_condition.h"

#include <algorithm>
#include <optional>

#include "base/numbers.h"
#include "screening/condition_rules.h"
#include "screening/own_computations.h"

namespace varnolt {
namespace {

constexpr int kFailure = static_cast<int>(kFailureCode);

double ValueOf(const ScreeningEntry& entry, Slot slot) {
  switch (slot) {
    case Slot::kZero:
      return 0;
    case Slot::kClose:
      return entry.close;
    case Slot::kS1:
      return entry.s1;
    case Slot::kS2:
      return entry.s2;
    case Slot::kS3:
      return entry.s3;
    case Slot::kS4:
      return entry.s4;
    case Slot::kS5:
      return entry.s5;
  }
  return 0;
}

// Reads one rule's values at any entry of the series.
class Values {
 public:
  Values(const ScreeningSeries& series, const ConditionRule& rule) : series_(series), rule_(rule) {}
  double X(int k) const { return ValueOf(series_[k], rule_.x); }
  double Y(int k) const { return ValueOf(series_[k], rule_.y); }
  double Z(int k) const { return ValueOf(series_[k], rule_.z); }
  double Close(int k) const { return series_[k].close; }

 private:
  const ScreeningSeries& series_;
  const ConditionRule& rule_;
};

// The first entry among a-1, a-2, …, a-window (never below entry 1) for which `other_side`
// holds; nothing when none does.
template <typename Predicate>
std::optional<int> LookBack(int a, int window, Predicate other_side) {
  for (int k = a - 1; k >= std::max(a - window, 1); --k) {
    if (other_side(k)) return k;
  }
  return std::nullopt;
}

// X stayed on one side of the line for `days` entries ending at j: j-1 … j-days+1 must all
// be on that side (nothing to check for days = 1). Entries before entry 1 hold nothing.
template <typename Predicate>
bool HeldBefore(int j, int days, Predicate on_side) {
  for (int k = j - 1; k >= j - days + 1; --k) {
    if (k < 1 || !on_side(k)) return false;
  }
  return true;
}

}  // namespace

int ComputeForCondition(int number, ScreeningSeries& series, int n, int days1,
                        int32_t average_price, const ControlValues& controls) {
  const ConditionRule* rule = RuleOf(number);
  if (rule == nullptr) return kFailure;
  switch (rule->own) {
    case OwnComputation::kCloseRatio:
      return CalcCloseRatio(series, n, days1);
    case OwnComputation::kHighLowRange:
      return CalcHighLowRange(series, n, days1);
    case OwnComputation::kAveragePurchasePrice:
      return CalcAveragePurchasePrice(series, n, average_price);
    case OwnComputation::kNone:
      break;
  }
  const ComputationInfo* indicator = IndicatorOf(*rule);
  if (indicator == nullptr) return kFailure;
  return RunComputation(*indicator, series, n, controls);
}

bool TestComputedCondition(int number, const ScreeningSeries& series, int n, std::string_view num1,
                           std::string_view num2, int days1, int window) {
  const ConditionRule* rule = RuleOf(number);
  if (rule == nullptr || n < 1) return false;
  const Values v(series, *rule);
  const int a = n;
  // The numbers are read only by the shapes that use them: an empty box elsewhere is fine.
  const auto line = [&]() { return ParseDecimal(num1); };

  switch (rule->shape) {
    case TestShape::kFinancial:
      return false;
    case TestShape::kAtLeast: {
      const auto limit = line();
      return limit && v.X(a) >= *limit;
    }
    case TestShape::kAtMost: {
      const auto limit = line();
      return limit && v.X(a) <= *limit;
    }
    case TestShape::kBetween: {
      const auto low = line();
      const auto high = ParseDecimal(num2);
      return low && high && *low <= v.X(a) && v.X(a) <= *high;
    }
    case TestShape::kGreater:
      return v.X(a) > v.Y(a);
    case TestShape::kCrossUp:
      return v.X(a) > v.Y(a) && LookBack(a, window, [&](int k) { return v.X(k) < v.Y(k); });
    case TestShape::kCrossDown:
      return v.X(a) < v.Y(a) && LookBack(a, window, [&](int k) { return v.X(k) > v.Y(k); });
    case TestShape::kAboveBoth:
      return v.X(a) > v.Y(a) && v.X(a) > v.Z(a);
    case TestShape::kBelowBoth:
      return v.X(a) < v.Y(a) && v.X(a) < v.Z(a);
    case TestShape::kInsideBoth:
      return (v.Z(a) <= v.X(a) && v.X(a) <= v.Y(a)) || (v.Y(a) <= v.X(a) && v.X(a) <= v.Z(a));
    case TestShape::kBreakUp:
      return v.X(a) > v.Y(a) && v.X(a) > v.Z(a) &&
             LookBack(a, window, [&](int k) { return v.X(k) < v.Y(k) || v.X(k) < v.Z(k); });
    case TestShape::kBreakDown:
      return v.X(a) < v.Y(a) && v.X(a) < v.Z(a) &&
             LookBack(a, window, [&](int k) { return v.X(k) > v.Y(k) || v.X(k) > v.Z(k); });
    case TestShape::kHeldAboveThenBelow: {
      const auto limit = line();
      if (!limit || !(v.X(a) < *limit)) return false;
      const auto above = [&](int k) { return v.X(k) > *limit; };
      const std::optional<int> j = LookBack(a, window, above);
      return j && HeldBefore(*j, days1, above);
    }
    case TestShape::kHeldBelowThenAbove: {
      const auto limit = line();
      if (!limit || !(v.X(a) > *limit)) return false;
      const auto below = [&](int k) { return v.X(k) < *limit; };
      const std::optional<int> j = LookBack(a, window, below);
      return j && HeldBefore(*j, days1, below);
    }
    case TestShape::kRisePercent: {
      const auto percent = line();
      return percent && v.X(a) != 0 && v.Close(a) / v.X(a) >= 1 + *percent / 100;
    }
    case TestShape::kFallPercent: {
      const auto percent = line();
      return percent && v.X(a) != 0 && v.Close(a) / v.X(a) <= 1 - *percent / 100;
    }
    case TestShape::kRiseYen: {
      const auto yen = line();
      return yen && v.Close(a) - v.X(a) >= *yen;
    }
    case TestShape::kFallYen: {
      const auto yen = line();
      return yen && v.X(a) - v.Close(a) >= *yen;
    }
  }
  return false;
}

bool EvaluateCondition(int number, ScreeningSeries& series, int n, int m, std::string_view num1,
                       std::string_view num2, int days1, int window, int32_t average_price,
                       const ControlValues& controls) {
  if (n < m || n < 1) return false;
  if (ComputeForCondition(number, series, n, days1, average_price, controls) == kFailure) {
    return false;
  }
  return TestComputedCondition(number, series, n, num1, num2, days1, window);
}

}  // namespace varnolt
