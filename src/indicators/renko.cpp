#include "indicators/renko.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "indicators/column_layout.h"

namespace varnolt {
namespace {

BoxSize ReadBox(const ControlValues& controls, double price) {
  return ReadBoxSize(controls, "edRen", FindBox(kRenkoBoxes, "edRen").when_drawn, "cbRenko", price);
}

// Bricks laid in one go, one box at a time from box `from` to box `to`: (from, from ± 1) …
// (to ∓ 1, to). A single close can lay any number of them, so they are kept as runs.
struct BrickRun {
  int64_t from;
  int64_t to;
};

// The bricks of a renko chart, close by close, in box positions. A brick is laid for every
// box the close passes in the current direction; turning needs two boxes, and the first
// brick of the turn starts at the bottom (or top) of the last brick.
class RenkoWalk {
 public:
  RenkoWalk(double box, int32_t first_close) : box_(box), first_close_(first_close) {}

  // Takes the next close; `lay(run)` receives the bricks it adds.
  template <typename Lay>
  void Step(int32_t close, Lay&& lay) {
    if (!started_) {
      Begin(close, lay);
      return;
    }
    const int64_t trunc = TruncBox(close, box_);
    const int64_t ceil = CeilBox(close, box_);
    if (up_ && trunc > end_) {
      Add({end_, trunc}, lay);
    } else if (!up_ && end_ - ceil >= 1) {
      Add({end_, ceil}, lay);
    } else if (up_ && ceil <= end_ - 2) {
      up_ = false;
      Add({end_ - 1, ceil}, lay);
    } else if (!up_ && trunc >= end_ + 2) {
      up_ = true;
      Add({end_ + 1, trunc}, lay);
    }
  }

  bool Started() const { return started_; }
  bool Up() const { return up_; }

 private:
  // The first close that crosses a box boundary from the first close lays the first bricks.
  template <typename Lay>
  void Begin(int32_t close, Lay& lay) {
    const int64_t first_trunc = TruncBox(first_close_, box_);
    const int64_t first_ceil = CeilBox(first_close_, box_);
    const int64_t trunc = TruncBox(close, box_);
    const int64_t ceil = CeilBox(close, box_);
    if (trunc <= first_trunc && ceil >= first_ceil) return;
    started_ = true;
    up_ = close >= first_close_;
    Add(up_ ? BrickRun{first_trunc, trunc} : BrickRun{first_ceil, ceil}, lay);
  }

  template <typename Lay>
  void Add(const BrickRun& run, Lay& lay) {
    end_ = run.to;
    lay(run);
  }

  double box_;
  int32_t first_close_;
  bool started_ = false;
  bool up_ = false;
  int64_t end_ = 0;  // box where the last brick ends
};

}  // namespace

// The walk starts at bar 1 whatever the parameters; a year of bars gives it time to settle.
int RenkoWarmUp(const ControlValues&) {
  return 250;
}

int CalcRenko(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return RenkoWarmUp(controls);
  if (bars < 1) return 0;
  const double box = ReadBox(controls, series[bars].close).box;
  int32_t largest = 0;
  for (int i = 1; i <= bars; ++i) largest = std::max(largest, series[i].close);
  if (!BoxFits(box, largest)) throw ComputationFault("renko box size out of range");

  RenkoWalk walk(box, series[1].close);
  series[1].s1 = 0;
  for (int i = 2; i <= bars; ++i) {
    // The bar that lays the first bricks still reads 0.
    const bool started = walk.Started();
    walk.Step(series[i].close, [](const BrickRun&) {});
    series[i].s1 = !started ? 0.0f : walk.Up() ? 1.0f : -1.0f;
  }
  return 0;
}

namespace {

int32_t LargestClose(const BarTable& bars, int first, int last) {
  int32_t largest = 0;
  for (int i = first; i <= last; ++i) largest = std::max(largest, bars[i].close);
  return largest;
}

}  // namespace

DrawingResult DrawRenko(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const BarTable& bars = context.data.bars;
  const int first = context.data.first_shown;
  const int last = bars.Count();
  if (first < 1 || first > last) return {};
  const BoxSize box = ReadBox(context.controls, bars[last].close);
  if (!BoxFits(box.box, LargestClose(bars, first, last))) return DrawingFailed(kBadBoxSizeMessage);

  std::vector<BrickRun> runs;
  int64_t bricks = 0;
  RenkoWalk walk(box.box, bars[first].close);
  for (int i = first + 1; i <= last; ++i) {
    walk.Step(bars[i].close, [&](const BrickRun& run) {
      runs.push_back(run);
      bricks += run.to > run.from ? run.to - run.from : run.from - run.to;
    });
  }
  if (runs.empty()) return DrawingInforms(box.message);

  const ColumnLayout layout(context, bricks);
  if (!layout.Usable()) return DrawingInforms(box.message);
  Canvas& canvas = context.canvas;
  int64_t k = 1;
  for (const BrickRun& run : runs) {
    const int64_t step = run.to > run.from ? 1 : -1;
    const Color colour = step > 0 ? kRed : kBlack;
    for (int64_t a = run.from; a != run.to && layout.Shows(k); a += step, ++k) {
      DrawPriceBar(canvas, layout, k, BoxPrice(a, box.box), BoxPrice(a + step, box.box), colour);
    }
    if (!layout.Shows(k)) break;
  }
  return DrawingInforms(box.message);
}

}  // namespace varnolt
