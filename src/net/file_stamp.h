#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>

namespace varnolt {

// A file stamp: the local date and time of a file's last change packed as MS-DOS does (year
// since 1980 in bits 25-31, month 21-24, day 16-20, hour 11-15, minute 5-10, seconds / 2 in
// 0-4), kept and compared as a whole number.
uint32_t PackedStamp(const std::tm& local);
// The stamp of a file's modification time; nothing when the file is absent.
std::optional<uint32_t> FileStamp(const std::filesystem::path& path);

}  // namespace varnolt
