#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace varnolt {

// What an item of the command record replays. A kind read from a record is kept as it was
// written, so a replay can name a kind it does not know.
enum class RecordKind {
  kPriceChart = 1,  // the display command of the basic settings page
  kSkipped = 2,     // an item with two extra fields, passed over
  kTrend = 3,       // the trend command
  kOscillator = 4,  // the oscillator command
};

// One item of a data set's command record: kind, list item, first and last region.
struct RecordItem {
  RecordKind kind = RecordKind::kPriceChart;
  int item = 0;  // chart type code for price charts, list index for trends and oscillators
  std::string from;
  std::string to;
};

// "kind,item,from,to," as the display commands append it.
std::string RecordText(const RecordItem& item);

// Runs `run` for each item of a record line in order, as the auto display replays a pattern,
// until `run` returns false. Skipped items are not run. A kind or item that is not a whole
// number throws ConversionError; the items run before it stay done.
void ReplayRecord(std::string_view line, const std::function<bool(const RecordItem&)>& run);

}  // namespace varnolt
