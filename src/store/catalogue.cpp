#include "store/catalogue.h"

#include <algorithm>

#include "base/fields.h"
#include "base/file_cache.h"
#include "base/numbers.h"
#include "base/program_folder.h"

namespace varnolt {
namespace {

constexpr std::string_view kCatalogueName = "codedata.txt";
constexpr std::string_view kAllSectors = "全業種";
constexpr std::string_view kAllChecked = "全チェック銘柄";

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The text between the first `mark` at or after `from` and the next one; empty when either is
// missing.
std::string Between(std::string_view text, std::string_view mark, size_t from = 0) {
  const auto open = text.find(mark, from);
  if (open == std::string_view::npos) return {};
  const auto start = open + mark.size();
  const auto close = text.find(mark, start);
  if (close == std::string_view::npos) return {};
  return std::string(text.substr(start, close - start));
}

void AddOnce(std::vector<std::string>& list, std::string value) {
  if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(std::move(value));
}

// Calls visit(code line index) for every complete record.
template <typename Visit>
void ForEachRecord(const Lines& lines, Visit visit) {
  for (size_t i = 0; i + 2 < lines.size(); i += 3) visit(i);
}

}  // namespace

Lines LoadCatalogue(const std::filesystem::path& program_folder) {
  return ReadLines(program_folder / kCatalogueName);
}

std::shared_ptr<const Lines> LoadCatalogueShared(const std::filesystem::path& program_folder) {
  static FileCache<Lines> cache([](const std::filesystem::path& path) { return ReadLines(path); });
  const auto path = program_folder / kCatalogueName;
  if (auto lines = cache.Get(path)) return lines;
  return std::make_shared<const Lines>(ReadLines(path));  // throws the file's error
}

void SaveCatalogue(const std::filesystem::path& program_folder, const Lines& lines) {
  WriteLines(program_folder / kCatalogueName, lines);
}

std::optional<size_t> FindRecordByCode(const Lines& lines, std::string_view code_text) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (EqualsIgnoringAsciiCase(lines[i], code_text)) return i;
  }
  return std::nullopt;
}

std::optional<size_t> FindRecordByNamePrefix(const Lines& lines, std::string_view text) {
  for (size_t i = 1; i < lines.size(); i += 3) {
    if (lines[i].starts_with(text)) return i - 1;
  }
  return std::nullopt;
}

std::vector<size_t> FindRecordsByNamePart(const Lines& lines, std::string_view text) {
  std::vector<size_t> found;
  for (size_t i = 1; i < lines.size(); i += 3) {
    if (lines[i].find(text) != std::string::npos) found.push_back(i - 1);
  }
  return found;
}

std::string SectorOf(std::string_view attributes) {
  return Between(attributes, kSectorMark);
}

std::string MarketOf(std::string_view attributes) {
  return Between(attributes, kMarketMark);
}

std::string CheckPartOf(std::string_view attributes) {
  const auto at = attributes.find(kCheckMark);
  return at == std::string_view::npos ? std::string() : std::string(attributes.substr(at));
}

std::string CheckGroupOf(std::string_view check_part) {
  if (!check_part.starts_with(kCheckMark)) return {};
  check_part.remove_prefix(kCheckMark.size());
  if (check_part.ends_with(kCheckMark)) check_part.remove_suffix(kCheckMark.size());
  return std::string(check_part);
}

std::string ListItem(const Lines& lines, size_t code_line) {
  return lines[code_line] + " : " + lines[code_line + 1] + CheckPartOf(lines[code_line + 2]);
}

std::optional<int> CodeOfItem(std::string_view item) {
  const auto colon = item.find(':');
  const auto code = ParseInt(TrimText(item.substr(0, colon)));
  if (!code) return std::nullopt;
  return *code;
}

std::vector<std::string> ListRecords(const Lines& lines, std::string_view filter) {
  std::vector<std::string> items;
  ForEachRecord(lines, [&](size_t i) {
    if (lines[i + 2].find(filter) != std::string::npos) items.push_back(ListItem(lines, i));
  });
  return items;
}

const std::vector<std::string>& MarketFilterList() {
  static const std::vector<std::string> kMarkets = {
      "全市場", "東証", "東証一部", "東証二部", "東証ﾏｻﾞｰｽﾞ", "東証投信",
      "大証",   "名証", "JASDAQ",   "札証",     "福証",       "ヘラクレス"};
  return kMarkets;
}

std::vector<std::string> SectorFilterList(const Lines& lines) {
  std::vector<std::string> sectors = {std::string(kAllSectors)};
  ForEachRecord(lines, [&](size_t i) { AddOnce(sectors, SectorOf(lines[i + 2])); });
  return sectors;
}

std::vector<std::string> CheckGroupList(const Lines& lines) {
  std::vector<std::string> groups = {std::string(kAllChecked)};
  ForEachRecord(lines, [&](size_t i) {
    const std::string group = CheckGroupOf(CheckPartOf(lines[i + 2]));
    if (!group.empty()) AddOnce(groups, group);
  });
  return groups;
}

std::string MarketSectorFilter(int market_index, int sector_index,
                               const std::vector<std::string>& sectors) {
  std::string filter;
  if (sector_index > 0 && sector_index < static_cast<int>(sectors.size())) {
    filter = std::string(kSectorMark) + sectors[sector_index] + std::string(kSectorMark);
  }
  const auto& markets = MarketFilterList();
  if (market_index > 0 && market_index < static_cast<int>(markets.size())) {
    filter += std::string(kMarketMark) + markets[market_index];
    if (market_index > 1) filter += kMarketMark;
  }
  return filter;
}

std::string CheckedFilter(std::string_view group) {
  if (group == kAllChecked) return std::string(kCheckMark);
  return std::string(kCheckMark) + std::string(group) + std::string(kCheckMark);
}

std::optional<Lines> MergeCheckParts(const std::optional<Lines>& old_lines,
                                     std::string_view new_text) {
  if (new_text.empty()) return std::nullopt;
  for (std::string_view page : {"<html", "<HTML", "<Html"}) {
    if (new_text.find(page) != std::string_view::npos) return std::nullopt;
  }
  Lines merged = SplitLines(new_text);
  if (!old_lines) return merged;
  const Lines& old = *old_lines;
  ForEachRecord(old, [&](size_t i) {
    const std::string check = CheckPartOf(old[i + 2]);
    if (check.empty()) return;
    const auto found = FindRecordByCode(merged, old[i]);
    if (found && *found + 2 < merged.size()) merged[*found + 2] += check;
  });
  return merged;
}

}  // namespace varnolt
