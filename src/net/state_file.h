#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/program_folder.h"

namespace varnolt {

// The update state the program keeps between runs: a few named text values in the file
// "state.txt" of the program folder, one "NAME=VALUE" line each. Every change rewrites the file
// durably, so an interrupted write leaves the previous state. Names are letters, digits and "_";
// values are single lines.
class StateFile {
 public:
  explicit StateFile(const ProgramFolder& folder);
  explicit StateFile(std::filesystem::path path) : path_(std::move(path)) {}

  // Nothing when the value is missing (or the file is absent).
  std::optional<std::string> Get(std::string_view name) const;
  // Stores the value; an empty value removes the name. Throws FileError when the file cannot be
  // written, std::invalid_argument for a name or value that cannot be kept.
  void Set(std::string_view name, std::string_view value);

  // A value enciphered with its key: nothing when missing or when it does not decipher.
  std::optional<std::string> GetEnciphered(std::string_view name, std::string_view key) const;
  void SetEnciphered(std::string_view name, std::string_view plain, std::string_view key);

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// This installation's identifier: 12 lowercase letters and digits made on first use and kept in
// the state as "id". A kept value that is not such a text is made anew.
std::string InstallationId(StateFile& state);

}  // namespace varnolt
