#include "chart/command_record.h"

#include "base/fields.h"
#include "base/numbers.h"

namespace varnolt {

std::string RecordText(const RecordItem& item) {
  return std::to_string(static_cast<int>(item.kind)) + "," + std::to_string(item.item) + "," +
         item.from + "," + item.to + ",";
}

void ReplayRecord(std::string_view line, const std::function<bool(const RecordItem&)>& run) {
  std::string rest(line);
  while (!rest.empty()) {
    RecordItem item;
    item.kind = static_cast<RecordKind>(ToInt(SplitField(rest, ",")));
    item.item = ToInt(SplitField(rest, ","));
    item.from = SplitField(rest, ",");
    item.to = SplitField(rest, ",");
    if (item.kind == RecordKind::kSkipped) {
      SplitField(rest, ",");
      SplitField(rest, ",");
      continue;
    }
    if (!run(item)) return;
  }
}

}  // namespace varnolt
