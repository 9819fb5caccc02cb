#include "store/memo_file.h"

#include <algorithm>
#include <vector>

#include "base/fields.h"

namespace varnolt {
namespace {

constexpr std::string_view kStart = "start_";
constexpr std::string_view kEnd = "end_";

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// The key of a line that opens a block ("start_" in any letter case), or nothing.
std::optional<std::string_view> StartKey(std::string_view line) {
  if (line.size() <= kStart.size() ||
      !EqualsIgnoringAsciiCase(line.substr(0, kStart.size()), kStart))
    return std::nullopt;
  return line.substr(kStart.size());
}

struct Block {
  std::string_view key;  // as its start line writes it
  size_t start = 0;      // the start line
  size_t text_end = 0;   // one past the memo's last line
  size_t end = 0;        // one past the block's last line
};

// The blocks of a file, read from the top: a block runs from its start line to the next line
// that is exactly "end_" + its own key, and what lies inside it is memo text even when it looks
// like a start line. A block whose end line is missing (a damaged file) runs up to the next
// start line or the end of the file, so that it never swallows the blocks after it. Lines
// outside every block are left alone.
std::vector<Block> ReadBlocks(const Lines& file) {
  std::vector<Block> blocks;
  size_t i = 0;
  while (i < file.size()) {
    const auto key = StartKey(file[i]);
    if (!key) {
      ++i;
      continue;
    }
    Block block{*key, i, file.size(), file.size()};
    const std::string end_line = std::string(kEnd) + std::string(*key);
    const auto end = std::find(file.begin() + static_cast<ptrdiff_t>(i) + 1, file.end(), end_line);
    if (end != file.end()) {
      block.text_end = static_cast<size_t>(end - file.begin());
      block.end = block.text_end + 1;
    } else {
      size_t next = i + 1;
      while (next < file.size() && !StartKey(file[next])) ++next;
      block.text_end = block.end = next;
    }
    blocks.push_back(block);
    i = block.end;
  }
  return blocks;
}

size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

std::string MemoKey(std::string_view item) {
  return std::string(TrimText(item.substr(0, item.find(':'))));
}

std::optional<std::filesystem::path> MemoFilePath(const ProgramFolder& folder,
                                                  std::string_view key) {
  if (key.empty()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(key[0]);
  // A separator or a control character would lead the name out of the data folder or make it
  // one that cannot be created.
  if (lead < 0x20 || lead == 0x7F || lead == '/' || lead == '\\') return std::nullopt;
  const std::string_view first = key.substr(0, std::min(Utf8Length(lead), key.size()));
  return folder.DataDir() / Utf8Path("memo_" + std::string(first) + ".txt");
}

Lines MemoOf(const Lines& file, std::string_view key) {
  for (const Block& block : ReadBlocks(file)) {
    if (EqualsIgnoringAsciiCase(block.key, key)) {
      return Lines(file.begin() + static_cast<ptrdiff_t>(block.start) + 1,
                   file.begin() + static_cast<ptrdiff_t>(block.text_end));
    }
  }
  return {};
}

Lines WithMemo(const Lines& file, std::string_view key, const Lines& memo) {
  // Every block of the key goes, so that the one appended is the one found next time.
  Lines kept;
  size_t next = 0;
  for (const Block& block : ReadBlocks(file)) {
    if (!EqualsIgnoringAsciiCase(block.key, key)) continue;
    kept.insert(kept.end(), file.begin() + static_cast<ptrdiff_t>(next),
                file.begin() + static_cast<ptrdiff_t>(block.start));
    next = block.end;
  }
  kept.insert(kept.end(), file.begin() + static_cast<ptrdiff_t>(next), file.end());
  kept.push_back(std::string(kStart) + std::string(key));
  kept.insert(kept.end(), memo.begin(), memo.end());
  kept.push_back(std::string(kEnd) + std::string(key));
  return kept;
}

Lines LoadMemo(const ProgramFolder& folder, std::string_view item) {
  const std::string key = MemoKey(item);
  const auto path = MemoFilePath(folder, key);
  if (!path) return {};
  const auto file = ReadLinesIfPresent(*path);
  return file ? MemoOf(*file, key) : Lines{};
}

void SaveMemo(const ProgramFolder& folder, std::string_view item, const Lines& memo) {
  const std::string key = MemoKey(item);
  const auto path = MemoFilePath(folder, key);
  if (!path) return;
  folder.EnsureDataDir();
  WriteLines(*path, WithMemo(ReadLinesIfPresent(*path).value_or(Lines{}), key, memo));
}

}  // namespace varnolt
