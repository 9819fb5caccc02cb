#pragma once

#include <filesystem>
#include <string>

namespace varnolt::testing {

// A fresh folder under the system's temporary directory, removed with everything in it when
// the object goes out of scope.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace varnolt::testing
