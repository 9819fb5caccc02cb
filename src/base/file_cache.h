#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace varnolt {

// Identity of a file's current contents: replacing or rewriting the file changes it.
struct FileStamp {
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = -1;
  int64_t modified_ns = 0;
  int64_t changed_ns = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at the path; nothing when there is no file.
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

// Parsed contents of files that are read afresh on every command (the catalogue, the holiday
// list) but rarely change: the parse is redone only when the file's stamp changes, so every
// command still sees the file as it is on disk.
template <typename T>
class FileCache {
 public:
  using Parse = std::function<T(const std::filesystem::path&)>;
  explicit FileCache(Parse parse) : parse_(std::move(parse)) {}

  // The parsed file; nothing when the file does not exist.
  std::shared_ptr<const T> Get(const std::filesystem::path& path) {
    const auto stamp = StampOf(path);
    if (!stamp) return nullptr;
    std::lock_guard lock(mutex_);
    auto& entry = entries_[path];
    if (!entry.value || !(entry.stamp == *stamp)) {
      entry.value = std::make_shared<const T>(parse_(path));
      entry.stamp = *stamp;
    }
    return entry.value;
  }

 private:
  struct Entry {
    FileStamp stamp;
    std::shared_ptr<const T> value;
  };
  Parse parse_;
  std::mutex mutex_;
  std::map<std::filesystem::path, Entry> entries_;
};

}  // namespace varnolt
