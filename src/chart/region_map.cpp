#include "chart/region_map.h"

#include "base/numbers.h"

#include <algorithm>

namespace varnolt {
namespace {

int64_t Band(const RegionFrame& frame) {
  return int64_t{frame.height} * (frame.to - frame.from + 1) / 10 - (frame.reserve ? 15 : 0);
}

}  // namespace

int RegionX(const RegionFrame& frame, int64_t position) {
  const int64_t n = std::max<int64_t>(frame.p1 - frame.p0 + 1, 1);
  const int64_t plot = frame.width - 60;
  return static_cast<int>(plot * (position - frame.p0) / n + plot / (2 * n) + 30);
}

int RegionY(const RegionFrame& frame, int64_t value) {
  // A value far outside a narrow scale lands billions of rows away. Hold it at ±2^30 so it
  // stays on its side of the band and the difference of two rows still fits an int; a value
  // so far out that the product itself would overflow goes straight to that side.
  constexpr int64_t kFar = int64_t{1} << 30;
  int64_t distance = 0;
  int64_t product = 0;
  if (__builtin_sub_overflow(frame.upper, value, &distance) ||
      __builtin_mul_overflow(Band(frame), distance, &product)) {
    const bool below = (value < frame.upper) == (frame.upper > frame.lower);
    return static_cast<int>(below ? kFar : -kFar);
  }
  // A scale with upper = lower has no height; it is read as one unit high rather than
  // dividing by zero.
  const int64_t span = frame.upper != frame.lower ? frame.upper - frame.lower : 1;
  const int64_t y = product / span + RegionTop(frame.height, frame.to);
  return static_cast<int>(std::clamp(y, -kFar, kFar));
}

PixelPoint RegionMap(const RegionFrame& frame, int64_t position, int64_t value) {
  return {RegionX(frame, position), RegionY(frame, value)};
}

std::pair<int, int> ReadRegionBoxes(std::string_view from_text, std::string_view to_text) {
  const std::string_view from = from_text.empty() ? to_text : from_text;
  const std::string_view to = to_text.empty() ? from_text : to_text;
  return {from.empty() ? 0 : ToInt(from), to.empty() ? 0 : ToInt(to)};
}

PositionPrice RegionUnmap(const RegionFrame& frame, int x, int y) {
  const int64_t band = Band(frame);
  const int64_t top = int64_t{10 - frame.to} * frame.height / 10;
  PositionPrice result;
  if (band <= 0 || frame.width <= 60) return result;
  result.position = frame.p0 + (frame.p1 - frame.p0 + 1) * (x - 30) / (frame.width - 60);
  result.price = frame.upper - (band + (frame.upper - frame.lower) * (y - top) - 1) / band;
  return result;
}

}  // namespace varnolt
