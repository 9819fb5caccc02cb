#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/program_folder.h"
#include "base/text_file.h"

namespace varnolt {

// Free-text memos per stock, kept in ten small files "data/memo_" + first character of the
// code + ".txt". A file is a run of blocks: "start_" + key, the memo's lines, "end_" + key.
// Saving a memo moves its block to the end of its file.

// The key of a catalogue list item: the trimmed text before its first ":", or the whole item
// trimmed when it has none.
std::string MemoKey(std::string_view item);

// The memo file of a key; nothing for a key that names no file (empty, or beginning with a
// character that a file name cannot hold).
std::optional<std::filesystem::path> MemoFilePath(const ProgramFolder& folder,
                                                  std::string_view key);

// The memo of a key in a memo file's lines; empty when the file has no block for it.
Lines MemoOf(const Lines& file, std::string_view key);
// The file's lines with every block of the key removed and the memo's block appended.
Lines WithMemo(const Lines& file, std::string_view key, const Lines& memo);

// The memo of a list item's stock, read from its file (empty when there is none). Throws
// FileError when the file exists but cannot be read.
Lines LoadMemo(const ProgramFolder& folder, std::string_view item);
// Writes the memo of a list item's stock into its file, replacing the file as a whole so that
// an interrupted save leaves the other stocks' memos as they were. A key that names no file
// keeps no memo. Throws FileError when the file cannot be read or written.
void SaveMemo(const ProgramFolder& folder, std::string_view item, const Lines& memo);

}  // namespace varnolt
