#include "indicators/variable_scale.h"

#include <array>
#include <optional>
#include <string>

#include "base/messages.h"
#include "base/numbers.h"

namespace varnolt {
namespace {

constexpr int kBands = 11;
constexpr double kFallbackBox = 10;

struct ScaleTable {
  std::array<int32_t, kBands> limits{};
  std::array<double, kBands + 1> boxes{};
};

// The whole table is read before any comparison, so a bad box anywhere is reported whatever
// the price. A width of zero or below would never move a chart forward, so it does not read
// either.
std::optional<ScaleTable> ReadTable(const ControlValues& controls) {
  ScaleTable table;
  for (int n = 1; n <= kBands; ++n) {
    const auto limit = ParseInt(controls.Text("edsc" + std::to_string(n)));
    if (!limit) return std::nullopt;
    table.limits[n - 1] = *limit;
  }
  for (int n = 1; n <= kBands + 1; ++n) {
    const auto box = ParseDecimal(controls.Text("edscale" + std::to_string(n)));
    if (!box || !(*box > 0)) return std::nullopt;
    table.boxes[n - 1] = *box;
  }
  return table;
}

}  // namespace

VariableScaleResult VariableScale(const ControlValues& controls, double price) {
  const std::optional<ScaleTable> table = ReadTable(controls);
  if (!table) return {kFallbackBox, kBadVariableScaleMessage};
  for (int n = 0; n < kBands; ++n) {
    if (price < table->limits[n]) return {table->boxes[n], {}};
  }
  return {table->boxes[kBands], {}};
}

}  // namespace varnolt
