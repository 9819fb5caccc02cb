#pragma once

#include <filesystem>
#include <string>

namespace varnolt {

// Where the program keeps its files: the program folder holds the catalogue, the holiday list
// and the settings; its folder "data" holds the year price files and the financial data.
class ProgramFolder {
 public:
  explicit ProgramFolder(std::filesystem::path root) : root_(std::move(root)) {}

  // $VARNOLT_HOME when set and not empty, else ~/.local/share/varnolt.
  static ProgramFolder FromEnvironment();

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path DataDir() const { return root_ / "data"; }
  std::filesystem::path File(std::string_view name) const;
  std::filesystem::path YearFile(int year) const;

  // Creates the program folder and its data folder when absent; throws FileError on failure.
  void EnsureDataDir() const;

 private:
  std::filesystem::path root_;
};

// A UTF-8 file name as a path, independent of the process locale.
std::filesystem::path Utf8Path(std::string_view name);

}  // namespace varnolt
