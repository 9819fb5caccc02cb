#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

namespace varnolt {

// The ten horizontal display regions of the chart image, 1 at the bottom and 10 at the top.
// Positions p0..p1 share the plot width from x = 30 to W − 30, each at the centre of its slot;
// values upper..lower fill the band of regions from..to, less 15 rows for the date labels when
// `reserve` is set.
struct RegionFrame {
  int width = 0;   // W
  int height = 0;  // H
  int64_t p0 = 0;
  int64_t p1 = 0;
  int to = 10;
  int from = 1;
  int64_t upper = 0;
  int64_t lower = 0;
  bool reserve = true;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
};

// Needs upper ≠ lower and p1 ≥ p0; callers guarantee both.
PixelPoint RegionMap(const RegionFrame& frame, int64_t position, int64_t value);
int RegionX(const RegionFrame& frame, int64_t position);
int RegionY(const RegionFrame& frame, int64_t value);

// Top and bottom rows of a range of regions.
inline int RegionTop(int height, int to) {
  return height * (10 - to) / 10;
}
inline int RegionBottom(int height, int from) {
  return height * (11 - from) / 10;
}

// A region box pair as the commands read it: an empty box takes the other's value, two empty
// boxes give 0. Throws ConversionError for a box that is not a whole number.
std::pair<int, int> ReadRegionBoxes(std::string_view from_text, std::string_view to_text);

// The inverse for the price chart: position and price under a pixel.
struct PositionPrice {
  int64_t position = 1;
  int64_t price = 0;
};
PositionPrice RegionUnmap(const RegionFrame& frame, int x, int y);

}  // namespace varnolt
