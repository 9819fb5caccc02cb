// The program's built-in keys, all in one place. The external downloader carries the same
// download key; changing any key makes the files enciphered with the old one unreadable.
#include <array>

#include "net/text_cipher.h"

namespace varnolt {
namespace {

struct NamedKey {
  std::string_view name;
  std::string_view key;
};

constexpr std::array<NamedKey, 6> kKeys = {{
    {"net", "6frsmmlvr1a3"},
    {"ftpuser", "j5krn537oe1gyu9ue38gndp8esxgjxtgtfj1qxtpsz5z7as6xes6"},
    {"log", "717by8bipuuie9j0h7jniwtq4pjoctdsnhalcxu3ohxr07pb48g1"},
    {"mark", "21atqbtqnxkktb7p9bojwiwjb7r"},
    {"version", "9ir39thu0j4yihmn743je"},
    {"download", "v2zz7fnqvprild51t"},
}};

}  // namespace

std::string_view CipherKey(CipherUse use) {
  return kKeys[static_cast<size_t>(use)].key;
}

std::optional<CipherUse> CipherUseNamed(std::string_view name) {
  for (size_t i = 0; i < kKeys.size(); ++i) {
    if (kKeys[i].name == name) return static_cast<CipherUse>(i);
  }
  return std::nullopt;
}

}  // namespace varnolt
