#include "screening/condition_set_file.h"

#include "base/fields.h"
#include "base/numbers.h"
#include "store/catalogue.h"

namespace varnolt {

std::string StockSelection::Filter(const std::vector<std::string>& sectors) const {
  if (checked) return check_filter;
  return MarketSectorFilter(market_index, sector_index, sectors);
}

std::string SelectionLine(const StockSelection& selection) {
  const std::string head = std::string(kConditionSetMark) + ",";
  if (selection.checked) return head + "check," + selection.check_filter;
  return head + std::to_string(selection.sector_index) + "," +
         std::to_string(selection.market_index);
}

std::optional<ConditionSet> ParseConditionSet(const Lines& lines) {
  bool marked = false;
  for (const std::string& line : lines)
    marked = marked || line.find(kConditionSetMark) != std::string::npos;
  if (!marked) return std::nullopt;

  ConditionSet set;
  std::string rest = lines.front();
  SplitField(rest, ",");
  const std::string second = SplitField(rest, ",");
  if (second.find("check") != std::string::npos) {
    // The rest of the line: a group name may hold a comma of its own.
    set.selection.checked = true;
    set.selection.check_filter = rest;
  } else {
    set.selection.sector_index = ToInt(second);
    set.selection.market_index = ToInt(SplitField(rest, ","));
  }
  set.conditions.assign(lines.begin() + 1, lines.end());
  return set;
}

std::optional<ConditionSet> ReadConditionSetFile(const std::filesystem::path& path) {
  return ParseConditionSet(ReadLines(path));
}

void WriteConditionSetFile(const std::filesystem::path& path, const ConditionSet& set) {
  Lines lines{SelectionLine(set.selection)};
  lines.insert(lines.end(), set.conditions.begin(), set.conditions.end());
  WriteLines(path, lines);
}

}  // namespace varnolt
