#include "chart/price_chart.h"

#include <algorithm>
#include <cstdio>

#include "base/messages.h"
#include "base/numbers.h"
#include "chart/bar_position.h"
#include "chart/command_record.h"

namespace varnolt {
namespace {

bool IsWholeNumberText(const std::string& text) {
  return !text.empty() && IsAllDigits(text);
}

std::string TwoDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", value % 100);
  return text;
}

// Rows and columns shared by the three drawings.
struct Frame {
  RegionFrame map;
  int top = 0;
  int axis = 0;
  int base = 0;
  int half_body = 0;
  int slot_half = 0;
};

Frame MakeFrame(const DataSet& data_set, const PriceScale& scale, const Canvas& canvas) {
  Frame frame;
  frame.map = PriceFrame(data_set, scale, canvas.Width(), canvas.Height());
  const int64_t n = frame.map.p1 - frame.map.p0 + 1;
  frame.top = RegionTop(canvas.Height(), scale.to);
  frame.axis = RegionBottom(canvas.Height(), scale.from) - 15;
  frame.base = frame.axis + 15;
  frame.half_body = static_cast<int>((canvas.Width() - 60) / (3 * n));
  frame.slot_half = static_cast<int>((canvas.Width() - 60) / (2 * n));
  return frame;
}

int ClampRow(const Frame& frame, int y) {
  return std::clamp(y, frame.top, frame.axis);
}

// The axes, the scale lines and their labels.
void DrawScale(const Frame& frame, const PriceScale& scale, bool auxiliary, bool thousands,
               Canvas& canvas) {
  const int width = canvas.Width();
  canvas.SetPen(kBlack);
  canvas.SetBrush(kWhite);
  canvas.MoveTo(30, frame.top);
  canvas.LineTo(30, frame.axis);
  canvas.LineTo(width - 30, frame.axis);
  if (thousands) canvas.TextOut(5, frame.axis, "単位千");
  canvas.SetPen(kBlack, PenStyle::kDot);
  const int64_t v = scale.interval;
  for (int64_t w = v * (scale.lower / v + 1); w < scale.upper; w += v) {
    const int y = RegionY(frame.map, w);
    if (auxiliary) canvas.Line(30, y, width - 30, y);
    const std::string label = std::to_string(thousands ? w / 1000 : w);
    const TextSize size = canvas.TextExtent(label);
    canvas.TextOut(29 - size.width, y - size.height / 2, label);
  }
}

// The split marker and the month label of a bar, before the bar itself.
class BarMarks {
 public:
  BarMarks(const DataSet& data_set, int first_bar, bool auxiliary)
      : auxiliary_(auxiliary),
        // Close bars of a single displayed bar start past the last bar and draw none.
        previous_month_(data_set.bars[std::min(first_bar, data_set.bars.Count())].date / 100),
        years_only_(data_set.bars[data_set.bars.Count()].date / 10000 -
                        data_set.bars[data_set.first_shown].date / 10000 >=
                    4) {}

  void Draw(const Frame& frame, const Bar& bar, int x, Canvas& canvas) {
    if (auxiliary_ && bar.split != 0) {
      canvas.SetPen(kBlack, PenStyle::kDot);
      canvas.Line(x - frame.slot_half, frame.top + 1, x - frame.slot_half, frame.base - 16);
    }
    const int month = bar.date / 100;
    if (month == previous_month_) return;
    previous_month_ = month;
    const bool january = month % 100 == 1;
    if (years_only_ && !january) return;
    canvas.SetPen(kBlack);
    canvas.Line(x, frame.base - 15, x, frame.base - 20);
    const int year = month / 100;
    std::string label = TwoDigits(month % 100);
    if (january) label = years_only_ ? TwoDigits(year) : TwoDigits(year) + TwoDigits(1);
    canvas.SetBrush(january ? kYellow : kWhite);
    canvas.TextOut(x, frame.base - 14, label);
  }

 private:
  bool auxiliary_;
  int previous_month_;
  bool years_only_;
};

void SetBarColour(Canvas& canvas, bool falling) {
  const Color colour = falling ? kBlack : kRed;
  canvas.SetPen(colour);
  canvas.SetBrush(colour);
}

// Draws the bars from `first_bar` to the last one: the marks, then the bar itself.
template <typename DrawBar>
void DrawBars(const DataSet& data_set, const PriceScale& scale, bool auxiliary, bool thousands,
              int first_bar, Canvas& canvas, DrawBar draw_bar) {
  const Frame frame = MakeFrame(data_set, scale, canvas);
  DrawScale(frame, scale, auxiliary, thousands, canvas);
  BarMarks marks(data_set, first_bar, auxiliary);
  for (int i = first_bar; i <= data_set.bars.Count(); ++i) {
    const int x = RegionX(frame.map, BarPosition(data_set, i, scale.calendar));
    marks.Draw(frame, data_set.bars[i], x, canvas);
    draw_bar(frame, i, x);
  }
  canvas.SetBrush(kWhite);
}

// The right margin, once the boxes that must hold whole numbers do.
std::optional<int64_t> ReadMargin(const PriceChartBoxes& boxes, std::string& message) {
  if (!boxes.automatic) {
    const bool scale_ok = IsWholeNumberText(boxes.upper) && IsWholeNumberText(boxes.lower) &&
                          (!boxes.auxiliary || IsAllDigits(boxes.interval));
    if (!scale_ok) {
      message = kNotIntegerMessage;
      return std::nullopt;
    }
  }
  if (!IsWholeNumberText(boxes.margin)) {
    message = kNotIntegerMessage;
    return std::nullopt;
  }
  return ToInt(boxes.margin);
}

}  // namespace

int64_t TickInterval(int64_t high, int64_t low) {
  const int64_t n = (high > low ? high - low : low - high) / 5;
  if (n <= 0) return 1;
  int64_t power = 1;
  while (n / power >= 10) power *= 10;
  return power * (n / power);
}

std::string UnitCaption(const std::string& name_box, DataUnit unit) {
  static constexpr const char* kUnits[] = {"  日足　", "  週足　", "  月足　", "  四半期足　",
                                           "  年足　"};
  return name_box + kUnits[static_cast<int>(unit)];
}

RegionFrame PriceFrame(const DataSet& data_set, const PriceScale& scale, int width, int height) {
  RegionFrame frame;
  frame.width = width;
  frame.height = height;
  frame.p0 = BarPosition(data_set, data_set.first_shown, scale.calendar);
  frame.p1 = BarPosition(data_set, data_set.bars.Count(), scale.calendar) + scale.margin;
  frame.to = scale.to;
  frame.from = scale.from;
  frame.upper = scale.upper;
  frame.lower = scale.lower;
  frame.reserve = true;
  return frame;
}

std::optional<std::pair<Point, Point>> ClipSegment(Point a, Point b, int top, int bottom) {
  if ((a.y > bottom && b.y > bottom) || (a.y < top && b.y < top)) return std::nullopt;
  if (a.y > b.y) std::swap(a, b);
  if (a.y == b.y || (a.y >= top && b.y <= bottom)) return std::pair{a, b};
  // The column where a–b crosses a row, in 64 bits: ends far off the image make large products.
  const auto cross = [](Point from, Point to, int row) {
    return static_cast<int>(from.x + (int64_t{row} - from.y) * (int64_t{to.x} - from.x) /
                                         (int64_t{to.y} - from.y));
  };
  if (b.y > bottom) {
    b.x = cross(a, b, bottom);
    b.y = bottom;
  }
  if (a.y < top) {
    a.x = cross(a, b, top);
    a.y = top;
  }
  return std::pair{a, b};
}

void DrawCandles(const DataSet& data_set, const PriceScale& scale, bool auxiliary, Canvas& canvas) {
  DrawBars(data_set, scale, auxiliary, scale.upper >= 100000, data_set.first_shown, canvas,
           [&](const Frame& frame, int i, int x) {
             const Bar& bar = data_set.bars[i];
             const int t = frame.half_body;
             const int open = ClampRow(frame, RegionY(frame.map, bar.open));
             const int close = ClampRow(frame, RegionY(frame.map, bar.close));
             SetBarColour(canvas, bar.close < bar.open);
             canvas.Line(x, ClampRow(frame, RegionY(frame.map, bar.low)), x,
                         ClampRow(frame, RegionY(frame.map, bar.high)));
             canvas.Rectangle(x - t, open, x + t, close);
             canvas.Line(x - t, open, x + t, open);
             canvas.Line(x - t, close, x + t, close);
           });
}

void DrawCloseBars(const DataSet& data_set, const PriceScale& scale, bool auxiliary,
                   Canvas& canvas) {
  DrawBars(data_set, scale, auxiliary, false, data_set.first_shown + 1, canvas,
           [&](const Frame& frame, int i, int x) {
             const Bar& bar = data_set.bars[i];
             const int32_t previous_close = data_set.bars[i - 1].close;
             const int t = frame.half_body;
             const int previous = ClampRow(frame, RegionY(frame.map, previous_close));
             const int close = ClampRow(frame, RegionY(frame.map, bar.close));
             SetBarColour(canvas, bar.close < previous_close);
             canvas.Rectangle(x - t, previous, x + t, close);
             canvas.Line(x - t, previous, x + t, previous);
             canvas.Line(x - t, close, x + t, close);
           });
}

void DrawCloseLine(const DataSet& data_set, const PriceScale& scale, bool auxiliary,
                   Canvas& canvas) {
  DrawBars(data_set, scale, auxiliary, false, data_set.first_shown + 1, canvas,
           [&](const Frame& frame, int i, int x) {
             const Bar& bar = data_set.bars[i];
             const Bar& previous = data_set.bars[i - 1];
             SetBarColour(canvas, bar.close < previous.close);
             const int y = RegionY(frame.map, bar.close);
             if (y >= frame.top && y <= frame.axis) canvas.Rectangle(x - 2, y - 2, x + 2, y + 2);
             const Point here{x, y};
             const Point before{RegionX(frame.map, BarPosition(data_set, i - 1, scale.calendar)),
                                RegionY(frame.map, previous.close)};
             if (const auto segment = ClipSegment(here, before, frame.top, frame.axis)) {
               canvas.Line(segment->first.x, segment->first.y, segment->second.x,
                           segment->second.y);
             }
           });
}

PriceChartResult ShowPriceChart(DataSet& data_set, const PriceChartBoxes& boxes,
                                const std::string& name_box,
                                const std::optional<FinancialRecord>& financial, bool zoom,
                                Canvas& canvas) {
  PriceChartResult result;
  result.boxes = boxes;
  if (!data_set.loaded || data_set.first_shown < 1) {
    result.message = kNotLoadedMessage;
    return result;
  }
  const auto margin = ReadMargin(boxes, result.message);
  if (!margin) return result;
  PriceScale& scale = result.scale;
  scale.margin = *margin;
  if (boxes.automatic) {
    int64_t high = data_set.bars[data_set.first_shown].high;
    int64_t low = data_set.bars[data_set.first_shown].low;
    for (int i = data_set.first_shown; i <= data_set.bars.Count(); ++i) {
      high = std::max<int64_t>(high, data_set.bars[i].high);
      low = std::min<int64_t>(low, data_set.bars[i].low);
    }
    const int64_t m = (high - low) / 8;
    result.boxes.upper = std::to_string(high + m);
    result.boxes.lower = std::to_string(low - m);
    result.boxes.interval = std::to_string(TickInterval(high, low));
  }
  scale.upper = ToInt(result.boxes.upper);
  scale.lower = ToInt(result.boxes.lower);
  // A flat series would put every price on one row and divide by zero: widen by a yen.
  if (scale.upper == scale.lower) {
    ++scale.upper;
    --scale.lower;
    // The boxes keep the scale the chart used, so the indicators drawn over it agree.
    result.boxes.upper = std::to_string(scale.upper);
    result.boxes.lower = std::to_string(scale.lower);
  }
  const auto interval = ParseInt(result.boxes.interval);
  scale.interval =
      IsWholeNumberText(result.boxes.interval) && interval && *interval > 0 ? *interval : 1000;
  const auto [from, to] = ReadRegionBoxes(boxes.region_from, boxes.region_to);
  if (!(1 <= from && from <= to && to <= 10)) {
    result.message = kBadRegionsMessage;
    return result;
  }
  scale.from = from;
  scale.to = to;
  scale.calendar = CalendarSpacing(data_set, boxes.calendar);

  switch (boxes.type) {
    case ChartType::kCandles:
      DrawCandles(data_set, scale, boxes.auxiliary, canvas);
      break;
    case ChartType::kCloseBars:
      DrawCloseBars(data_set, scale, boxes.auxiliary, canvas);
      break;
    case ChartType::kCloseLine:
      DrawCloseLine(data_set, scale, boxes.auxiliary, canvas);
      break;
  }
  data_set.chart_shown = true;
  data_set.command_record += RecordText({RecordKind::kPriceChart, static_cast<int>(boxes.type),
                                         std::to_string(from), std::to_string(to)});

  const RegionFrame caption_frame{canvas.Width(), canvas.Height(), 0,           10,  to,
                                  from,           scale.upper,     scale.lower, true};
  const int32_t last_close = data_set.bars[data_set.bars.Count()].close;
  result.caption =
      UnitCaption(name_box, data_set.unit) + " " + FinancialSummary(last_close, financial);
  if (zoom) result.caption += " (ズーム画面)";
  canvas.SetBrush(kWhite);
  canvas.SetPen(kBlack);
  canvas.TextOut(31, RegionY(caption_frame, scale.upper), result.caption);
  return result;
}

}  // namespace varnolt
