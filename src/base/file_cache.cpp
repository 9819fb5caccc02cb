#include "base/file_cache.h"

#include <sys/stat.h>

namespace varnolt {

std::optional<FileStamp> StampOf(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return FileStamp{
      static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
      static_cast<int64_t>(info.st_size),
      static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
      static_cast<int64_t>(info.st_ctim.tv_sec) * 1'000'000'000 + info.st_ctim.tv_nsec};
}

}  // namespace varnolt
