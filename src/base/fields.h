#pragma once

#include <string>
#include <string_view>

namespace varnolt {

// Takes the text before the first separator out of `rest` and returns it; `rest` keeps what
// follows the separator. Without a separator the whole text is returned and `rest` is emptied.
std::string SplitField(std::string& rest, std::string_view separator);

// Blanks and control characters removed from both ends.
std::string_view TrimText(std::string_view text);

}  // namespace varnolt
