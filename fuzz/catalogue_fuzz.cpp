// Arbitrary bytes as catalogue text. The bytes before the first NUL are the local catalogue, the
// bytes after it the newly fetched one (without a NUL both are the whole input). Every catalogue
// operation must work on any text; the checks below are the rules every result must keep.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_codec.h"
#include "base/text_file.h"
#include "store/catalogue.h"

using namespace varnolt;

namespace {

[[noreturn]] void Finding(const std::string& what) {
  std::fprintf(stderr, "catalogue_fuzz: %s\n", what.c_str());
  std::abort();
}

void Require(bool ok, const char* what) {
  if (!ok) Finding(what);
}

void CheckLists(const Lines& lines) {
  const size_t records = lines.size() / 3;
  const auto all = ListRecords(lines, "");
  Require(all.size() == records, "ListRecords(\"\") must list every record");
  for (size_t k = 0; k < records; ++k) {
    Require(all[k].starts_with(lines[3 * k] + " : " + lines[3 * k + 1]),
            "item starts with code : name");
    (void)CodeOfItem(all[k]);
  }

  const auto sectors = SectorFilterList(lines);
  Require(!sectors.empty() && sectors[0] == "全業種", "sector list starts with 全業種");
  const int markets = static_cast<int>(MarketFilterList().size());
  const int sector_count = static_cast<int>(sectors.size());
  for (int m = 0; m <= markets; ++m) {
    for (int s : {0, 1, sector_count - 1, sector_count}) {
      const auto listed = ListRecords(lines, MarketSectorFilter(m, s, sectors));
      Require(listed.size() <= records, "a filter lists no more than every record");
    }
  }

  const auto groups = CheckGroupList(lines);
  Require(!groups.empty() && groups[0] == "全チェック銘柄",
          "group list starts with 全チェック銘柄");
  const size_t checked = ListRecords(lines, CheckedFilter(groups[0])).size();
  for (const auto& group : groups) {
    Require(ListRecords(lines, CheckedFilter(group)).size() <= checked, "a group is checked");
  }

  for (size_t k = 0; k < records; ++k) {
    const std::string& name = lines[3 * k + 1];
    const std::string prefix = name.substr(0, name.size() / 2);
    const auto found = FindRecordByNamePrefix(lines, prefix);
    Require(found && *found <= 3 * k && *found % 3 == 0, "a name's prefix finds a record");
    Require(lines[*found + 1].starts_with(prefix), "the found name begins with the prefix");
    for (size_t at : FindRecordsByNamePart(lines, name)) {
      Require(at + 1 < lines.size() && lines[at + 1].find(name) != std::string::npos, "name part");
    }
    const auto code_line = FindRecordByCode(lines, lines[3 * k]);
    Require(code_line && *code_line <= 3 * k, "a code line is found");
  }
}

void CheckMerge(const std::optional<Lines>& old_lines, const std::string& new_text) {
  const auto merged = MergeCheckParts(old_lines, new_text);
  const bool page = new_text.find("<html") != std::string::npos ||
                    new_text.find("<HTML") != std::string::npos ||
                    new_text.find("<Html") != std::string::npos;
  Require(merged.has_value() == (!new_text.empty() && !page), "merge accepts non-empty non-pages");
  if (!merged) return;
  const Lines fresh = SplitLines(new_text);
  Require(merged->size() == fresh.size(), "merge keeps the new catalogue's lines");
  for (size_t i = 0; i < fresh.size(); ++i) {
    Require((*merged)[i].starts_with(fresh[i]), "merge only appends check parts");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto nul = bytes.find('\0');
  const std::string old_text = SjisToUtf8(bytes.substr(0, nul));
  const std::string new_text =
      nul == std::string_view::npos ? old_text : SjisToUtf8(bytes.substr(nul + 1));

  const Lines lines = SplitLines(old_text);
  CheckLists(lines);
  CheckMerge(lines, new_text);
  CheckMerge(std::nullopt, new_text);
  return 0;
}
