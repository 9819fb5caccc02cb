#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace varnolt {

// A file opened for one operation and closed when it goes out of scope. Every failure throws
// FileError naming the file.
class BinaryFile {
 public:
  enum class Mode { kRead, kReadWrite, kCreateNew };

  BinaryFile(const std::filesystem::path& path, Mode mode);
  ~BinaryFile();
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;

  uint64_t Size() const;
  // Reads exactly bytes.size() bytes; a short file is reported as damaged.
  void ReadAt(uint64_t offset, std::span<unsigned char> bytes) const;
  void WriteAt(uint64_t offset, std::span<const unsigned char> bytes);
  // Waits until what was written is on the disk, so that later writes cannot overtake it.
  void Sync();

  const std::filesystem::path& Path() const { return path_; }
  [[noreturn]] void Fail(const std::string& what) const;

 private:
  std::filesystem::path path_;
  int fd_ = -1;
};

bool FileExists(const std::filesystem::path& path);

uint16_t Load16(const unsigned char* p);
void Store16(uint16_t value, unsigned char* p);

}  // namespace varnolt
