#pragma once

#include <cstdint>
#include <vector>

#include "series/calendar.h"

namespace varnolt {

struct Bar {
  int32_t date = 0;  // compact date of the bar's first day with a close, as yyyymmdd
  int32_t open = 0;
  int32_t high = 0;
  int32_t low = 0;     // 0 when no day of the bar had a low
  int32_t close = 0;   // never 0
  int32_t volume = 0;  // in units of the load's volume divisor
  float split = 0;     // product of the splits in and just before the bar; 0: none

  bool operator==(const Bar&) const = default;
};

inline constexpr int kMaxBars = 10000;

// Bars numbered from 1, as every chart and indicator counts them.
class BarTable {
 public:
  int Count() const { return static_cast<int>(bars_.size()); }
  const Bar& operator[](int number) const { return bars_[number - 1]; }
  Bar& operator[](int number) { return bars_[number - 1]; }
  void Append(const Bar& bar) { bars_.push_back(bar); }
  void Clear() { bars_.clear(); }
  void RemoveLast() { bars_.pop_back(); }
  void Reserve(int count) { bars_.reserve(count); }
  const std::vector<Bar>& All() const { return bars_; }

 private:
  std::vector<Bar> bars_;
};

// The bars of one data set as the last load left them.
struct LoadedSeries {
  BarTable bars;
  int first_shown = 0;  // first displayed bar; earlier bars are warm-up history
  bool loaded = false;
  int current_code = -1;
  DataUnit unit = DataUnit::kDay;
  bool adjusted = true;
  int volume_divisor = 1;
};

}  // namespace varnolt
