#include "net/transfer_file.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <string>

#include "base/text_file.h"
#include "net/durable_file.h"
#include "store/day_record.h"
#include "store/year_file.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

void Write(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Zlib(std::string_view bytes) {
  uLongf size = compressBound(bytes.size());
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size,
            reinterpret_cast<const Bytef*>(bytes.data()), bytes.size(), 6);
  out.resize(size);
  return out;
}

// Bytes that no compressor would make smaller by chance.
std::string Noise(size_t size) {
  std::string bytes(size, '\0');
  uint32_t state = 12345;
  for (char& c : bytes) {
    state = state * 1103515245 + 12345;
    c = static_cast<char>(state >> 24);
  }
  return bytes;
}

TEST(TransferFile, CompressRoundTripsAndIsZlib) {
  TempFolder folder;
  const fs::path plain = folder.Path() / "a.csv", packed = folder.Path() / "a.dat",
                 back = folder.Path() / "b.csv";
  for (const std::string& content : {std::string(), std::string("2005/1/31,1301,1,2,3,4\r\n"),
                                     Noise(20000), std::string(100000, 'x')}) {
    Write(plain, content);
    ASSERT_TRUE(CompressFile(plain, packed));
    const std::string stream = ReadBytes(packed);
    uLongf size = content.size() + 1;
    std::string check(size, '\0');
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(check.data()), &size,
                         reinterpret_cast<const Bytef*>(stream.data()), stream.size()),
              Z_OK);
    EXPECT_EQ(check.substr(0, size), content);
    ASSERT_TRUE(DecompressFile(packed, back, content.size()));
    EXPECT_EQ(ReadBytes(back), content);
  }
  EXPECT_FALSE(CompressFile(folder.Path() / "missing", packed));
}

TEST(TransferFile, HostileStreamsFailAndLeaveNoTarget) {
  TempFolder folder;
  const std::string content = Noise(10000) + std::string(50000, 'z');
  const std::string stream = Zlib(content);
  const fs::path source = folder.Path() / "s.dat", target = folder.Path() / "t.csv";
  struct Case {
    const char* what;
    std::string bytes;
    uint64_t limit;
    bool ok;
  };
  const Case cases[] = {
      {"exactly at the limit", stream, content.size(), true},
      {"one byte past the limit (a bomb)", stream, content.size() - 1, false},
      {"megabyte of zeros against a small cap", Zlib(std::string(1 << 20, '\0')), 4096, false},
      {"cut short", stream.substr(0, stream.size() / 2), content.size(), false},
      {"cut before the checksum", stream.substr(0, stream.size() - 2), content.size(), false},
      {"bytes after the end", stream + "junk", content.size(), false},
      {"corrupt header", "xx" + stream.substr(2), content.size(), false},
      {"an error page", "<html><body>404</body></html>", content.size(), false},
      {"empty", "", content.size(), false}};
  for (const Case& c : cases) {
    Write(source, c.bytes);
    EXPECT_EQ(DecompressFile(source, target, c.limit), c.ok) << c.what;
    EXPECT_EQ(fs::exists(target), c.ok) << c.what;
    fs::remove(target);
  }
}

TEST(TransferFile, JoinNeedsEveryPart) {
  TempFolder folder;
  const fs::path target = folder.Path() / "2004.dat";
  auto part = [&](int k) { return folder.Path() / ("2004_" + std::to_string(k) + ".dat"); };
  Write(part(1), "one");
  Write(part(2), "two");
  Write(part(4), "four");
  // Part 3 is missing: nothing is made and every part stays for the next try.
  EXPECT_FALSE(JoinParts(target, 4));
  EXPECT_FALSE(fs::exists(target));
  EXPECT_FALSE(fs::exists(AsideName(target)));
  EXPECT_TRUE(fs::exists(part(1)) && fs::exists(part(2)) && fs::exists(part(4)));
  // Two parts wanted: joined in order, those parts deleted, part 4 left alone.
  ASSERT_TRUE(JoinParts(target, 2));
  EXPECT_EQ(ReadBytes(target), "onetwo");
  EXPECT_FALSE(fs::exists(part(1)) || fs::exists(part(2)));
  EXPECT_TRUE(fs::exists(part(4)));
}

TEST(TransferFile, InstallReplacesOnlyWithAGoodYearFile) {
  TempFolder folder;
  const fs::path made = folder.Path() / "made.kbk";
  CreateYearFile(made);
  FindOrAllocateSlot(made, 1301);
  const std::string year = ReadBytes(made);
  ASSERT_EQ(year.size(), kDirectoryBytes + kSlotBytes);
  ASSERT_TRUE(IsWellFormedYearFile(made));

  const fs::path target = folder.Path() / "2004.kbk", source = folder.Path() / "2004.dat";
  Write(target, "the old file");
  std::string shared_slot = year;
  shared_slot[2 + 2 * 1302] = 1;  // 1302 points at 1301's slot
  const std::pair<std::string, const char*> bad[] = {{year.substr(0, year.size() - 1), "short"},
                                                     {year + "x", "longer than its slots"},
                                                     {shared_slot, "a slot shared by two codes"},
                                                     {std::string(100, '\0'), "no directory"}};
  for (const auto& [bytes, what] : bad) {
    Write(source, Zlib(bytes));
    EXPECT_FALSE(InstallDecompressed(source, target, kYearFileLimit, IsWellFormedYearFile)) << what;
    EXPECT_TRUE(ReadBytes(target) == "the old file") << what;
    EXPECT_FALSE(fs::exists(AsideName(target))) << what;
  }
  const std::string stream = Zlib(year);
  Write(source, stream.substr(0, stream.size() - 5));  // cut short
  EXPECT_FALSE(InstallDecompressed(source, target, kYearFileLimit, IsWellFormedYearFile));
  EXPECT_TRUE(ReadBytes(target) == "the old file");
  Write(source, Zlib(year));
  ASSERT_TRUE(InstallDecompressed(source, target, kYearFileLimit, IsWellFormedYearFile));
  EXPECT_TRUE(ReadBytes(target) == year);
}

}  // namespace
}  // namespace varnolt
