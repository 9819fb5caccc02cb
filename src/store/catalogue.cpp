#include "store/catalogue.h"

#include "base/file_cache.h"
#include "base/program_folder.h"

namespace varnolt {
namespace {

constexpr std::string_view kCatalogueName = "codedata.txt";

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
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

}  // namespace varnolt
