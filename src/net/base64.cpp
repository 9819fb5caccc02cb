#include "net/base64.h"

#include <algorithm>
#include <cstdint>

namespace varnolt {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int ValueOf(char c) {
  const size_t at = kAlphabet.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

std::string Base64Encode(std::string_view bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t count = std::min<size_t>(3, bytes.size() - i);
    uint32_t group = 0;
    for (size_t k = 0; k < 3; ++k) {
      group <<= 8;
      if (k < count) group |= static_cast<unsigned char>(bytes[i + k]);
    }
    for (size_t k = 0; k < 4; ++k) {
      text += k <= count ? kAlphabet[(group >> (18 - 6 * k)) & 63] : '=';
    }
  }
  return text;
}

std::optional<std::string> Base64Decode(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    size_t padding = 0;
    if (last) {
      if (text[i + 3] == '=') padding = text[i + 2] == '=' ? 2 : 1;
    }
    uint32_t group = 0;
    for (size_t k = 0; k < 4; ++k) {
      int value = 0;
      if (k < 4 - padding) {
        value = ValueOf(text[i + k]);
        if (value < 0) return std::nullopt;
      }
      group = (group << 6) | static_cast<uint32_t>(value);
    }
    // Bits below the last whole byte must be zero, so each text has one decoding only.
    if ((padding == 1 && (group & 0xFF) != 0) || (padding == 2 && (group & 0xFFFF) != 0)) {
      return std::nullopt;
    }
    for (size_t k = 0; k < 3 - padding; ++k) {
      bytes += static_cast<char>((group >> (16 - 8 * k)) & 0xFF);
    }
  }
  return bytes;
}

}  // namespace varnolt
