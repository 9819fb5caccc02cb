#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_file.h"

namespace varnolt {

// codedata.txt: records of three lines each (code, name, attributes), Shift_JIS with CR LF.
// Line 3k is the code line of record k. The attribute line is "●" sector "●" "○" market "○",
// maybe more text, and at its end maybe the user's check part ("◎" or "◎" group "◎").
Lines LoadCatalogue(const std::filesystem::path& program_folder);
// The same lines shared with other readers; parsed again only when the file has changed.
std::shared_ptr<const Lines> LoadCatalogueShared(const std::filesystem::path& program_folder);
void SaveCatalogue(const std::filesystem::path& program_folder, const Lines& lines);

inline constexpr std::string_view kSectorMark = "●";
inline constexpr std::string_view kMarketMark = "○";
inline constexpr std::string_view kCheckMark = "◎";

// Index of the first line of the whole file that equals the code text (ignoring ASCII case);
// the name is the next line.
std::optional<size_t> FindRecordByCode(const Lines& lines, std::string_view code_text);
// Index of the code line of the first record whose name begins with the text.
std::optional<size_t> FindRecordByNamePrefix(const Lines& lines, std::string_view text);
// Code-line indexes of every record whose name contains the text, in file order.
std::vector<size_t> FindRecordsByNamePart(const Lines& lines, std::string_view text);

// Sector: between the first two ●. Market: between the first ○ and the next ○.
std::string SectorOf(std::string_view attributes);
std::string MarketOf(std::string_view attributes);
// Everything from the first ◎ to the end; empty when the record is not checked.
std::string CheckPartOf(std::string_view attributes);
// The group a check part names; empty for "◎" alone or "◎◎".
std::string CheckGroupOf(std::string_view check_part);

// "code : name" followed by the check part (group included), as every stock list shows it.
std::string ListItem(const Lines& lines, size_t code_line);
// The code taken back from a list item: the trimmed text before the first ":".
std::optional<int> CodeOfItem(std::string_view item);

// List items of the records whose attribute line contains the filter text (all for "").
std::vector<std::string> ListRecords(const Lines& lines, std::string_view filter);

// The fixed market list; index 0 means every market.
const std::vector<std::string>& MarketFilterList();
// "全業種" and then each sector in order of first appearance.
std::vector<std::string> SectorFilterList(const Lines& lines);
// "全チェック銘柄" and then each check group in order of first appearance.
std::vector<std::string> CheckGroupList(const Lines& lines);

// Filter text for a market index and a sector name (index 0 of each: no filter). The market
// "東証" matches every market whose name begins with it; any other market must match whole.
std::string MarketSectorFilter(int market_index, int sector_index,
                               const std::vector<std::string>& sectors);
// "◎" for every checked stock, else "◎" + group + "◎".
std::string CheckedFilter(std::string_view group);

// Carries the check parts of the old catalogue into a newly fetched one. Nothing when the
// fetched text is empty or an HTML error page: the local catalogue then stays as it is.
std::optional<Lines> MergeCheckParts(const std::optional<Lines>& old_lines,
                                     std::string_view new_text);

}  // namespace varnolt
