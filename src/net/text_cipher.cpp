#include "net/text_cipher.h"

#include <algorithm>
#include <random>

#include "net/base64.h"

namespace varnolt {
namespace {

// The key repeated by doubling until it covers `length` bytes.
std::string StretchedKey(std::string_view key, size_t length) {
  std::string stretched(key);
  while (stretched.size() < length) stretched += stretched;
  return stretched;
}

int Shift(char key_char) {
  return static_cast<unsigned char>(key_char) % 88 + 32;
}

}  // namespace

std::string Encipher(std::string_view text, std::string_view key) {
  static thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<int> extra(0, 9);
  std::uniform_int_distribution<int> digit(0, 9);
  std::string salted;
  const int salt_length = 6 + extra(random);
  for (int i = 0; i < salt_length; ++i) salted += static_cast<char>('0' + digit(random));
  salted += ':';
  salted.append(text);
  std::string inner = Base64Encode(salted);
  if (key.empty()) return Base64Encode(inner);
  const std::string stretched = StretchedKey(key, inner.size());
  for (size_t i = 0; i < inner.size(); ++i) {
    inner[i] =
        static_cast<char>((static_cast<unsigned char>(inner[i]) + Shift(stretched[i])) % 256);
  }
  return Base64Encode(inner);
}

std::optional<std::string> Decipher(std::string_view enciphered, std::string_view key) {
  std::optional<std::string> inner = Base64Decode(enciphered);
  if (!inner) return std::nullopt;
  if (!key.empty()) {
    const std::string stretched = StretchedKey(key, inner->size());
    for (size_t i = 0; i < inner->size(); ++i) {
      (*inner)[i] = static_cast<char>(
          (static_cast<unsigned char>((*inner)[i]) + 256 - Shift(stretched[i])) % 256);
    }
  }
  std::optional<std::string> salted = Base64Decode(*inner);
  if (!salted) return std::nullopt;
  // A salt of digits before the colon: anything else means another key or a damaged text.
  const size_t colon = salted->find(':');
  if (colon == std::string::npos || colon < 6 || colon > 15) return std::nullopt;
  if (!std::all_of(salted->begin(), salted->begin() + static_cast<std::ptrdiff_t>(colon),
                   [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return salted->substr(colon + 1);
}

}  // namespace varnolt
