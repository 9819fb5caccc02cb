#pragma once

#include <cstdint>
#include <vector>

namespace varnolt {

// The closes of the last `period` bars with what each one's rank difference is made of. A new
// bar moves every other bar one place back in time and its count of higher closes by one at most,
// so one branch-free pass over the window updates them all and sums the squares, instead of a fresh
// sort or an ordered insertion per bar.
//
// Price rank: 1 + the number of higher closes, plus 0.5 for a close that others share (however
// many share it). Time rank: 1 for the newest bar, `period` for the oldest.
class RankWindow {
 public:
  // `period` is at most 500: the per-run 32-bit sums rely on it.
  explicit RankWindow(int period);

  // Adds the next bar's close; once the window holds `period` bars the oldest leaves it.
  void Add(int32_t close);
  bool Full() const { return count_ == period_; }

  // Σ (time rank − price rank)² over the window with both ranks scaled by 10, so that half
  // ranks stay whole. Up to 500 bars this passes 32 bits, hence the 64-bit sum.
  int64_t ScaledSquareSum() const { return sum_; }

 private:
  template <bool kFull>
  void Pass(int32_t close, int slot);

  int period_;
  int count_ = 0;    // bars in the window, at most `period_`
  int newest_ = -1;  // slot of the last bar added; the slots run oldest to newest after it
  int64_t sum_ = 0;
  // By slot, in arrival order modulo the period.
  std::vector<int32_t> closes_;
  // 10 × (time rank − 1 − number of higher closes): the scaled rank difference but for the
  // half rank of a tie, which `equal_` decides.
  std::vector<int32_t> offsets_;
  std::vector<int32_t> equal_;  // other closes in the window equal to this one
};

// The rank correlation in percent, 100 − 6 × Σd² × 100 / (n × (n² − 1)), from the scaled sum of
// a full window of n bars. Needs n ≥ 2.
inline double RankCorrelation(int64_t scaled_square_sum, int period) {
  // The scaled sum is 100 × Σd², which absorbs the × 100 of the percentage.
  const int64_t n = period;
  return 100.0 -
         6.0 * static_cast<double>(scaled_square_sum) / static_cast<double>(n * (n * n - 1));
}

}  // namespace varnolt
