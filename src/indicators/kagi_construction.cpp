#include "indicators/kagi_construction.h"

namespace varnolt {

KagiMove KagiWalk::Step(int bar, int32_t close) {
  if (lines_ == 0) {
    if (close == origin_) return KagiMove::kNone;
    current_ = {origin_, close, bar};
    up_ = close > origin_;
    lines_ = 1;
    return KagiMove::kStart;
  }
  const int32_t reached = current_.end;
  if (up_ ? close > reached : close < reached) {
    current_.end = close;
    current_.bar = bar;
    return KagiMove::kExtend;
  }
  const double back =
      up_ ? static_cast<double>(reached) - close : static_cast<double>(close) - reached;
  const double threshold =
      width_.percent ? static_cast<double>(reached) * width_.amount / 100 : width_.amount;
  // A close equal to the line's end is no move back, whatever the amount: a zero or negative
  // amount would otherwise turn the chart on every unchanged close.
  if (back <= 0 || back < threshold) return KagiMove::kNone;
  previous_ = current_;
  current_ = {reached, close, bar};
  up_ = !up_;
  ++lines_;
  return KagiMove::kReverse;
}

std::vector<KagiLine> KagiLines(const BarTable& bars, int first, int last, const KagiWidth& width) {
  std::vector<KagiLine> lines;
  if (first < 1 || last <= first) return lines;
  KagiWalk walk(width, bars[first].close);
  for (int bar = first + 1; bar <= last; ++bar) {
    switch (walk.Step(bar, bars[bar].close)) {
      case KagiMove::kNone:
        break;
      case KagiMove::kStart:
      case KagiMove::kReverse:
        lines.push_back(walk.Current());
        break;
      case KagiMove::kExtend:
        lines.back() = walk.Current();
        break;
    }
  }
  if (lines.empty()) lines.push_back({bars[first].close, bars[last].close, last});
  return lines;
}

}  // namespace varnolt
