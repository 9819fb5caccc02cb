#pragma once

#include <cstdint>
#include <vector>

namespace varnolt {

// The closes of the last `period` bars kept in descending order, so that the rank correlation
// of each new bar costs one ordered insertion, one removal and one pass over the window
// instead of a fresh sort.
//
// Price rank: 1 + the number of higher closes, plus 0.5 for a close that others share (however
// many share it). Time rank: 1 for the newest bar, `period` for the oldest.
class RankWindow {
 public:
  explicit RankWindow(int period);

  // Adds the next bar's close; once the window holds `period` bars the oldest leaves it.
  void Add(int32_t close);
  bool Full() const { return static_cast<int>(sorted_.size()) == period_; }

  // Σ (time rank − price rank)² over the window with both ranks scaled by 10, so that half
  // ranks stay whole. Up to 500 bars this passes 32 bits, hence the 64-bit sum.
  int64_t ScaledSquareSum() const;

 private:
  struct Entry {
    int32_t close;
    int64_t sequence;  // order of arrival
  };

  int period_;
  int64_t added_ = 0;
  std::vector<Entry> sorted_;    // highest close first, older first among equal closes
  std::vector<int32_t> recent_;  // the window's closes by sequence modulo period
};

// The rank correlation in percent, 100 − 6 × Σd² × 100 / (n × (n² − 1)), from the scaled sum of
// a full window of n bars. Needs n ≥ 2.
double RankCorrelation(int64_t scaled_square_sum, int period);

}  // namespace varnolt
