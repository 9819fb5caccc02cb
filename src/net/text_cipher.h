#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnolt {

// What a cipher key protects; each use has its own fixed key (cipher_keys.cpp).
enum class CipherUse { kNet, kFtpUser, kLog, kMark, kVersion, kDownload };

std::string_view CipherKey(CipherUse use);
// "net", "ftpuser", "log", "mark", "version", "download"; nothing for another name.
std::optional<CipherUse> CipherUseNamed(std::string_view name);

// The text behind a random salt of 6 to 15 digits, base64-encoded, shifted byte by byte by the
// key and base64-encoded again: the same text gives a different result each time.
std::string Encipher(std::string_view text, std::string_view key);
// The text back, or nothing when the input is not the encipherment of a text with this key.
std::optional<std::string> Decipher(std::string_view enciphered, std::string_view key);

inline std::string Encipher(std::string_view text, CipherUse use) {
  return Encipher(text, CipherKey(use));
}
inline std::optional<std::string> Decipher(std::string_view enciphered, CipherUse use) {
  return Decipher(enciphered, CipherKey(use));
}

}  // namespace varnolt
