// Arbitrary bytes as an enciphered text, as net.dat, the state values and download.ini hold it.
// Deciphering must never fail otherwise than by giving nothing; whatever it gives must be the
// text that enciphers back to a text that deciphers to it; and the server configuration reader
// must accept or refuse the same bytes without harm.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "net/base64.h"
#include "net/server_config.h"
#include "net/text_cipher.h"

using namespace varnolt;

namespace {

[[noreturn]] void Finding(const char* what) {
  std::fprintf(stderr, "cipher_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (const auto bytes = Base64Decode(input)) {
    if (Base64Encode(*bytes) != input) Finding("base64 has two forms of one text");
  }
  for (CipherUse use : {CipherUse::kNet, CipherUse::kFtpUser, CipherUse::kLog, CipherUse::kMark,
                        CipherUse::kVersion, CipherUse::kDownload}) {
    const auto plain = Decipher(input, use);
    if (plain && Decipher(Encipher(*plain, use), use) != *plain) Finding("round trip lost text");
  }
  // The raw input as a plain text too: every text must survive the cipher.
  if (Decipher(Encipher(input, CipherUse::kNet), CipherUse::kNet) != input) {
    Finding("plain input lost in a round trip");
  }
  if (const auto config = DecodeServerConfig(input)) {
    if (DecodeServerConfig(EncodeServerConfig(*config)) != config) {
      Finding("server configuration lost in a round trip");
    }
  }
  (void)ParseFtpHost(input);
  return 0;
}
