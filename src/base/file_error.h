#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace varnolt {

// A file that cannot be opened, read or written, or whose contents are damaged. It ends the
// current command; the window or the command-line tool shows what() to the user.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A number in a box or a file that does not read. Ends the command like the platform's
// conversion error did.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(const std::string& text);
};

// The user-facing name of a file in messages: its path as UTF-8 text.
std::string DisplayName(const std::filesystem::path& path);

}  // namespace varnolt
