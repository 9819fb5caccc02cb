#include "indicators/rci_ranks.h"

namespace varnolt {
namespace {

// What a run of slots adds to the window's sums.
struct Counts {
  int32_t square_sum = 0;  // Σ d² of the run
  int32_t higher = 0;      // closes of the run above the new one
  int32_t equal = 0;       // closes of the run equal to the new one
};

// Ages the closes in slots [0, count) by one bar and counts the new close into their ranks and,
// when the window is full, the leaving close out of them. Branch-free, and with a constant count
// the compiler turns it into vector code. |d| stays below 10 × 500, so the squares of up to 64
// slots fit the 32-bit sum.
template <bool kFull>
inline Counts AgeRun(const int32_t* __restrict closes, int32_t* __restrict offsets,
                     int32_t* __restrict equal, int count, int32_t close, int32_t leaving) {
  Counts counts;
  for (int i = 0; i < count; ++i) {
    const int32_t other = closes[i];
    int32_t offset = offsets[i] + 10 - 10 * static_cast<int32_t>(close > other);
    int32_t equal_count = equal[i] + static_cast<int32_t>(close == other);
    if constexpr (kFull) {
      offset += 10 * static_cast<int32_t>(leaving > other);
      equal_count -= static_cast<int32_t>(leaving == other);
    }
    offsets[i] = offset;
    equal[i] = equal_count;
    counts.higher += static_cast<int32_t>(other > close);
    counts.equal += static_cast<int32_t>(other == close);
    // Less the half rank of a tie.
    const int32_t difference = offset - 5 * static_cast<int32_t>(equal_count != 0);
    counts.square_sum += difference * difference;
  }
  return counts;
}

int64_t Square(int32_t offset, int32_t equal) {
  const int64_t difference = offset - 5 * static_cast<int32_t>(equal != 0);
  return difference * difference;
}

}  // namespace

RankWindow::RankWindow(int period)
    : period_(period), closes_(period), offsets_(period), equal_(period) {}

void RankWindow::Add(int32_t close) {
  const int slot = newest_ + 1 == period_ ? 0 : newest_ + 1;
  if (Full()) {
    Pass<true>(close, slot);
  } else {
    Pass<false>(close, slot);
    ++count_;
  }
  newest_ = slot;
}

// Ages every close in the window by one bar, counts the new close into their ranks and the
// leaving one out, and sums the squares on the way.
template <bool kFull>
void RankWindow::Pass(int32_t close, int slot) {
  int32_t* const closes = closes_.data();
  int32_t* const offsets = offsets_.data();
  int32_t* const equal = equal_.data();
  // When full, the close in `slot` leaves as the new one comes in. The runs cover it as well,
  // so that they need no test; what they add for that slot is taken back after them.
  const int32_t leaving = kFull ? closes[slot] : 0;
  const int end = kFull ? period_ : count_;
  constexpr int kRun = 8;
  int32_t new_higher = 0;
  int32_t new_equal = 0;
  int64_t sum = 0;
  int first = 0;
  auto add = [&](const Counts& counts) {
    sum += counts.square_sum;
    new_higher += counts.higher;
    new_equal += counts.equal;
  };
  for (; first + kRun <= end; first += kRun) {
    add(AgeRun<kFull>(closes + first, offsets + first, equal + first, kRun, close, leaving));
  }
  add(AgeRun<kFull>(closes + first, offsets + first, equal + first, end - first, close, leaving));
  if constexpr (kFull) {
    sum -= Square(offsets[slot], equal[slot]);
    new_higher -= static_cast<int32_t>(leaving > close);
    new_equal -= static_cast<int32_t>(leaving == close);
  }
  // The new close has time rank 1.
  closes[slot] = close;
  offsets[slot] = -10 * new_higher;
  equal[slot] = new_equal;
  sum_ = sum + Square(offsets[slot], new_equal);
}

}  // namespace varnolt
