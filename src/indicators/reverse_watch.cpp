#include "indicators/reverse_watch.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "chart/region_map.h"

namespace varnolt {
namespace {

constexpr Color kWatchLatestBlue = kBlue;

// One point of the curve: the n-bar averages of volume (across) and close (up), in whole units.
struct WatchPoint {
  int64_t volume = 0;
  int64_t price = 0;
};

// The averages of the bars from `start` to the last bar, each over the `period` bars ending
// there (start ≥ period), truncated to whole units.
std::vector<WatchPoint> WatchPoints(const BarTable& bars, int period, int start) {
  std::vector<WatchPoint> points;
  points.reserve(bars.Count() - start + 1);
  int64_t closes = 0;
  int64_t volumes = 0;
  for (int bar = start - period + 1; bar <= start; ++bar) {
    closes += bars[bar].close;
    volumes += bars[bar].volume;
  }
  for (int bar = start; bar <= bars.Count(); ++bar) {
    if (bar > start) {
      closes += int64_t{bars[bar].close} - bars[bar - period].close;
      volumes += int64_t{bars[bar].volume} - bars[bar - period].volume;
    }
    points.push_back({volumes / period, closes / period});
  }
  return points;
}

}  // namespace

DrawingResult DrawReverseWatch(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  // 1 plots the raw values; a period below 1 has no window to average, so it means 1 as well.
  const int period = std::max(IntParameter(context.controls, kReverseWatchBoxes, "edrw"), 1);
  const BarTable& bars = context.data.bars;
  const int start = std::max(context.data.first_shown, period);
  if (start > bars.Count()) return {};
  const std::vector<WatchPoint> points = WatchPoints(bars, period, start);

  // Volume runs across the plot width from the smallest average to the largest, price up the
  // whole band from the smallest to the largest.
  const auto [least_volume, most_volume] = std::minmax_element(
      points.begin(), points.end(),
      [](const WatchPoint& a, const WatchPoint& b) { return a.volume < b.volume; });
  const auto [least_price, most_price] = std::minmax_element(
      points.begin(), points.end(),
      [](const WatchPoint& a, const WatchPoint& b) { return a.price < b.price; });
  Canvas& canvas = context.canvas;
  RegionFrame map;
  map.width = canvas.Width();
  map.height = canvas.Height();
  map.p0 = least_volume->volume;
  map.p1 = most_volume->volume;
  map.to = context.scale.to;
  map.from = context.scale.from;
  map.upper = most_price->price;
  map.lower = least_price->price;
  map.reserve = false;
  if (map.upper == map.lower) {  // a flat price: one yen each way keeps the mapping sound
    ++map.upper;
    --map.lower;
  }

  canvas.SetPen(kRed);
  canvas.SetBrush(kRed);
  SegmentPen pen(canvas);
  for (size_t i = 0; i < points.size(); ++i) {
    const PixelPoint point = RegionMap(map, points[i].volume, points[i].price);
    if (i == 0) {
      pen.Start(point);
    } else {
      pen.To(point);
    }
    if (i + 1 == points.size()) {  // the latest bar stands out
      canvas.SetPen(kWatchLatestBlue);
      canvas.SetBrush(kWatchLatestBlue);
    }
    canvas.Rectangle(point.x - 2, point.y - 2, point.x + 2, point.y + 2);
  }
  return {};
}

}  // namespace varnolt
