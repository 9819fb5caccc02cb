#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnolt {

using Lines = std::vector<std::string>;

// A text as lines: CR LF, LF and lone CR all end a line; a final line end adds no empty line.
Lines SplitLines(std::string_view text);
// Lines joined with CR LF after each one, as the program writes every text.
std::string JoinLines(const Lines& lines);

// Whole text files in Shift_JIS with CR LF on disk, UTF-8 lines in memory. Reading a file that
// cannot be opened throws FileError; ReadLinesIfPresent gives nothing for a missing file.
Lines ReadLines(const std::filesystem::path& path);
std::optional<Lines> ReadLinesIfPresent(const std::filesystem::path& path);
void WriteLines(const std::filesystem::path& path, const Lines& lines);

// Raw bytes of a whole file; throws FileError when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);
// Replaces a file's contents through a temporary file, synced to disk and renamed over the old
// one, so that a reader never sees a half-written file and a crash leaves the old or the new.
void WriteBytesAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace varnolt
