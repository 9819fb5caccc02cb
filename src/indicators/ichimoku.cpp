#include "indicators/ichimoku.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "indicators/window_extremes.h"
#include "series/calendar.h"

namespace varnolt {
namespace {

struct IchimokuParameters {
  int conversion;  // a
  int base;        // b, also the shift of the leading spans and the lagging line
  int span_b;      // c
};

// A period below one bar has no window, and one beyond the longest series only pushes the
// shifted lines further out; holding the periods to 1..kMaxBars keeps every bar number and
// the warm-up length inside an int.
int ReadPeriod(const ControlValues& controls, std::string_view name) {
  return std::clamp(IntParameter(controls, kIchimokuBoxes, name), 1, kMaxBars);
}

IchimokuParameters ReadIchimokuParameters(const ControlValues& controls) {
  return {ReadPeriod(controls, "edIchi1"), ReadPeriod(controls, "edIchi2"),
          ReadPeriod(controls, "edIchi3")};
}

// (highest high + lowest low) div 2 over the last a, b and c bars at every bar from `from` to
// `to`, each window cut at `from`. Works on the bar table and on the screening series alike.
class Midpoints {
 public:
  // Storage entries needed per bar: highs, lows, two extremes, scratch and three results.
  static constexpr size_t kPerBar = 8;

  template <typename Table>
  Midpoints(const Table& table, int from, int to, const IchimokuParameters& periods,
            std::span<int32_t> storage)
      : from_(from) {
    const size_t count = static_cast<size_t>(to - from + 1);
    const auto row = [&](size_t n) { return storage.subspan(n * count, count); };
    const std::span<int32_t> highs = row(0), lows = row(1);
    for (int i = from; i <= to; ++i) {
      highs[i - from] = table[i].high;
      lows[i - from] = table[i].low;
    }
    const std::span<int32_t> highest = row(2), lowest = row(3), scratch = row(4);
    const auto fill = [&](int period, std::span<int32_t> midpoints) {
      SlidingHighest(highs, period, highest, scratch);
      SlidingLowest(lows, period, lowest, scratch);
      // The midpoint of two int32 values is one too; only the sum needs 64 bits.
      for (size_t k = 0; k < count; ++k) {
        midpoints[k] = static_cast<int32_t>((static_cast<int64_t>(highest[k]) + lowest[k]) / 2);
      }
    };
    fill(periods.conversion, row(5));
    fill(periods.base, row(6));
    fill(periods.span_b, row(7));
    conversion_ = row(5);
    base_ = row(6);
    span_b_ = row(7);
  }

  int64_t Conversion(int bar) const { return conversion_[bar - from_]; }
  int64_t Base(int bar) const { return base_[bar - from_]; }
  int64_t SpanB(int bar) const { return span_b_[bar - from_]; }

 private:
  int from_;
  std::span<const int32_t> conversion_, base_, span_b_;
};

}  // namespace

int IchimokuWarmUp(const ControlValues& controls) {
  const IchimokuParameters periods = ReadIchimokuParameters(controls);
  return periods.base + periods.span_b - 2;
}

int CalcIchimoku(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars <= 0) return IchimokuWarmUp(controls);
  const IchimokuParameters periods = ReadIchimokuParameters(controls);
  const int b = periods.base;
  bars = std::min(bars, kScreeningCapacity);
  // The series keeps an earlier stock's results: clear every slot, so bars the loop below
  // leaves alone (the warm-up, slots 3 and 4 before their first shifted value) read 0.
  for (int i = 1; i <= bars; ++i) {
    ScreeningEntry& entry = series[i];
    entry.s1 = entry.s2 = entry.s3 = entry.s4 = entry.s5 = 0;
  }
  // The series holds at most kScreeningCapacity bars, so a fixed buffer serves every stock.
  std::array<int32_t, Midpoints::kPerBar * kScreeningCapacity> storage;
  const Midpoints midpoints(series, 1, bars, periods, storage);
  for (int i = periods.span_b; i <= bars; ++i) {
    ScreeningEntry& entry = series[i];
    entry.s1 = static_cast<float>(midpoints.Conversion(i));
    entry.s2 = static_cast<float>(midpoints.Base(i));
    if (i + b - 1 <= bars) {
      ScreeningEntry& ahead = series[i + b - 1];
      ahead.s3 = static_cast<float>((static_cast<double>(entry.s1) + entry.s2) / 2);
      ahead.s4 = static_cast<float>(midpoints.SpanB(i));
    }
    // The close the lagging line is compared with; before bar b there is none yet, and like
    // the windows the reference is cut at bar 1.
    entry.s5 = static_cast<float>(series[std::max(1, i - b + 1)].close);
  }
  return 0;
}

namespace {

// Positions of the leading spans, which run up to b − 1 bars past the last bar. Past it they
// continue the bar numbers, or with calendar spacing the day numbers of the dates the coming
// bars would have. Requests come in rising order, so each one walks on from the previous.
class LeadPositions {
 public:
  LeadPositions(const IndicatorFrame& frame, const DataSet& data, const HolidayList* holidays)
      : frame_(frame), data_(data), holidays_(holidays != nullptr ? *holidays : kNoHolidays) {
    Restart();
  }

  int64_t At(int bar) {
    if (bar <= frame_.Last()) return frame_.Position(bar);
    if (!frame_.Calendar()) return bar;
    if (bar < known_bar_) Restart();
    if (bar > known_bar_) {
      known_date_ = NextBarDate(known_date_, bar - known_bar_, data_.unit, holidays_);
      known_bar_ = bar;
    }
    return CompactToDay(known_date_);
  }

 private:
  void Restart() {
    known_bar_ = frame_.Last();
    known_date_ = std::to_string(data_.bars[known_bar_].date);
  }

  // Without the window's list every weekday counts as a trading day.
  static inline const HolidayList kNoHolidays;

  const IndicatorFrame& frame_;
  const DataSet& data_;
  const HolidayList& holidays_;
  int known_bar_ = 0;
  std::string known_date_;
};

// The five values of one bar, the leading spans already held inside the price scale.
struct BarValues {
  int64_t conversion;
  int64_t base;
  int64_t span_a;
  int64_t span_b;
};

}  // namespace

DrawingResult DrawIchimoku(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const IchimokuParameters periods = ReadIchimokuParameters(context.controls);
  const int b = periods.base;
  const IndicatorFrame frame(context);
  const int first = frame.First();
  const int last = frame.Last();
  Canvas& canvas = context.canvas;
  if (first < 1 || first > last) return {};
  const BarTable& bars = context.data.bars;
  const int64_t lower = context.scale.lower;
  const int64_t upper = context.scale.upper;
  // Spans beyond the scale are drawn on the band's edge rather than far outside the image.
  const auto hold = [&](int64_t value) { return std::min(std::max(value, lower), upper); };
  LeadPositions lead(frame, context.data, context.holidays);

  // Starting b − 1 bars early lets the leading spans of earlier bars reach the first shown bar.
  const int i0 = std::max(1, first - b + 1);
  // The windows of bar i0 reach back to `earliest` at most, or are cut at bar 1.
  const int widest = std::max({periods.conversion, b, periods.span_b});
  const int earliest = std::max(1, i0 - widest + 1);
  std::vector<int32_t> storage(Midpoints::kPerBar * static_cast<size_t>(last - earliest + 1));
  const Midpoints midpoints(bars, earliest, last, periods, storage);
  const auto values = [&](int i) {
    const int64_t conversion = midpoints.Conversion(i);
    const int64_t base = midpoints.Base(i);
    return BarValues{conversion, base, hold((conversion + base) / 2), hold(midpoints.SpanB(i))};
  };
  BarValues previous = values(i0);
  int previous_lead_x = frame.X(lead.At(i0 + b - 1));
  for (int i = i0 + 1; i <= last; ++i) {
    const BarValues current = values(i);
    const int lead_x = frame.X(lead.At(i + b - 1));
    const bool lead_shown = first < i + b;
    const bool lines_shown = first < i;
    if (lead_shown && i >= periods.span_b) {
      canvas.SetPen(kYellow);
      canvas.SetBrush(kYellow);
      const Point cloud[] = {{previous_lead_x, frame.Y(previous.span_a)},
                             {previous_lead_x, frame.Y(previous.span_b)},
                             {lead_x, frame.Y(current.span_b)},
                             {lead_x, frame.Y(current.span_a)}};
      canvas.Polygon(cloud);
    }
    if (lead_shown && i >= b) {
      canvas.SetPen(kGreen);
      canvas.Line(previous_lead_x, frame.Y(previous.span_a), lead_x, frame.Y(current.span_a));
    }
    if (lead_shown && i >= periods.span_b) {
      canvas.SetPen(kAqua);
      canvas.Line(previous_lead_x, frame.Y(previous.span_b), lead_x, frame.Y(current.span_b));
    }
    if (lines_shown && i >= periods.conversion) {
      canvas.SetPen(kBlue);
      const PixelPoint from = frame.Point(i - 1, previous.conversion);
      const PixelPoint to = frame.Point(i, current.conversion);
      canvas.Line(from.x, from.y, to.x, to.y);
    }
    if (lines_shown && i >= b) {
      canvas.SetPen(kRed);
      const PixelPoint from = frame.Point(i - 1, previous.base);
      const PixelPoint to = frame.Point(i, current.base);
      canvas.Line(from.x, from.y, to.x, to.y);
    }
    previous = current;
    previous_lead_x = lead_x;
  }

  // The lagging line shows at bar i the close b − 1 bars later, so it needs closes up to
  // first + b; when the shown range is shorter there is nothing to draw.
  if (first + b <= last) {
    canvas.SetPen(kPurple);
    SegmentPen pen(canvas);
    pen.Start(frame.Point(first, bars[first + b - 1].close));
    for (int i = first + 1; i + b - 1 <= last; ++i) pen.To(frame.Point(i, bars[i + b - 1].close));
  }
  return {};
}

}  // namespace varnolt
