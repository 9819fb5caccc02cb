#include "screening/stock_browser.h"

#include <algorithm>

#include "base/fields.h"
#include "base/numbers.h"
#include "series/latest_price.h"
#include "store/catalogue.h"
#include "store/financial_data.h"

namespace varnolt {
namespace {

constexpr std::string_view kAllChecked = "全チェック銘柄";

// The attribute line of the item's record. Only code lines are compared, so that a name that
// happens to read like a code never has the line after it rewritten.
std::optional<size_t> AttributeLineOf(const Lines& catalogue, std::string_view item) {
  const std::string code(TrimText(item.substr(0, item.find(':'))));
  if (code.empty()) return std::nullopt;
  for (size_t i = 0; i + 2 < catalogue.size(); i += 3) {
    if (catalogue[i] == code) return i + 2;
  }
  return std::nullopt;
}

void RemoveCheckPart(std::string& attributes) {
  const auto at = attributes.find(kCheckMark);
  if (at != std::string::npos) attributes.erase(at);
}

}  // namespace

std::string GroupOfBoxText(std::string_view box_text) {
  if (box_text.empty() || box_text == kAllChecked) return {};
  return std::string(box_text);
}

std::string CheckPartFor(std::string_view group) {
  if (group.empty()) return std::string(kCheckMark);
  return std::string(kCheckMark) + std::string(group) + std::string(kCheckMark);
}

std::string CheckListFilter(std::string_view box_text) {
  return CheckPartFor(GroupOfBoxText(box_text));
}

bool ItemChecked(std::string_view item) {
  return item.find(kCheckMark) != std::string_view::npos;
}

std::string ItemWithoutCheck(std::string_view item) {
  return std::string(item.substr(0, item.find(kCheckMark)));
}

std::string NameOfItem(std::string_view item) {
  const auto colon = item.find(':');
  if (colon == std::string_view::npos) return {};
  const std::string rest = ItemWithoutCheck(item.substr(colon + 1));
  return std::string(TrimText(rest));
}

std::vector<std::string> SearchStocks(const Lines& catalogue, std::string_view text) {
  std::vector<size_t> found;
  if (ParseInt(text)) {
    const auto line = FindRecordByCode(catalogue, text);
    if (line && *line % 3 == 0 && *line + 2 < catalogue.size()) found.push_back(*line);
  } else {
    found = FindRecordsByNamePart(catalogue, text);
  }
  std::vector<std::string> items;
  for (size_t line : found) {
    if (line + 2 >= catalogue.size()) continue;
    std::string item = catalogue[line] + " : " + catalogue[line + 1];
    if (catalogue[line + 2].find(kCheckMark) != std::string::npos) item += kCheckMark;
    items.push_back(std::move(item));
  }
  return items;
}

std::string ToggleCheck(Lines& catalogue, std::string_view item, std::string_view group) {
  const auto line = AttributeLineOf(catalogue, item);
  if (!line) return std::string(item);
  std::string& attributes = catalogue[*line];
  RemoveCheckPart(attributes);
  if (ItemChecked(item)) return ItemWithoutCheck(item);
  // A line holds one check part at most, even when the list showed the record unchecked.
  attributes += CheckPartFor(group);
  return ItemWithoutCheck(item) + CheckPartFor(group);
}

std::vector<std::string> ClearChecks(Lines& catalogue, const std::vector<std::string>& items) {
  std::vector<std::string> cleared;
  for (const std::string& item : items) {
    if (const auto line = AttributeLineOf(catalogue, item)) RemoveCheckPart(catalogue[*line]);
    cleared.push_back(ItemWithoutCheck(item));
  }
  return cleared;
}

std::vector<std::string> CheckAll(Lines& catalogue, const std::vector<std::string>& items,
                                  std::string_view group) {
  const std::string part = CheckPartFor(group);
  std::vector<std::string> checked;
  for (const std::string& item : items) {
    const auto line = AttributeLineOf(catalogue, item);
    if (!line) {
      checked.push_back(item);
      continue;
    }
    RemoveCheckPart(catalogue[*line]);
    catalogue[*line] += part;
    checked.push_back(ItemWithoutCheck(item) + part);
  }
  return checked;
}

std::vector<std::string> UpdateGroupList(const std::vector<std::string>& shown,
                                         const Lines& catalogue, std::string_view new_group) {
  const std::vector<std::string> in_use = CheckGroupList(catalogue);
  std::vector<std::string> groups = {std::string(kAllChecked)};
  for (size_t i = 1; i < shown.size(); ++i) {
    if (std::find(in_use.begin() + 1, in_use.end(), shown[i]) != in_use.end())
      groups.push_back(shown[i]);
  }
  if (!new_group.empty() && std::find(groups.begin(), groups.end(), new_group) == groups.end())
    groups.emplace_back(new_group);
  return groups;
}

StockDetails DetailsOfItem(const Lines& catalogue, std::string_view item,
                           const ProgramFolder& folder, DayNumber today) {
  StockDetails details;
  details.code = std::string(TrimText(item.substr(0, item.find(':'))));
  if (const auto line = AttributeLineOf(catalogue, item)) {
    details.market = MarketOf(catalogue[*line]);
    details.sector = SectorOf(catalogue[*line]);
  }
  const std::optional<int> code = CodeOfItem(item);
  const LatestQuote quote = code ? LatestPrice(folder, *code, today, today) : LatestQuote{};
  details.close = std::to_string(quote.close) + "円";
  details.volume = std::to_string(quote.volume) + "株";

  const auto record = code ? ReadFinancialRecordOrNone(folder.DataDir(), *code) : std::nullopt;
  if (!record) {
    details.per = details.pbr = details.roe = details.roa = "-";
    details.yield = details.unit_shares = "-";
    return details;
  }
  const auto figures = FinancialFigures(quote.close, *record);
  details.per = FormatFigure(figures[0]);
  details.pbr = FormatFigure(figures[1]);
  details.roe = FormatFigure(figures[2]);
  details.roa = FormatFigure(figures[3]);
  details.yield = FormatFigure(figures[4]) + "%";
  details.unit_shares = FormatFigure(figures[5]) + "株";
  return details;
}

}  // namespace varnolt
