#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/controls.h"
#include "base/messages.h"
#include "chart/canvas.h"
#include "chart/data_set.h"
#include "chart/price_chart.h"
#include "chart/region_map.h"
#include "series/calendar.h"

namespace varnolt {

// What an indicator drawing works with: the data set's bars, the parameter controls, the
// chart image, the price scale and regions of this command, and the statistics page text.
struct IndicatorContext {
  const DataSet& data;
  const ControlValues& controls;
  Canvas& canvas;
  int data_number = 1;  // 1 or 2
  PriceScale scale;     // upper, lower, right margin, regions from..to, calendar spacing
  std::string& statistics;
  // The holiday list the window loaded at start-up, for bar dates beyond the last bar; none
  // makes every weekday a trading day.
  const HolidayList* holidays = nullptr;
};

// What a drawing reports. A failed drawing stopped on an error: the command shows the message
// and appends no record item, so replaying the record does not repeat the failure. A drawing
// that got through may still carry a message that only informs (a fallback it used).
struct DrawingResult {
  std::string message;
  bool failed = false;
};
inline DrawingResult DrawingFailed(std::string message) {
  return {std::move(message), true};
}
inline DrawingResult DrawingInforms(std::string message) {
  return {std::move(message), false};
}

using Drawing = DrawingResult (*)(const IndicatorContext&);

// Positions and pixels of the time-series indicator drawings: bar i stands at position i, or
// at its date's day number with calendar spacing; values map through the region band with
// the given scale.
class IndicatorFrame {
 public:
  // Over the price scale with the date-label reserve, as the trend drawings use it.
  explicit IndicatorFrame(const IndicatorContext& context);
  // Over a value scale of the indicator's own, as the oscillators use it.
  IndicatorFrame(const IndicatorContext& context, double upper, double lower, bool reserve);

  // Calendar spacing as the price chart applies it: for daily bars only.
  bool Calendar() const { return calendar_; }
  int First() const { return first_; }
  int Last() const { return last_; }
  int64_t Position(int bar) const;
  int X(int64_t position) const { return RegionX(map_, position); }
  int Y(int64_t value) const { return RegionY(map_, value); }
  PixelPoint Point(int bar, int64_t value) const { return {X(Position(bar)), Y(value)}; }
  const RegionFrame& Map() const { return map_; }

 private:
  const DataSet& data_;
  bool calendar_;
  int first_;
  int last_;
  RegionFrame map_;
};

// Draws a polyline one segment at a time: move to the previous point, line to this one.
class SegmentPen {
 public:
  explicit SegmentPen(Canvas& canvas) : canvas_(canvas) {}
  void Start(PixelPoint point) { previous_ = point; }
  void To(PixelPoint point) {
    canvas_.Line(previous_.x, previous_.y, point.x, point.y);
    previous_ = point;
  }

 private:
  Canvas& canvas_;
  PixelPoint previous_;
};

// A parameter box read as a whole number, or `when_empty` for an empty box. Throws
// ConversionError for other texts.
int IntParameter(const ControlValues& controls, std::string_view name, int when_empty);
double RealParameter(const ControlValues& controls, std::string_view name, double when_empty);

// A family's parameter box and what an empty box stands for. The chart and the screening may
// differ: an empty period switches a chart line off, while a condition needs a period.
struct ParameterBox {
  std::string_view name;
  double when_drawn;
  std::optional<double> when_computed;  // none: the computation does not read the box
};

// The box of that name among a family's boxes; every name a family reads is listed there.
const ParameterBox& FindBox(std::span<const ParameterBox> boxes, std::string_view name);

// A family's box as the drawing reads it, and as the computation reads it.
int IntParameter(const ControlValues& controls, std::span<const ParameterBox> boxes,
                 std::string_view name);
double RealParameter(const ControlValues& controls, std::span<const ParameterBox> boxes,
                     std::string_view name);
int ComputedIntParameter(const ControlValues& controls, std::span<const ParameterBox> boxes,
                         std::string_view name);
double ComputedRealParameter(const ControlValues& controls, std::span<const ParameterBox> boxes,
                             std::string_view name);

// Pen back to copy mode and brush to white, as every drawing leaves the canvas.
void ResetPen(Canvas& canvas);

// Resets the pen however the drawing ends, a parameter error included, so that the next drawing
// does not inherit a not-xor pen or a coloured brush.
class PenGuard {
 public:
  explicit PenGuard(Canvas& canvas) : canvas_(canvas) {}
  ~PenGuard() { ResetPen(canvas_); }
  PenGuard(const PenGuard&) = delete;
  PenGuard& operator=(const PenGuard&) = delete;

 private:
  Canvas& canvas_;
};

}  // namespace varnolt
