#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace varnolt {

// One item of a data set's command record: kind, list item, first and last region.
struct RecordItem {
  int kind = 0;  // 1 price bars, 2 (skipped), 3 trend chart, 4 oscillator
  int item = 0;  // chart type code for kind 1, list index for kinds 3 and 4
  std::string from;
  std::string to;
};

// "kind,item,from,to," as the display commands append it.
std::string RecordText(const RecordItem& item);

// Runs `run` for each item of a record line in order, as the auto display replays a pattern.
// Items of kind 2 are skipped. A kind or item that is not a whole number throws
// ConversionError; the items run before it stay done.
void ReplayRecord(std::string_view line, const std::function<void(const RecordItem&)>& run);

}  // namespace varnolt
