#include "support/indicator_data.h"

#include <algorithm>
#include <cassert>
#include <iterator>
#include <utility>

namespace varnolt::testing {
namespace {

// Dates the bars one calendar day apart and shows them as a loaded chart.
DataSet Daily(std::vector<Bar> bars, int first_shown, DayNumber first_day) {
  DataSet data;
  for (size_t i = 0; i < bars.size(); ++i) {
    bars[i].date = DayToCompactInt(first_day + static_cast<DayNumber>(i));
    data.bars.Append(bars[i]);
  }
  data.first_shown = first_shown;
  data.loaded = data.chart_shown = true;
  return data;
}

void SetLeftovers(ScreeningEntry& entry, std::initializer_list<float> leftovers) {
  float ScreeningEntry::*const slots[] = {&ScreeningEntry::s1, &ScreeningEntry::s2,
                                          &ScreeningEntry::s3, &ScreeningEntry::s4,
                                          &ScreeningEntry::s5};
  assert(leftovers.size() <= std::size(slots));
  size_t slot = 0;
  for (const float value : leftovers) entry.*slots[slot++] = value;
}

}  // namespace

DataSet DataOf(const std::vector<int32_t>& closes, int first_shown) {
  DataSet data;
  for (size_t i = 0; i < closes.size(); ++i) {
    Bar bar;
    bar.date = 20240101 + static_cast<int32_t>(i);
    bar.open = bar.high = bar.low = bar.close = closes[i];
    data.bars.Append(bar);
  }
  data.first_shown = first_shown;
  data.loaded = data.chart_shown = true;
  return data;
}

DataSet DailyDataOf(const std::vector<int32_t>& closes, int first_shown, DayNumber first_day,
                    int32_t volume) {
  std::vector<Bar> bars(closes.size());
  for (size_t i = 0; i < closes.size(); ++i) {
    bars[i].open = bars[i].high = bars[i].low = bars[i].close = closes[i];
    bars[i].volume = volume;
  }
  return Daily(std::move(bars), first_shown, first_day);
}

DataSet DailyDataOf(const std::vector<CloseVolume>& bars, int first_shown, DayNumber first_day) {
  std::vector<Bar> made(bars.size());
  for (size_t i = 0; i < bars.size(); ++i) {
    made[i].open = made[i].high = made[i].low = made[i].close = bars[i].close;
    made[i].volume = bars[i].volume;
  }
  return Daily(std::move(made), first_shown, first_day);
}

DataSet DailyDataOf(const std::vector<Hlc>& bars, int first_shown, DayNumber first_day) {
  std::vector<Bar> made(bars.size());
  for (size_t i = 0; i < bars.size(); ++i) {
    made[i].open = made[i].close = bars[i].close;
    made[i].high = bars[i].high;
    made[i].low = bars[i].low;
  }
  return Daily(std::move(made), first_shown, first_day);
}

ScreeningSeries SeriesWithLeftovers(const std::vector<int32_t>& closes,
                                    std::initializer_list<float> leftovers) {
  ScreeningSeries series;
  for (size_t i = 0; i < closes.size(); ++i) {
    ScreeningEntry& entry = series[static_cast<int>(i) + 1];
    entry.open = entry.high = entry.low = entry.close = closes[i];
    SetLeftovers(entry, leftovers);
  }
  return series;
}

ScreeningSeries SeriesWithLeftovers(const std::vector<Hlc>& bars,
                                    std::initializer_list<float> leftovers) {
  ScreeningSeries series;
  for (size_t i = 0; i < bars.size(); ++i) {
    ScreeningEntry& entry = series[static_cast<int>(i) + 1];
    entry.open = entry.close = bars[i].close;
    entry.high = bars[i].high;
    entry.low = bars[i].low;
    SetLeftovers(entry, leftovers);
  }
  return series;
}

std::vector<int32_t> ClampedWalk(std::mt19937& random, std::uniform_int_distribution<int32_t>& move,
                                 int32_t first, int count, int32_t low, int32_t high) {
  std::vector<int32_t> closes = {first};
  for (int i = 1; i < count; ++i) {
    closes.push_back(std::clamp(closes.back() + move(random), low, high));
  }
  return closes;
}

PriceScale OneRowPerYen() {
  PriceScale scale;
  scale.upper = 1385;
  scale.lower = 1000;
  return scale;
}

void Drawn::Run(IndicatorDrawing drawing, const DataSet& data, const ControlValues& controls,
                const PriceScale& scale) {
  const IndicatorContext context{data, controls, canvas, 1, scale, statistics};
  message = drawing(context).message;
}

std::string LineText(const PixelPoint& from, const PixelPoint& to) {
  return "line " + std::to_string(from.x) + "," + std::to_string(from.y) + "-" +
         std::to_string(to.x) + "," + std::to_string(to.y);
}

std::vector<std::string> DrawnSegments(const RecordingCanvas& canvas, Color colour) {
  std::vector<std::string> segments;
  for (const RecordingCanvas::Call& call : canvas.Calls()) {
    if (call.text.starts_with("line ") && call.pen == colour && call.mode == PenMode::kNotXor &&
        call.style == PenStyle::kSolid) {
      segments.push_back(call.text);
    }
  }
  return segments;
}

}  // namespace varnolt::testing
