#include "indicators/rci_ranks.h"

#include <algorithm>

namespace varnolt {
namespace {

// Descending close, then arrival order: a strict order in which every entry has one place, so
// that the leaving bar is found by binary search.
bool Before(const auto& a, const auto& b) {
  return a.close != b.close ? a.close > b.close : a.sequence < b.sequence;
}

}  // namespace

RankWindow::RankWindow(int period) : period_(period), recent_(period) {
  sorted_.reserve(period);
}

void RankWindow::Add(int32_t close) {
  const int slot = static_cast<int>(added_ % period_);
  if (Full()) {
    const Entry leaving{recent_[slot], added_ - period_};
    sorted_.erase(std::lower_bound(sorted_.begin(), sorted_.end(), leaving,
                                   [](const Entry& a, const Entry& b) { return Before(a, b); }));
  }
  const Entry entry{close, added_};
  sorted_.insert(std::upper_bound(sorted_.begin(), sorted_.end(), entry,
                                  [](const Entry& a, const Entry& b) { return Before(a, b); }),
                 entry);
  recent_[slot] = close;
  ++added_;
}

int64_t RankWindow::ScaledSquareSum() const {
  int64_t sum = 0;
  const int count = static_cast<int>(sorted_.size());
  for (int group = 0; group < count;) {
    int end = group + 1;
    while (end < count && sorted_[end].close == sorted_[group].close) ++end;
    const int64_t price_rank = 10 * (group + 1) + (end - group >= 2 ? 5 : 0);
    for (int i = group; i < end; ++i) {
      const int64_t time_rank = 10 * (added_ - sorted_[i].sequence);
      const int64_t difference = time_rank - price_rank;
      sum += difference * difference;
    }
    group = end;
  }
  return sum;
}

double RankCorrelation(int64_t scaled_square_sum, int period) {
  // The scaled sum is 100 × Σd², which absorbs the × 100 of the percentage.
  const int64_t n = period;
  return 100.0 -
         6.0 * static_cast<double>(scaled_square_sum) / static_cast<double>(n * (n * n - 1));
}

}  // namespace varnolt
