#include "base/program_folder.h"

#include <cstdlib>

#include "base/file_error.h"
#include "base/messages.h"

namespace varnolt {

std::filesystem::path Utf8Path(std::string_view name) {
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

ProgramFolder ProgramFolder::FromEnvironment() {
  if (const char* home = std::getenv("VARNOLT_HOME"); home && *home) return ProgramFolder(home);
  const char* user_home = std::getenv("HOME");
  std::filesystem::path base = user_home && *user_home ? user_home : ".";
  return ProgramFolder(base / ".local" / "share" / "varnolt");
}

std::filesystem::path ProgramFolder::File(std::string_view name) const {
  return root_ / Utf8Path(name);
}

std::filesystem::path ProgramFolder::YearFile(int year) const {
  return DataDir() / (std::to_string(year) + ".kbk");
}

void ProgramFolder::EnsureDataDir() const {
  std::error_code error;
  std::filesystem::create_directories(DataDir(), error);
  if (error) {
    throw FileError(FolderMessage(DisplayName(DataDir()), kCannotCreate) + ": " + error.message());
  }
}

}  // namespace varnolt
