#pragma once

#include <string>
#include <string_view>

namespace varnolt {

// Files on disk are Shift_JIS (code page 932); texts in memory are UTF-8. Bytes that do not
// decode become U+FFFD and characters that have no Shift_JIS form become '?', so a damaged file
// still reads and a write never fails on an odd character.
std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8);

}  // namespace varnolt
