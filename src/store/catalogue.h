#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "base/text_file.h"

namespace varnolt {

// codedata.txt: records of three lines each (code, name, attributes), Shift_JIS with CR LF.
// Line 3k is the code line of record k.
Lines LoadCatalogue(const std::filesystem::path& program_folder);
// The same lines shared with other readers; parsed again only when the file has changed.
std::shared_ptr<const Lines> LoadCatalogueShared(const std::filesystem::path& program_folder);
void SaveCatalogue(const std::filesystem::path& program_folder, const Lines& lines);

// Index of the first line of the whole file that equals the code text (ignoring ASCII case);
// the name is the next line.
std::optional<size_t> FindRecordByCode(const Lines& lines, std::string_view code_text);

// Index of the code line of the first record whose name begins with the text.
std::optional<size_t> FindRecordByNamePrefix(const Lines& lines, std::string_view text);

}  // namespace varnolt
