#include "net/durable_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/file_error.h"

namespace varnolt {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const char* what) {
  throw FileError("ファイル " + DisplayName(path) + " " + what + ": " + std::strerror(errno));
}

void SyncPath(const std::filesystem::path& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) Fail(path, "を開けません");
  const int result = ::fsync(fd);
  ::close(fd);
  if (result != 0) Fail(path, "を書き終えられません");
}

}  // namespace

std::filesystem::path AsideName(const std::filesystem::path& path) {
  std::filesystem::path aside = path;
  aside += ".part";
  return aside;
}

void WriteFileDurably(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path aside = AsideName(path);
  const int fd = ::open(aside.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) Fail(path, "を作れません");
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      std::error_code ignored;
      std::filesystem::remove(aside, ignored);
      Fail(path, "に書き込めません");
    }
    written += static_cast<size_t>(n);
  }
  ::close(fd);
  CommitAside(aside, path);
}

void CommitAside(const std::filesystem::path& aside, const std::filesystem::path& path) {
  std::error_code error;
  try {
    SyncPath(aside, O_RDONLY);
  } catch (const FileError&) {
    std::filesystem::remove(aside, error);
    throw;
  }
  std::filesystem::rename(aside, path, error);
  if (error) {
    std::filesystem::remove(aside, error);
    throw FileError("ファイル " + DisplayName(path) + " を置き換えられません");
  }
  const std::filesystem::path folder =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  SyncPath(folder, O_RDONLY | O_DIRECTORY);
}

}  // namespace varnolt
