#include "net/text_cipher.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "net/base64.h"

namespace varnolt {
namespace {

constexpr CipherUse kUses[] = {CipherUse::kNet,  CipherUse::kFtpUser, CipherUse::kLog,
                               CipherUse::kMark, CipherUse::kVersion, CipherUse::kDownload};

TEST(Base64, KnownTextsAndRefusals) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},        {"f", "Zg=="},          {"fo", "Zm8="},
      {"foo", "Zm9v"}, {"foobar", "Zm9vYmFy"}, {std::string("\0\xff\x10", 3), "AP8Q"}};
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(Base64Encode(bytes), text);
    EXPECT_EQ(Base64Decode(text), bytes) << text;
  }
  for (const char* bad : {"Zg=", "Zg", "Z===", "Zh==", "Zm9v\r\n", "Zm 9", "Zm9=Zm9v", "****"}) {
    EXPECT_FALSE(Base64Decode(bad)) << bad;
  }
}

TEST(TextCipher, KeysHaveTheirLengthsAndNames) {
  const std::pair<const char*, size_t> expected[] = {
      {"net", 12}, {"ftpuser", 52}, {"log", 52}, {"mark", 27}, {"version", 21}, {"download", 17}};
  std::set<std::string_view> distinct;
  for (size_t i = 0; i < std::size(kUses); ++i) {
    EXPECT_EQ(CipherUseNamed(expected[i].first), kUses[i]);
    EXPECT_EQ(CipherKey(kUses[i]).size(), expected[i].second) << expected[i].first;
    for (char c : CipherKey(kUses[i])) EXPECT_TRUE(std::isdigit(c) || std::islower(c));
    distinct.insert(CipherKey(kUses[i]));
  }
  EXPECT_EQ(distinct.size(), std::size(kUses));
  EXPECT_FALSE(CipherUseNamed("Net"));
}

TEST(TextCipher, RoundTripsWithItsKeyOnly) {
  const std::string texts[] = {"",
                               "1234567",
                               "http://127.0.0.1:8080/\r\nfiles/\r\n",
                               "数字:コロン:含む",
                               std::string(3000, 'x'),
                               std::string("\0a", 2)};
  for (const std::string& text : texts) {
    for (CipherUse use : kUses) {
      const std::string enciphered = Encipher(text, use);
      EXPECT_EQ(Decipher(enciphered, use), text);
      for (CipherUse other : kUses) {
        if (other != use) {
          EXPECT_FALSE(Decipher(enciphered, other)) << text.substr(0, 20);
        }
      }
    }
  }
}

TEST(TextCipher, SaltMakesEachEnciphermentDifferent) {
  std::set<std::string> seen;
  for (int i = 0; i < 20; ++i) seen.insert(Encipher("same", CipherUse::kMark));
  EXPECT_GT(seen.size(), 15u);
}

// The inner layer is visible once the key shift is undone: a salt of 6 to 15 digits and a colon.
TEST(TextCipher, InnerTextIsSaltColonText) {
  const std::string_view key = CipherKey(CipherUse::kLog);
  for (int i = 0; i < 30; ++i) {
    std::string inner = *Base64Decode(Encipher("L", key));
    for (size_t k = 0; k < inner.size(); ++k) {
      const int shift = static_cast<unsigned char>(key[k % key.size()]) % 88 + 32;
      inner[k] = static_cast<char>((static_cast<unsigned char>(inner[k]) + 256 - shift) % 256);
    }
    const std::string salted = *Base64Decode(inner);
    const size_t colon = salted.find(':');
    ASSERT_GE(colon, 6u);
    ASSERT_LE(colon, 15u);
    EXPECT_EQ(salted.substr(colon), ":L");
  }
}

TEST(TextCipher, DamagedTextsDoNotDecipher) {
  const std::string good = Encipher("abc", CipherUse::kNet);
  for (const std::string& bad :
       {std::string(), std::string("not base64!"), good.substr(0, good.size() - 4), good + "AAAA",
        Base64Encode("plain text without cipher")}) {
    EXPECT_FALSE(Decipher(bad, CipherUse::kNet)) << bad;
  }
}

}  // namespace
}  // namespace varnolt
