#include "indicators/new_price.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "indicators/column_layout.h"

namespace varnolt {
namespace {

// Reversal lines to break: at least one, since a reversal that needs to break no line at all
// would turn on any close and draw a line the wrong way.
int ReadReversalLines(const ControlValues& controls) {
  return std::max(IntParameter(controls, kNewPriceBoxes, "edNL"), 1);
}

struct PriceLine {
  int32_t start;
  int32_t end;
};

// The lines of a new-price chart, close by close. A close beyond the last line's end in the
// current direction adds a line; a close beyond every point of the last `reversal_lines` lines
// the other way starts a line from the last line's start and turns the direction.
class NewPriceWalk {
 public:
  NewPriceWalk(int reversal_lines, int32_t first_close, std::vector<PriceLine>& lines)
      : reversal_lines_(reversal_lines), first_close_(first_close), lines_(lines) {
    lines_.clear();
  }

  void Step(int32_t close) {
    if (lines_.empty()) {
      if (close == first_close_) return;
      lines_.push_back({first_close_, close});
      up_ = close > first_close_;
      return;
    }
    const PriceLine last = lines_.back();
    if (up_ ? close > last.end : close < last.end) {
      lines_.push_back({last.end, close});
    } else if (BreaksRecentLines(close)) {
      lines_.push_back({last.start, close});
      up_ = !up_;
    }
  }

  bool Started() const { return !lines_.empty(); }
  bool Up() const { return up_; }

 private:
  // Most closes fail at the last line, so the look-back rarely goes further.
  bool BreaksRecentLines(int32_t close) const {
    const size_t count = std::min(lines_.size(), static_cast<size_t>(reversal_lines_));
    for (size_t i = lines_.size(); i > lines_.size() - count; --i) {
      const PriceLine& line = lines_[i - 1];
      const bool broken =
          up_ ? close < line.start && close < line.end : close > line.start && close > line.end;
      if (!broken) return false;
    }
    return true;
  }

  int reversal_lines_;
  int32_t first_close_;
  std::vector<PriceLine>& lines_;
  bool up_ = false;
};

}  // namespace

// The walk starts at bar 1 whatever the parameters; a year of bars gives it time to settle.
int NewPriceWarmUp(const ControlValues&) {
  return 250;
}

int CalcNewPrice(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return NewPriceWarmUp(controls);
  const int reversal_lines = ReadReversalLines(controls);
  if (bars < 1) return 0;
  std::vector<PriceLine> lines;
  lines.reserve(static_cast<size_t>(bars));
  NewPriceWalk walk(reversal_lines, series[1].close, lines);
  series[1].s1 = 0;
  for (int i = 2; i <= bars; ++i) {
    // The bar that draws the first line still reads 0: there is no direction before it.
    const bool started = walk.Started();
    walk.Step(series[i].close);
    series[i].s1 = !started ? 0.0f : walk.Up() ? 1.0f : -1.0f;
  }
  return 0;
}

DrawingResult DrawNewPrice(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const int reversal_lines = ReadReversalLines(context.controls);
  const BarTable& bars = context.data.bars;
  const int first = context.data.first_shown;
  const int last = bars.Count();
  if (first < 1 || first > last) return {};
  std::vector<PriceLine> lines;
  NewPriceWalk walk(reversal_lines, bars[first].close, lines);
  for (int i = first + 1; i <= last; ++i) walk.Step(bars[i].close);
  if (lines.empty()) return {};

  const ColumnLayout layout(context, static_cast<int64_t>(lines.size()));
  if (!layout.Usable()) return {};
  Canvas& canvas = context.canvas;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int64_t k = static_cast<int64_t>(i) + 1;
    if (!layout.Shows(k)) break;
    const PriceLine& line = lines[i];
    DrawPriceBar(canvas, layout, k, line.start, line.end, line.end > line.start ? kRed : kBlack);
  }
  return {};
}

}  // namespace varnolt
