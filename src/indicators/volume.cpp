#include "indicators/volume.h"

#include <algorithm>
#include <cstdint>

#include "indicators/oscillator_frame.h"

namespace varnolt {
namespace {

constexpr Color kVolumeBlue = kBlue;
constexpr Color kVolumeAverageGreen = kGreen;

// Bars stand 2 pixels wide so that they stay visible when many bars share the plot width.
constexpr int kBarPenWidth = 2;

}  // namespace

int64_t VolumeTickStep(int64_t largest) {
  const int64_t third = largest / 3;
  // A largest volume of 1 or 2 has no third; one share (or divisor unit) per tick still labels
  // the 0 and the top.
  if (third < 1) return 1;
  int64_t unit = 1;
  while (third / unit >= 10) unit *= 10;
  return third / unit * unit;
}

DrawingResult DrawVolume(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const BarTable& bars = context.data.bars;
  const int first = context.data.first_shown;
  const int last = bars.Count();
  int64_t largest = 0;
  for (int bar = first; bar <= last; ++bar) largest = std::max<int64_t>(largest, bars[bar].volume);
  // With no volume at all the scale has no height; nothing is drawn.
  if (largest <= 0) return {};

  const IndicatorFrame frame = OscillatorFrame(context, static_cast<double>(largest + largest / 10),
                                               static_cast<double>(-(largest / 10)));
  Canvas& canvas = context.canvas;
  const int width = canvas.Width();
  const int height = canvas.Height();
  const int to = context.scale.to;
  const int from = context.scale.from;

  // The scale: ticks with their values in the right margin.
  canvas.SetBrush(kWhite);
  canvas.SetPen(kVolumeBlue, PenStyle::kDot);
  const int64_t step = VolumeTickStep(largest);
  for (int64_t value = 0; value <= largest; value += step) {
    const int y = frame.Y(value);
    canvas.Line(width - 35, y, width - 30, y);
    const std::string label = std::to_string(value);
    canvas.TextOut(width - 29, y - canvas.TextExtent(label).height / 2, label);
  }

  // The bars stand on the bottom of the band, below the zero line, so that a small volume
  // still shows.
  const int bottom = height * (to - from + 1) / 10 + (10 - to) * height / 10;
  canvas.SetPen(kVolumeBlue, PenStyle::kSolid, kBarPenWidth);
  for (int bar = first; bar <= last; ++bar) {
    const PixelPoint top = frame.Point(bar, bars[bar].volume);
    canvas.Line(top.x, top.y, top.x, bottom);
  }

  // The average line. A last bar without volume is a day still in progress: its average
  // would dip, so the line stops one bar earlier.
  const int period = IntParameter(context.controls, kVolumeBoxes, "edvolopn");
  if (period > 0 && period <= last) {
    const int start = std::max(first, period);
    const int end = bars[last].volume == 0 ? last - 1 : last;
    int64_t sum = 0;
    for (int bar = start - period + 1; bar < start; ++bar) sum += bars[bar].volume;
    canvas.SetPen(kVolumeAverageGreen);
    SegmentPen pen(canvas);
    for (int bar = start; bar <= end; ++bar) {
      sum += bars[bar].volume;
      const PixelPoint point = frame.Point(bar, sum / period);
      if (bar == start) {
        pen.Start(point);
      } else {
        pen.To(point);
      }
      sum -= bars[bar - period + 1].volume;
    }
  }
  return {};
}

}  // namespace varnolt
