#include "indicators/column_layout.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "indicators/variable_scale.h"

namespace varnolt {

ColumnLayout::ColumnLayout(const IndicatorContext& context, int64_t elements) {
  map_.width = context.canvas.Width();
  map_.height = context.canvas.Height();
  map_.to = context.scale.to;
  map_.from = context.scale.from;
  map_.upper = context.scale.upper;
  map_.lower = context.scale.lower;
  map_.reserve = true;
  const int64_t share = elements > 0 ? (int64_t{map_.width} - 60) / elements : 10;
  width_ = static_cast<int>(std::clamp<int64_t>(share, 1, 10));
}

int ColumnLayout::Clamp(int64_t x) {
  // Far beyond the image either way; keeps coordinates of off-image elements in an int.
  constexpr int64_t kFar = int64_t{1} << 30;
  return static_cast<int>(std::clamp(x, -kFar, kFar));
}

void DrawPriceBar(Canvas& canvas, const ColumnLayout& layout, int64_t k, int64_t from_price,
                  int64_t to_price, Color colour) {
  const int y_from = layout.Y(from_price);
  const int y_to = layout.Y(to_price);
  canvas.SetPen(colour);
  canvas.SetBrush(colour);
  canvas.Rectangle(layout.Left(k), std::min(y_from, y_to), layout.Right(k), std::max(y_from, y_to));
  canvas.Line(layout.Right(k), y_from, layout.Right(k), y_to);
}

BoxSize ReadBoxSize(const ControlValues& controls, std::string_view box_name, double when_empty,
                    std::string_view variable_name, double price) {
  if (!controls.Checked(variable_name)) return {RealParameter(controls, box_name, when_empty), {}};
  VariableScaleResult variable = VariableScale(controls, price);
  return {variable.box, std::move(variable.message)};
}

bool BoxFits(double box, int64_t largest_price) {
  // Past 2^24 single precision skips whole numbers, and the walks would count boxes wrongly.
  constexpr double kExact = 16777216.0;
  if (!std::isfinite(box) || !(box > 0)) return false;
  return static_cast<double>(largest_price < 0 ? -largest_price : largest_price) / box < kExact;
}

float BoxPosition(int64_t price, double box) {
  return static_cast<float>(static_cast<double>(price) / box);
}

int64_t TruncBox(int64_t price, double box) {
  return Trunc(BoxPosition(price, box));
}

int64_t CeilBox(int64_t price, double box) {
  return Trunc(std::ceil(BoxPosition(price, box)));
}

int64_t BoxPrice(int64_t index, double box) {
  return RoundHalfEven(static_cast<double>(index) * box);
}

}  // namespace varnolt
