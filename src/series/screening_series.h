#pragma once

#include <cassert>
#include <cstdint>
#include <vector>

namespace varnolt {

inline constexpr int kScreeningCapacity = 999;

// What an indicator computation, and the condition evaluator around it, returns when it
// cannot produce values; the condition then fails for the stock.
inline constexpr double kFailureCode = -99999999;

// One trading day of the screening series: the prices as loaded and the five result slots
// that the indicator computations fill.
struct ScreeningEntry {
  int32_t open = 0;
  int32_t high = 0;
  int32_t low = 0;
  int32_t close = 0;
  float s1 = 0;
  float s2 = 0;
  float s3 = 0;
  float s4 = 0;
  float s5 = 0;
};

// The last trading days of one stock, entries numbered 1 … kScreeningCapacity, oldest first.
// The table keeps no count: the loader returns how many entries it filled, and entries beyond
// that keep whatever an earlier load or computation left in them.
class ScreeningSeries {
 public:
  ScreeningSeries() : entries_(kScreeningCapacity + 1) {}  // entry 0 is never used

  ScreeningEntry& operator[](int number) {
    assert(number >= 1 && number <= kScreeningCapacity);
    return entries_[number];
  }
  const ScreeningEntry& operator[](int number) const {
    assert(number >= 1 && number <= kScreeningCapacity);
    return entries_[number];
  }

 private:
  std::vector<ScreeningEntry> entries_;
};

}  // namespace varnolt
