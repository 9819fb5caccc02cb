#include "analysis/forecast.h"

#include <cstdio>

#include "base/messages.h"
#include "base/numbers.h"

namespace varnolt {
namespace {

constexpr std::string_view kForecastMark = "予測";

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string ListLine(const std::string& date, std::string_view typed, double value,
                     int data_number) {
  if (data_number == 2) {
    const std::string v = FormatShortest(value);
    return date + " , " + v + " , " + v + " , " + v + " , " + v + " , 予測値";
  }
  const std::string v(typed);
  char line[200];
  std::snprintf(line, sizeof line, "%8s , %9s , %9s , %9s , %9s (予測値)", date.c_str(), v.c_str(),
                v.c_str(), v.c_str(), v.c_str());
  return line;
}

}  // namespace

std::string RemoveForecasts(ForecastTable& table) {
  std::string removed;
  while (!table.lines.empty() && table.bars.Count() > 0 &&
         table.lines.back().find(kForecastMark) != std::string::npos) {
    table.lines.pop_back();
    const std::string close = std::to_string(table.bars[table.bars.Count()].close);
    removed = removed.empty() ? close : close + "," + removed;
    table.bars.RemoveLast();
  }
  return removed;
}

std::string AppendForecasts(ForecastTable& table, std::string_view typed, DataUnit unit,
                            int data_number, const HolidayList& holidays) {
  struct Value {
    std::string_view text;
    double number;
  };
  std::vector<Value> values;
  if (!Trimmed(typed).empty()) {
    size_t start = 0;
    while (true) {
      const size_t comma = typed.find(',', start);
      const std::string_view piece = Trimmed(
          typed.substr(start, comma == std::string_view::npos ? typed.npos : comma - start));
      values.push_back({piece, ToDecimal(piece)});
      if (comma == std::string_view::npos) break;
      start = comma + 1;
    }
  }
  if (values.empty()) return {};
  if (table.bars.Count() == 0) return kSelectDataFirstMessage;
  if (table.bars.Count() + static_cast<int64_t>(values.size()) > kMaxBars) {
    return kTooManyForecastsMessage;
  }
  for (const Value& value : values) {
    const std::string date =
        NextBarDate(std::to_string(table.bars[table.bars.Count()].date), 1, unit, holidays);
    const int32_t price = RoundToInt32(static_cast<float>(value.number));
    Bar bar;
    bar.date = ToInt(date);
    bar.open = bar.high = bar.low = bar.close = price;
    table.bars.Append(bar);
    table.lines.push_back(ListLine(date, value.text, value.number, data_number));
  }
  return {};
}

}  // namespace varnolt
