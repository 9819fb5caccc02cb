#pragma once

// The kagi construction over closes: a line runs on while the close keeps going its way and
// turns when the close moves back by the reversal amount, a fixed number of yen or a percentage
// of the price the line has reached. The charts collect every line; the screening computation
// only follows the current and the previous one.

#include <cstdint>
#include <vector>

#include "series/bar_table.h"

namespace varnolt {

// The reversal amount: yen, or percent of the current line's end.
struct KagiWidth {
  double amount = 10;
  bool percent = false;
};

// A kagi line from the price it started at to the price it has reached, with the bar that set
// that end (its turning point once the line is closed).
struct KagiLine {
  int32_t start = 0;
  int32_t end = 0;
  int bar = 0;
  bool operator==(const KagiLine&) const = default;
};

enum class KagiMove {
  kNone,     // the close left the chart as it was
  kStart,    // the first close that differs from the starting one: line 1
  kExtend,   // the current line reached further
  kReverse,  // a new line started in the other direction
};

class KagiWalk {
 public:
  KagiWalk(const KagiWidth& width, int32_t first_close) : width_(width), origin_(first_close) {}

  // Takes the close of the next bar.
  KagiMove Step(int bar, int32_t close);

  bool Started() const { return lines_ > 0; }
  int Lines() const { return lines_; }
  bool Up() const { return up_; }
  const KagiLine& Current() const { return current_; }
  // The line before the current one; meaningful when Lines() > 1.
  const KagiLine& Previous() const { return previous_; }

 private:
  KagiWidth width_;
  int32_t origin_;
  KagiLine current_;
  KagiLine previous_;
  bool up_ = false;
  int lines_ = 0;
};

// Every line of the walk over the closes of bars first..last. When no close differs from the
// first one, line 1 is that flat close up to the last bar. Empty unless last > first.
std::vector<KagiLine> KagiLines(const BarTable& bars, int first, int last, const KagiWidth& width);

}  // namespace varnolt
