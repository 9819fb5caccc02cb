#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

namespace varnolt {

// Largest decompressed sizes the program accepts from the server. A year price file can never
// be larger than a full directory and 10000 slots; finance.dat has at most 65535 records of 24
// bytes behind its index; CSV transfer files get a generous fixed cap.
inline constexpr uint64_t kYearFileLimit = 20002 + uint64_t{8760} * 10000;
inline constexpr uint64_t kFinanceFileLimit = 20002 + uint64_t{24} * 65535;
inline constexpr uint64_t kCsvTransferLimit = uint64_t{256} << 20;

// The zlib stream (fastest level) of the source in the target, created anew; false on failure.
bool CompressFile(const std::filesystem::path& source, const std::filesystem::path& target);

// The decompressed content of the source's zlib stream in the target. False, and no target
// left, when the stream is corrupt or truncated, has bytes after its end, or would yield more
// than `limit` bytes.
bool DecompressFile(const std::filesystem::path& source, const std::filesystem::path& target,
                    uint64_t limit);

// Joins the parts "BASE_1.REST" … "BASE_n.REST" of the target "BASE.REST" (BASE up to the
// first "." of the file name) into the target and deletes them. False when a part is missing or
// cannot be read: the target is not made then and the parts stay.
bool JoinParts(const std::filesystem::path& target, int parts);

// A check of a file written aside before it replaces the real one; throws or returns false when
// the file must not be used.
using FileCheck = std::function<bool(const std::filesystem::path&)>;

// Decompresses the source into the aside name of `target`, checks it, and only then renames it
// into place (durably). False, with `target` untouched and no aside file left, on any failure.
bool InstallDecompressed(const std::filesystem::path& source, const std::filesystem::path& target,
                         uint64_t limit, const FileCheck& check);

// The check for a year price file: its directory agrees with its size exactly and no slot is
// shared by two codes.
bool IsWellFormedYearFile(const std::filesystem::path& path);

}  // namespace varnolt
