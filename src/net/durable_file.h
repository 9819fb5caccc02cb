#pragma once

#include <filesystem>
#include <string_view>

namespace varnolt {

// The temporary name a replacement is written under before it takes the file's place: the
// file's own name with ".part" appended, in the same folder, so the rename never crosses disks.
std::filesystem::path AsideName(const std::filesystem::path& path);

// Writes the bytes under the aside name, waits until they are on the disk, then renames them
// over the file and syncs the folder: after a crash the file is the old one or the new one,
// never a mixture. Throws FileError; the old file is untouched then.
void WriteFileDurably(const std::filesystem::path& path, std::string_view bytes);

// Puts an already written aside file in place of `path` the same way (sync, rename, folder sync).
// Throws FileError and removes the aside file when that fails.
void CommitAside(const std::filesystem::path& aside, const std::filesystem::path& path);

}  // namespace varnolt
