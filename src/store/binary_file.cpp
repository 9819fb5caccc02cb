#include "store/binary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/file_error.h"
#include "base/messages.h"

namespace varnolt {

BinaryFile::BinaryFile(const std::filesystem::path& path, Mode mode) : path_(path) {
  int flags = O_CLOEXEC;
  switch (mode) {
    case Mode::kRead:
      flags |= O_RDONLY;
      break;
    case Mode::kReadWrite:
      flags |= O_RDWR;
      break;
    case Mode::kCreateNew:
      flags |= O_RDWR | O_CREAT | O_EXCL;
      break;
  }
  fd_ = ::open(path.c_str(), flags, 0644);
  if (fd_ < 0) Fail(kCannotOpen);
}

BinaryFile::~BinaryFile() {
  if (fd_ >= 0) ::close(fd_);
}

void BinaryFile::Fail(const std::string& what) const {
  std::string message = FileMessage(DisplayName(path_), what);
  if (errno != 0) message += std::string(": ") + std::strerror(errno);
  throw FileError(message);
}

uint64_t BinaryFile::Size() const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) Fail(kSizeUnknown);
  return static_cast<uint64_t>(info.st_size);
}

void BinaryFile::ReadAt(uint64_t offset, std::span<unsigned char> bytes) const {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(kCannotRead);
    if (n == 0) {
      errno = 0;
      Fail(kEndsEarly);
    }
    done += static_cast<size_t>(n);
  }
}

void BinaryFile::WriteAt(uint64_t offset, std::span<const unsigned char> bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail(kCannotWrite);
    done += static_cast<size_t>(n);
  }
}

void BinaryFile::Sync() {
  if (::fdatasync(fd_) != 0) Fail(kCannotWrite);
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

uint16_t Load16(const unsigned char* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void Store16(uint16_t value, unsigned char* p) {
  p[0] = static_cast<unsigned char>(value);
  p[1] = static_cast<unsigned char>(value >> 8);
}

}  // namespace varnolt
