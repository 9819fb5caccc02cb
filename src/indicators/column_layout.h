#pragma once

// What the charts that ignore time share (new-price lines, renko bricks, kagi lines,
// point-and-figure columns): their elements stand side by side from the left edge of the plot,
// each as wide as the plot allows up to 10 pixels, over the price scale of the chart; and the
// box size that turns prices into box positions.

#include <cstdint>
#include <string>
#include <string_view>

#include "chart/region_map.h"
#include "indicators/indicator_context.h"

namespace varnolt {

class ColumnLayout {
 public:
  // `elements` is how many elements the chart has; it fixes their width.
  ColumnLayout(const IndicatorContext& context, int64_t elements);

  // False when the price scale is empty (upper = lower): nothing can be placed on it.
  bool Usable() const { return map_.upper != map_.lower; }
  // Element width in pixels: the plot width shared out, at least 1 and at most 10.
  int ElementWidth() const { return width_; }
  // Element k (from 1) covers x = Left(k) .. Right(k).
  int Left(int64_t k) const { return Clamp((k - 1) * width_ + 31); }
  int Right(int64_t k) const { return Clamp(k * width_ + 30); }
  // Whether element k starts inside the image; later ones cannot show.
  bool Shows(int64_t k) const { return (k - 1) * width_ + 31 < map_.width; }
  // Row of a price on the band of regions, date-label rows left free at the bottom.
  int Y(int64_t price) const { return RegionY(map_, price); }
  int BandTop() const { return RegionTop(map_.height, map_.to); }
  int BandHeight() const { return map_.height * (map_.to - map_.from + 1) / 10 - 15; }
  const RegionFrame& Map() const { return map_; }

 private:
  static int Clamp(int64_t x);

  RegionFrame map_;
  int width_ = 1;
};

// Draws element k as a bar from one price to another: a rectangle filled in the colour with a
// line down its right edge, so even a one-pixel element shows. Leaves pen and brush in the colour.
void DrawPriceBar(Canvas& canvas, const ColumnLayout& layout, int64_t k, int64_t from_price,
                  int64_t to_price, Color colour);

// A box size as a chart reads it: the fixed box in `box_name` (empty → `when_empty`), or the
// variable scale at `price` when `variable_name` is checked. The message is the variable
// scale's complaint, if any; the box is still usable then (its fallback).
struct BoxSize {
  double box = 10;
  std::string message;
};
BoxSize ReadBoxSize(const ControlValues& controls, std::string_view box_name, double when_empty,
                    std::string_view variable_name, double price);

// Whether prices up to `largest_price` (in magnitude) have box positions that are whole-number
// exact in single precision, so that every box counts.
bool BoxFits(double box, int64_t largest_price);

// Box position of a price, in single precision, truncated toward zero or rounded up.
float BoxPosition(int64_t price, double box);
int64_t TruncBox(int64_t price, double box);
int64_t CeilBox(int64_t price, double box);
// The price at a box boundary, rounded half to even.
int64_t BoxPrice(int64_t index, double box);

}  // namespace varnolt
