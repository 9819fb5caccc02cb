#include "chart/pointer_readout.h"

#include <algorithm>
#include <cmath>

#include "base/dates.h"
#include "base/numbers.h"
#include "chart/bar_position.h"
#include "chart/price_chart_controls.h"

namespace varnolt {

std::optional<ShownChart> ShownPriceChart(const DataSet& data_set, const ControlValues& controls,
                                          int data_number, int width, int height) {
  // The flag alone decides: an edited date box clears the loaded flag, not the chart.
  if (!data_set.chart_shown || data_set.first_shown < 1 ||
      data_set.first_shown > data_set.bars.Count()) {
    return std::nullopt;
  }
  const PriceChartBoxes boxes = PriceBoxesFromControls(controls, data_number);
  const auto upper = ParseInt64(boxes.upper);
  const auto lower = ParseInt64(boxes.lower);
  const auto margin = ParseDecimal(boxes.margin);
  const auto from = ParseInt(boxes.region_from.empty() ? boxes.region_to : boxes.region_from);
  const auto to = ParseInt(boxes.region_to.empty() ? boxes.region_from : boxes.region_to);
  if (!upper || !lower || !margin || !std::isfinite(*margin) || !from || !to) return std::nullopt;
  if (*upper == *lower || *from < 1 || *from > *to || *to > 10) return std::nullopt;

  ShownChart chart;
  chart.calendar = CalendarSpacing(data_set, boxes.calendar);
  RegionFrame& frame = chart.frame;
  frame.width = width;
  frame.height = height;
  frame.p0 = BarPosition(data_set, data_set.first_shown, chart.calendar);
  frame.p1 = BarPosition(data_set, data_set.bars.Count(), chart.calendar) +
             RoundHalfEvenWide(std::clamp(*margin, -1e9, 1e9));
  if (frame.p1 < frame.p0) return std::nullopt;
  frame.from = *from;
  frame.to = *to;
  frame.upper = *upper;
  frame.lower = *lower;
  frame.reserve = true;
  return chart;
}

PointerPoint PointAt(const ShownChart& chart, const DataSet& data_set, const HolidayList& holidays,
                     int x, int y) {
  const PositionPrice mapped = RegionUnmap(chart.frame, x, y);
  PointerPoint point;
  point.position = mapped.position;
  point.price = mapped.price;
  point.offset = mapped.position - chart.frame.p0 + 1;
  const int first = data_set.first_shown;
  const int last = data_set.bars.Count();
  const int64_t last_position = BarPosition(data_set, last, chart.calendar);
  point.beyond_last = point.position > last_position;
  if (chart.calendar) {
    // Only days of years 1 to 9999 have a compact date.
    if (point.position < DayFromCivil(1, 1, 1) || point.position > DayFromCivil(9999, 12, 31)) {
      return point;
    }
    point.date = DayToCompact(static_cast<DayNumber>(point.position));
    // A bar's number never exceeds the first bar's number plus the days since its date, so
    // the bar of that day, if any, lies at or below that number.
    const int64_t days = point.position - chart.frame.p0;
    int i = static_cast<int>(std::min<int64_t>(first + std::max<int64_t>(days, -1), last));
    while (i >= first && BarPosition(data_set, i, true) > point.position) --i;
    if (i >= first && BarPosition(data_set, i, true) == point.position) point.bar = i;
    return point;
  }
  if (point.position < first) return point;
  if (point.beyond_last) {
    const int64_t ahead = std::min<int64_t>(point.position - last, kMaxBars * 10);
    point.date = NextBarDate(std::to_string(data_set.bars[last].date), static_cast<int>(ahead),
                             data_set.unit, holidays);
    return point;
  }
  point.bar = static_cast<int>(point.position);
  point.date = std::to_string(data_set.bars[point.bar].date);
  return point;
}

PointerReadout NextReadout(const PointerReadout& shown, const PointerPoint& point,
                           const DataSet& data_set) {
  PointerReadout readout;
  readout.date = point.date.value_or(shown.date);
  readout.offset = point.offset;
  readout.price = point.price;
  if (point.bar >= 1 && point.bar <= data_set.bars.Count()) readout.bar = data_set.bars[point.bar];
  return readout;
}

const ReadoutBoxNames& ReadoutNamesOf(int data_number) {
  static constexpr ReadoutBoxNames kNames[2] = {
      {"eddat1", "edx1", "edy1", "edst1", "edhi1", "edlo1", "eded1"},
      {"eddat2", "edx2", "edy2", "edst2", "edhi2", "edlo2", "eded2"},
  };
  return kNames[data_number == 2 ? 1 : 0];
}

std::vector<std::pair<const char*, std::string>> ReadoutTexts(const PointerReadout& readout,
                                                              int data_number) {
  const ReadoutBoxNames& names = ReadoutNamesOf(data_number);
  const auto bar_text = [&](int32_t Bar::*field) {
    return readout.bar ? std::to_string((*readout.bar).*field) : std::string();
  };
  return {
      {names.date, readout.date},
      {names.offset, std::to_string(readout.offset)},
      {names.price, std::to_string(readout.price)},
      {names.open, bar_text(&Bar::open)},
      {names.high, bar_text(&Bar::high)},
      {names.low, bar_text(&Bar::low)},
      {names.close, bar_text(&Bar::close)},
  };
}

}  // namespace varnolt
