#include "net/file_stamp.h"

#include <sys/stat.h>

namespace varnolt {

uint32_t PackedStamp(const std::tm& local) {
  // Dates before 1980 have no packed form: they take the earliest one.
  const int year = local.tm_year + 1900 < 1980 ? 0 : local.tm_year + 1900 - 1980;
  return (static_cast<uint32_t>(year & 0x7F) << 25) |
         (static_cast<uint32_t>(local.tm_mon + 1) << 21) |
         (static_cast<uint32_t>(local.tm_mday) << 16) |
         (static_cast<uint32_t>(local.tm_hour) << 11) | (static_cast<uint32_t>(local.tm_min) << 5) |
         static_cast<uint32_t>(local.tm_sec / 2);
}

std::optional<uint32_t> FileStamp(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  std::tm local{};
  localtime_r(&info.st_mtime, &local);
  return PackedStamp(local);
}

}  // namespace varnolt
