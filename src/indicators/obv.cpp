#include "indicators/obv.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "indicators/oscillator_frame.h"

namespace varnolt {

std::vector<int64_t> OnBalanceVolume(const BarTable& bars, int first) {
  const int last = bars.Count();
  std::vector<int64_t> obv(static_cast<size_t>(std::max(last, 0)) + 1, 0);
  if (first < 1 || first > last) return obv;
  obv[first] = bars[first].volume;
  for (int bar = first + 1; bar <= last; ++bar) {
    const int32_t close = bars[bar].close;
    const int32_t previous = bars[bar - 1].close;
    const int64_t volume = bars[bar].volume;
    obv[bar] = obv[bar - 1] + (close > previous ? volume : close < previous ? -volume : 0);
  }
  return obv;
}

DrawingResult DrawOBV(const IndicatorContext& context) {
  const PenGuard pen_guard(context.canvas);
  const int first = context.data.first_shown;
  const int last = context.data.bars.Count();
  const std::vector<int64_t> obv = OnBalanceVolume(context.data.bars, first);
  if (first < 1 || first > last) return {};

  const auto [lowest, highest] = std::minmax_element(obv.begin() + first, obv.end());
  int64_t upper = *highest;
  int64_t lower = *lowest;
  // A flat OBV has no range to map onto the band; one unit either side puts it in the middle.
  if (upper == lower) {
    ++upper;
    --lower;
  }
  const IndicatorFrame frame =
      OscillatorFrame(context, static_cast<double>(upper), static_cast<double>(lower));
  OscillatorLine line(context, frame, kRed);
  for (int bar = first; bar <= last; ++bar) line.AddPoint(frame.Point(bar, obv[bar]));

  // OBV is a whole number of shares: listed as it is, not as a two-decimal value.
  if (ListingWanted(context.controls)) {
    std::string& text = context.statistics;
    text = "OBV \r\n";
    for (int bar = first; bar <= last; ++bar) {
      text.append(std::to_string(context.data.bars[bar].date))
          .append(" , ")
          .append(std::to_string(obv[bar]))
          .append("\r\n");
    }
  }
  return {};
}

}  // namespace varnolt
