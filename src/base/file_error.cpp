#include "base/file_error.h"

#include "base/messages.h"

namespace varnolt {

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error(NotANumberMessage(text)) {}

std::string DisplayName(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace varnolt
