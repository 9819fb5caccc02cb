#include "screening/signal_drawing.h"

#include <string>

#include "base/dates.h"
#include "base/numbers.h"

namespace varnolt {
namespace {

// The chart's horizontal position of a bar: its number, or its day with calendar spacing.
int64_t PositionOf(const LoadedSeries& data, int bar, bool calendar) {
  if (!calendar) return bar;
  return CompactToDay(std::to_string(data.bars[bar].date));
}

}  // namespace

std::optional<RegionFrame> SignalFrame(const LoadedSeries& data, const PriceChartBoxes& boxes,
                                       int width, int height) {
  const auto [from, to] = ReadRegionBoxes(boxes.region_from, boxes.region_to);
  if (!(1 <= from && from <= to && to <= 10)) return std::nullopt;
  if (data.first_shown < 1 || data.first_shown > data.bars.Count()) return std::nullopt;
  const int64_t upper = ToInt(boxes.upper);
  const int64_t lower = ToInt(boxes.lower);
  const int64_t margin = ToInt(boxes.margin);
  // Equal prices would put the whole scale on one row; the display never leaves them so.
  if (upper == lower) return std::nullopt;
  const bool calendar = boxes.calendar && data.unit == DataUnit::kDay;
  RegionFrame frame;
  frame.width = width;
  frame.height = height;
  frame.p0 = PositionOf(data, data.first_shown, calendar);
  frame.p1 = PositionOf(data, data.bars.Count(), calendar) + margin;
  if (frame.p1 < frame.p0) return std::nullopt;
  frame.to = to;
  frame.from = from;
  frame.upper = upper;
  frame.lower = lower;
  frame.reserve = true;
  return frame;
}

void DrawSignal(const LoadedSeries& data, const RegionFrame& frame, bool calendar,
                const SignalMark& mark, Canvas& canvas) {
  const PixelPoint at = RegionMap(frame, PositionOf(data, mark.bar, calendar), mark.price);
  const int x = at.x;
  const int y = at.y;
  const int s = mark.side;
  canvas.SetPen(kGreen, PenStyle::kSolid, 3, PenMode::kCopy);
  canvas.Line(x, y - 10 * s, x, y - 30 * s);
  canvas.MoveTo(x - 5, y - 20 * s);
  canvas.LineTo(x, y - 10 * s);
  canvas.LineTo(x + 5, y - 20 * s);
  canvas.SetTextColor(kGreen);
  canvas.TextOut(x - 5, y - 45 * s - 5, "[" + std::to_string(mark.number) + "]");
  canvas.SetTextColor(kBlack);
  canvas.SetPen(kGreen, PenStyle::kSolid, 1, PenMode::kCopy);
}

void DrawSignals(const LoadedSeries& data, const PriceChartBoxes& boxes,
                 const std::vector<SignalMark>& marks, Canvas& canvas) {
  const auto frame = SignalFrame(data, boxes, canvas.Width(), canvas.Height());
  if (!frame) return;
  const bool calendar = boxes.calendar && data.unit == DataUnit::kDay;
  for (const SignalMark& mark : marks) DrawSignal(data, *frame, calendar, mark, canvas);
}

}  // namespace varnolt
