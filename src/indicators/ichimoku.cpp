#include "indicators/ichimoku.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "series/calendar.h"

namespace varnolt {
namespace {

struct Periods {
  int conversion;  // a
  int base;        // b, also the shift of the leading spans and the lagging line
  int span_b;      // c
};

// A period below one bar has no window, and one beyond the longest series only pushes the
// shifted lines further out; holding the periods to 1..kMaxBars keeps every bar number and
// the warm-up length inside an int.
int ReadPeriod(const ControlValues& controls, std::string_view name, int when_empty) {
  return std::clamp(IntParameter(controls, name, when_empty), 1, kMaxBars);
}

Periods ReadPeriods(const ControlValues& controls) {
  return {ReadPeriod(controls, "edIchi1", 9), ReadPeriod(controls, "edIchi2", 26),
          ReadPeriod(controls, "edIchi3", 52)};
}

// (highest high + lowest low) div 2 over the `period` bars ending at `bar`, the window cut at
// bar 1. Works on the bar table and on the screening series alike.
template <typename Table>
int64_t Midpoint(const Table& table, int bar, int period) {
  const int start = std::max(1, bar - period + 1);
  int64_t high = table[start].high;
  int64_t low = table[start].low;
  for (int j = start + 1; j <= bar; ++j) {
    high = std::max<int64_t>(high, table[j].high);
    low = std::min<int64_t>(low, table[j].low);
  }
  return (high + low) / 2;
}

// Positions of the leading spans, which run up to b − 1 bars past the last bar. Past it they
// continue the bar numbers, or with calendar spacing the day numbers of the dates the coming
// bars would have. Requests come in rising order, so each one walks on from the previous.
class LeadPositions {
 public:
  LeadPositions(const IndicatorFrame& frame, const DataSet& data, bool calendar)
      : frame_(frame), data_(data), calendar_(calendar) {
    Restart();
  }

  int64_t At(int bar) {
    if (bar <= frame_.Last()) return frame_.Position(bar);
    if (!calendar_) return bar;
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

  const IndicatorFrame& frame_;
  const DataSet& data_;
  bool calendar_;
  // The main window's holiday list does not reach the drawings yet; without it every weekday
  // counts as a trading day.
  HolidayList holidays_;
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

std::string DrawIchimoku(const IndicatorContext& context) {
  const Periods periods = ReadPeriods(context.controls);
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
  const auto values = [&](int i) {
    const int64_t conversion = Midpoint(bars, i, periods.conversion);
    const int64_t base = Midpoint(bars, i, b);
    return BarValues{conversion, base, hold((conversion + base) / 2),
                     hold(Midpoint(bars, i, periods.span_b))};
  };
  LeadPositions lead(frame, context.data, context.scale.calendar);

  // Starting b − 1 bars early lets the leading spans of earlier bars reach the first shown bar.
  const int i0 = std::max(1, first - b + 1);
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
  ResetPen(canvas);
  return {};
}

int CalcIchimoku(ScreeningSeries& series, int bars, const ControlValues& controls) {
  const Periods periods = ReadPeriods(controls);
  const int b = periods.base;
  if (bars <= 0) return b + periods.span_b - 2;
  bars = std::min(bars, kScreeningCapacity);
  // The series keeps an earlier stock's results: clear every slot, so bars the loop below
  // leaves alone (the warm-up, slots 3 and 4 before their first shifted value) read 0.
  for (int i = 1; i <= bars; ++i) {
    ScreeningEntry& entry = series[i];
    entry.s1 = entry.s2 = entry.s3 = entry.s4 = entry.s5 = 0;
  }
  for (int i = periods.span_b; i <= bars; ++i) {
    ScreeningEntry& entry = series[i];
    entry.s1 = static_cast<float>(Midpoint(series, i, periods.conversion));
    entry.s2 = static_cast<float>(Midpoint(series, i, b));
    if (i + b - 1 <= bars) {
      ScreeningEntry& ahead = series[i + b - 1];
      ahead.s3 = static_cast<float>((static_cast<double>(entry.s1) + entry.s2) / 2);
      ahead.s4 = static_cast<float>(Midpoint(series, i, periods.span_b));
    }
    // The close the lagging line is compared with; before bar b there is none yet, and like
    // the windows the reference is cut at bar 1.
    entry.s5 = static_cast<float>(series[std::max(1, i - b + 1)].close);
  }
  return 0;
}

}  // namespace varnolt
