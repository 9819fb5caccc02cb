#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/program_folder.h"
#include "base/text_file.h"
#include "series/calendar.h"

namespace varnolt {

// The stock lists of the browser window and the check marks it keeps in the catalogue. Items
// are catalogue list items ("code : name" + check part); the catalogue is codedata.txt's lines.

// The group a check-group box names: none for an empty text or "全チェック銘柄".
std::string GroupOfBoxText(std::string_view box_text);
// The check part of a group: "◎" for none, else "◎" + group + "◎".
std::string CheckPartFor(std::string_view group);
// The filter that lists the checked stocks of a check-group box's text.
std::string CheckListFilter(std::string_view box_text);

bool ItemChecked(std::string_view item);
// The item up to its first ◎: "code : name".
std::string ItemWithoutCheck(std::string_view item);
// The trimmed name of an item, without its check part.
std::string NameOfItem(std::string_view item);

// The name search: a whole number is taken as a code (at most one item), any other text lists
// every record whose name contains it. Checked records show a bare ◎, never the group.
std::vector<std::string> SearchStocks(const Lines& catalogue, std::string_view text);

// Toggles the check mark of the item's record: a checked item loses its check part, an
// unchecked one gets the group's check part (replacing any the record already has). Returns the
// item as the list shows it afterwards; the item unchanged when its code has no record.
std::string ToggleCheck(Lines& catalogue, std::string_view item, std::string_view group);
// Removes the check parts of the items' records; returns the items without check parts.
std::vector<std::string> ClearChecks(Lines& catalogue, const std::vector<std::string>& items);
// Gives every item's record the group's check part in place of any it had; returns the items
// with the new check part.
std::vector<std::string> CheckAll(Lines& catalogue, const std::vector<std::string>& items,
                                  std::string_view group);

// The check-group list kept in step with the catalogue: "全チェック銘柄" stays first, groups
// that no record names any more leave, and a new group joins at the end.
std::vector<std::string> UpdateGroupList(const std::vector<std::string>& shown,
                                         const Lines& catalogue, std::string_view new_group);

// What the browser shows for a selected stock, each text ready for its box.
struct StockDetails {
  std::string code, market, sector;
  std::string close, volume;                           // "1130円", "5000株"
  std::string per, pbr, roe, roa, yield, unit_shares;  // "-" each without a financial record
};
// The details of an item as of `today`. Market and sector are empty when the code has no
// record. Throws FileError when a year file cannot be read.
StockDetails DetailsOfItem(const Lines& catalogue, std::string_view item,
                           const ProgramFolder& folder, DayNumber today);

}  // namespace varnolt
