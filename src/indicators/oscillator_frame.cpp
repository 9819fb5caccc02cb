#include "indicators/oscillator_frame.h"

#include <algorithm>

#include "base/numbers.h"

namespace varnolt {

IndicatorFrame OscillatorFrame(const IndicatorContext& context, double upper, double lower) {
  return IndicatorFrame(context, upper, lower, false);
}

void DrawReferenceLine(const IndicatorContext& context, const IndicatorFrame& frame,
                       int64_t level) {
  Canvas& canvas = context.canvas;
  const int width = canvas.Width();
  const int y = frame.Y(level);
  canvas.SetPen(kBlack, PenStyle::kDot);
  canvas.Line(30, y, width - 30, y);
  const std::string label = std::to_string(level);
  const TextSize size = canvas.TextExtent(label);
  canvas.TextOut(width - 29, y - size.height / 2, label);
}

void DrawReferenceLines(const IndicatorContext& context, const IndicatorFrame& frame,
                        std::initializer_list<int64_t> levels) {
  context.canvas.SetBrush(kWhite);  // the labels' background
  for (const int64_t level : levels) DrawReferenceLine(context, frame, level);
}

void SetOscillatorPen(Canvas& canvas, Color colour) {
  canvas.SetPen(colour, PenStyle::kSolid, 1, PenMode::kNotXor);
}

void DrawPercentLevels(const IndicatorContext& context, const IndicatorFrame& frame, int64_t upper,
                       int64_t lower) {
  DrawReferenceLines(context, frame, {0, 100, 50, upper, lower});
}

OscillatorLine::OscillatorLine(const IndicatorContext& context, const IndicatorFrame& frame,
                               Color colour)
    : frame_(frame), pen_(context.canvas) {
  SetOscillatorPen(context.canvas, colour);
}

void OscillatorLine::AddPoint(PixelPoint point) {
  if (started_) {
    pen_.To(point);
  } else {
    pen_.Start(point);
    started_ = true;
  }
}

int StartBar(int64_t earliest, int64_t from_period, int last) {
  return static_cast<int>(std::min<int64_t>(std::max(earliest, from_period), int64_t{last} + 1));
}

void DrawValueLine(const IndicatorContext& context, const IndicatorFrame& frame, Color colour,
                   std::span<const double> values, int64_t from, int to) {
  if (from > to) return;
  OscillatorLine line(context, frame, colour);
  for (int bar = static_cast<int>(from); bar <= to; ++bar) line.Add(bar, values[bar]);
}

PixelPoint OscillatorPoint(const IndicatorFrame& frame, int bar, double value) {
  return frame.Point(bar, RoundHalfEven(value));
}

bool ListingWanted(const ControlValues& controls) {
  return controls.Checked("cbshowosci");
}

std::string ListingNumber(double value) {
  return FormatShortest(static_cast<double>(RoundHalfEven(value * 100)) / 100);
}

void WriteListing(const IndicatorContext& context, std::string_view header,
                  std::initializer_list<std::span<const double>> columns) {
  if (!ListingWanted(context.controls)) return;
  std::string& text = context.statistics;
  text.clear();
  text.append(header).append("\r\n");
  for (int bar = context.data.first_shown; bar <= context.data.bars.Count(); ++bar) {
    text += std::to_string(context.data.bars[bar].date);
    for (const std::span<const double> column : columns) {
      const double value = bar < static_cast<int>(column.size()) ? column[bar] : 0;
      text.append(" , ").append(ListingNumber(value));
    }
    text += "\r\n";
  }
}

}  // namespace varnolt
