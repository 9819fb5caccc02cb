#include "indicators/point_figure.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "indicators/column_layout.h"

namespace varnolt {
namespace {

constexpr Color kGridBlue = kBlue;

struct PointFigureParameters {
  BoxSize box;
  // Boxes a close must fall back from a column's end to start the next column.
  int64_t reversal_boxes = 3;
  // 到達点記入ベース: a column counts the box a close reaches; otherwise (切捨てベース) whole
  // boxes below it.
  bool reached = false;
};

PointFigureParameters ReadPointFigureParameters(const ControlValues& controls, double price) {
  PointFigureParameters settings;
  settings.box = ReadBoxSize(controls, "edPF1", FindBox(kPointFigureBoxes, "edPF1").when_drawn,
                             "cbPF2", price);
  const int64_t reversal = IntParameter(controls, kPointFigureBoxes, "edPF2");
  settings.reached = controls.ItemIndex("RGpf") == 1;
  // The truncation base turns when the close falls more than R boxes back, the reached-point
  // base at R boxes. A turn must still take at least one box the other way, or the new column
  // would run in the old direction.
  settings.reversal_boxes = std::max<int64_t>(settings.reached ? reversal : reversal + 1, 1);
  return settings;
}

struct Column {
  int64_t start;
  int64_t end;
};

// The columns of a point-and-figure chart, close by close, in box positions; with the
// double-top and double-bottom signal the screening reads.
class PointFigureWalk {
 public:
  PointFigureWalk(const PointFigureParameters& settings, int32_t first_close)
      : box_(settings.box.box),
        reversal_(settings.reversal_boxes),
        reached_(settings.reached),
        first_close_(first_close) {}

  void Step(int32_t close) {
    const int64_t b = TruncBox(close, box_);
    if (count_ == 0) {
      Begin(close, b);
      return;
    }
    if (up_ && b > current_.end) {
      current_.end = b;
    } else if (!up_ && b < current_.end) {
      current_.end = b;
    } else if (up_ && current_.end - b >= reversal_) {
      Open({current_.end - 1, b}, false);
    } else if (!up_ && b - current_.end >= reversal_) {
      Open({current_.end + 1, b}, true);
    }
    // An X column rising above the last X column buys, an O column falling below the last
    // O column sells; the previous column's start sits one box inside that column's extreme.
    if (count_ >= 2 && up_ && signal_ < 0 && current_.end > previous_.start + 1) signal_ = 1;
    if (count_ >= 2 && !up_ && signal_ > 0 && current_.end < previous_.start - 1) signal_ = -1;
  }

  int64_t Count() const { return count_; }
  const Column& Current() const { return current_; }
  int Signal() const { return signal_; }

 private:
  void Begin(int32_t close, int64_t b) {
    const int64_t first_trunc = TruncBox(first_close_, box_);
    const bool moves = reached_ ? b != first_trunc : b > first_trunc;
    if (!moves && CeilBox(close, box_) >= CeilBox(first_close_, box_)) return;
    up_ = close >= first_close_;
    signal_ = up_ ? 1 : -1;
    Open({first_trunc, b}, up_);
  }

  void Open(const Column& column, bool up) {
    previous_ = current_;
    current_ = column;
    up_ = up;
    ++count_;
  }

  double box_;
  int64_t reversal_;
  bool reached_;
  int32_t first_close_;
  int64_t count_ = 0;
  Column current_{0, 0};
  Column previous_{0, 0};
  bool up_ = false;
  int signal_ = 0;
};

}  // namespace

// The walk starts at bar 1 whatever the parameters; a year of bars gives it time to settle.
int PointFigureWarmUp(const ControlValues&) {
  return 250;
}

int CalcPointFigure(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return PointFigureWarmUp(controls);
  if (bars < 1) return 0;
  const PointFigureParameters settings = ReadPointFigureParameters(controls, series[bars].close);
  int32_t largest = 0;
  for (int i = 1; i <= bars; ++i) largest = std::max(largest, series[i].close);
  if (!BoxFits(settings.box.box, largest)) throw ComputationFault("box size out of range");

  PointFigureWalk walk(settings, series[1].close);
  series[1].s1 = 0;
  for (int i = 2; i <= bars; ++i) {
    // The bar that opens the first column still reads 0.
    const bool started = walk.Count() > 0;
    walk.Step(series[i].close);
    series[i].s1 = started ? static_cast<float>(walk.Signal()) : 0.0f;
  }
  return 0;
}

namespace {

// Goes over the indices from..to (either way) in runs of neighbouring indices with equal keys
// and calls draw(first, last) once per run. The keys must be a monotone function of the index,
// as rows of the price mapping are: boxes finer than a pixel, and boxes off the image (whose
// rows are held at −1 or the image height), then cost a few look-ups per run instead of a
// drawing call each.
template <typename Key, typename Draw>
void ForEachRun(int64_t from, int64_t to, Key&& key, Draw&& draw) {
  const int64_t step = to >= from ? 1 : -1;
  const auto beyond = [&](int64_t i) { return step > 0 ? i > to : i < to; };
  for (int64_t i = from; !beyond(i);) {
    const auto value = key(i);
    // Gallop to an index past the run, then halve back to the run's last index.
    int64_t same = i;
    int64_t jump = 1;
    int64_t other = i + step;
    while (!beyond(other) && key(other) == value) {
      same = other;
      jump *= 2;
      other = same + jump * step;
    }
    if (beyond(other)) other = to + step;
    while ((other - same) * step > 1) {
      const int64_t middle = same + (other - same) / 2;
      if (key(middle) == value) {
        same = middle;
      } else {
        other = middle;
      }
    }
    draw(i, same);
    i = same + step;
  }
}

// A row held to −1 above the image and to its height below it.
int HoldRow(int y, int height) {
  return std::clamp(y, -1, height);
}

struct Rows {
  int top;
  int bottom;
  bool operator==(const Rows&) const = default;
};

void DrawGrid(const IndicatorContext& context, const ColumnLayout& layout, double box) {
  Canvas& canvas = context.canvas;
  const int width = canvas.Width();
  const int height = canvas.Height();
  const int w = layout.ElementWidth();
  canvas.SetPen(kBlack, PenStyle::kDot);
  const int top = layout.BandTop();
  const int bottom = top + layout.BandHeight();
  for (int k = 1; k <= (width - 60) / w; ++k) canvas.Line(k * w + 30, top, k * w + 30, bottom);

  const auto row = [&](int64_t k) { return HoldRow(layout.Y(BoxPrice(k, box)), height); };
  ForEachRun(CeilBox(context.scale.lower, box), TruncBox(context.scale.upper, box), row,
             [&](int64_t, int64_t last) {
               // Lines on one row cover each other: the last one drawn is what shows.
               const int y = row(last);
               if (y < 0 || y >= height) return;
               canvas.SetPen(last % 5 == 0 ? kGridBlue : kBlack, PenStyle::kDot);
               canvas.Line(31, y, width - 31, y);
             });
  canvas.SetPen(kBlack);
}

void DrawColumn(Canvas& canvas, const ColumnLayout& layout, int64_t k, const Column& column,
                const PointFigureParameters& settings) {
  const double box = settings.box.box;
  const int height = canvas.Height();
  const int left = layout.Left(k);
  const int right = layout.Right(k);
  const bool falling = column.start > column.end;
  // The cell of box j: from its price up one box, or in the truncation base down one box for
  // O marks, which count from the top of their boxes.
  const int64_t below = falling && !settings.reached ? -1 : 0;
  const auto rows = [&](int64_t j) {
    return Rows{HoldRow(layout.Y(BoxPrice(j + below + 1, box)), height),
                HoldRow(layout.Y(BoxPrice(j + below, box)), height)};
  };
  // The truncation base leaves the box a column ends at unmarked.
  const int64_t stop = settings.reached ? column.end : column.end + (falling ? 1 : -1);
  if (falling ? stop > column.start : stop < column.start) return;
  canvas.SetPen(falling ? kBlack : kRed);
  canvas.SetBrush(kWhite);
  ForEachRun(column.start, stop, rows, [&](int64_t j, int64_t) {
    const Rows cell = rows(j);
    if (cell.bottom < 0 || cell.top >= height) return;  // wholly off the image
    // The rows themselves, not the held ones: a mark cut by the image edge keeps its shape.
    const int top = layout.Y(BoxPrice(j + below + 1, box));
    const int bottom = layout.Y(BoxPrice(j + below, box));
    if (falling) {
      canvas.Ellipse(left, top, right, bottom);
    } else {
      canvas.Line(left, bottom, right, top);
      canvas.Line(left, top, right, bottom);
    }
  });
}

int32_t LargestClose(const BarTable& bars, int first, int last) {
  int32_t largest = 0;
  for (int i = first; i <= last; ++i) largest = std::max(largest, bars[i].close);
  return largest;
}

}  // namespace

DrawingResult DrawPointFigure(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const BarTable& bars = context.data.bars;
  const int first = context.data.first_shown;
  const int last = bars.Count();
  if (first < 1 || first > last) return {};
  const PointFigureParameters settings =
      ReadPointFigureParameters(context.controls, bars[last].close);
  const double box = settings.box.box;
  const int64_t largest = std::max({int64_t{LargestClose(bars, first, last)},
                                    std::abs(context.scale.upper), std::abs(context.scale.lower)});
  if (!BoxFits(box, largest)) return DrawingFailed(kBadBoxSizeMessage);

  std::vector<Column> columns;
  PointFigureWalk walk(settings, bars[first].close);
  for (int i = first + 1; i <= last; ++i) {
    walk.Step(bars[i].close);
    if (walk.Count() > static_cast<int64_t>(columns.size())) {
      columns.push_back(walk.Current());
    } else if (walk.Count() > 0) {
      columns.back() = walk.Current();
    }
  }
  if (columns.empty()) return DrawingInforms(settings.box.message);

  const ColumnLayout layout(context, static_cast<int64_t>(columns.size()));
  if (!layout.Usable()) return DrawingInforms(settings.box.message);
  Canvas& canvas = context.canvas;
  if (context.controls.Checked("cbpf")) DrawGrid(context, layout, box);
  for (size_t i = 0; i < columns.size(); ++i) {
    const int64_t k = static_cast<int64_t>(i) + 1;
    if (!layout.Shows(k)) break;
    DrawColumn(canvas, layout, k, columns[i], settings);
  }
  return DrawingInforms(settings.box.message);
}

}  // namespace varnolt
