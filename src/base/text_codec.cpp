#include "base/text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace varnolt {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts the whole input; on an undecodable sequence appends `replacement`, skips
  // `skip_width(in)` bytes and carries on.
  template <typename SkipWidth>
  std::string Run(std::string_view input, std::string_view replacement, SkipWidth skip_width) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string output;
    output.reserve(input.size() * 3 / 2 + 16);
    char* in = const_cast<char*>(input.data());
    size_t in_left = input.size();
    char buffer[4096];
    while (in_left > 0) {
      char* out = buffer;
      size_t out_left = sizeof buffer;
      const size_t result = iconv(handle_, &in, &in_left, &out, &out_left);
      output.append(buffer, out - buffer);
      if (result != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (a sequence cut off at the end): replace and step over it.
      output.append(replacement);
      const size_t width = std::min(in_left, skip_width(in, in_left));
      in += width;
      in_left -= width;
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    }
    return output;
  }

 private:
  iconv_t handle_;
};

// The bytes of the character at `at`: its lead byte and the continuation bytes that follow it,
// so that a cut-off or stray byte never swallows the characters after it.
size_t Utf8SequenceWidth(const char* at, size_t left) {
  const auto lead = static_cast<unsigned char>(*at);
  size_t width = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  size_t n = 1;
  while (n < width && n < left && (static_cast<unsigned char>(at[n]) & 0xC0) == 0x80) ++n;
  return n;
}

bool IsAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  if (IsAscii(sjis)) return std::string(sjis);
  thread_local Converter converter("UTF-8", "CP932");
  return converter.Run(sjis, "\xEF\xBF\xBD", [](const char*, size_t) { return size_t{1}; });
}

std::string Utf8ToSjis(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  thread_local Converter converter("CP932", "UTF-8");
  return converter.Run(utf8, "?", Utf8SequenceWidth);
}

}  // namespace varnolt
