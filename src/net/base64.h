#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnolt {

// Standard base64 alphabet with "=" padding to a multiple of four characters.
std::string Base64Encode(std::string_view bytes);
// Nothing when the text is not padded base64 of the standard alphabet (no blanks, no line ends).
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace varnolt
