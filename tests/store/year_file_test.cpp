#include "store/year_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "base/text_file.h"
#include "series/calendar.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::TempFolder;

constexpr uint64_t kFirstSlot = kDirectoryBytes;

uint64_t SlotAt(uint32_t k) {
  return kDirectoryBytes + (k - 1) * uint64_t{kSlotBytes};
}

void WriteRaw(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

uint16_t Word(const std::string& bytes, uint64_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                               static_cast<unsigned char>(bytes[at + 1]) << 8);
}

void SetWord(std::string& bytes, uint64_t at, uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

uint16_t Entry(const std::string& bytes, int code) {
  return Word(bytes, 2 + 2 * code);
}

// A year file image with the given slot count, entries and total size.
std::string Image(uint16_t slot_count, std::vector<std::pair<int, uint16_t>> entries,
                  uint64_t size) {
  std::string bytes(size, '\0');
  SetWord(bytes, 0, slot_count);
  for (const auto& [code, slot] : entries) SetWord(bytes, 2 + 2 * code, slot);
  return bytes;
}

DayRow Close(int code, int day, int32_t close) {
  DayRow row;
  row.code = code;
  row.day_index = day;
  row.close = close;
  return row;
}

DayRow Full(int code, int day, int32_t base) {
  DayRow row;
  row.code = code;
  row.day_index = day;
  row.open = base;
  row.high = base + 50;
  row.low = base - 20;
  row.close = base + 10;
  row.volume = base * 100;
  row.split = 1.5f;
  return row;
}

DayRecord RecordOf(const DayRow& row) {
  return {row.open.value_or(0),  row.high.value_or(0),  row.low.value_or(0),
          row.close.value_or(0), row.split.value_or(0), row.volume.value_or(0)};
}

SlotRecords ReadCode(const std::filesystem::path& path, int code) {
  SlotRecords records{};
  const uint64_t offset = FindOrAllocateSlot(path, code);
  EXPECT_NE(offset, 0u);
  if (offset != 0) ReadSlot(path, offset, records);
  return records;
}

class YearFileTest : public ::testing::Test {
 protected:
  std::filesystem::path YearPath() const { return folder_.Path() / "2005.kbk"; }
  std::string Bytes() const { return ReadBytes(YearPath()); }

  TempFolder folder_;
};

TEST_F(YearFileTest, NewFileIsAnEmptyDirectoryAndIsNeverRecreated) {
  CreateYearFile(YearPath());
  const std::string bytes = Bytes();
  EXPECT_EQ(bytes, std::string(20002, '\0'));

  const std::string other = Image(1, {{7203, 1}}, 20002 + 8760);
  WriteRaw(YearPath(), other);
  CreateYearFile(YearPath());
  EXPECT_EQ(Bytes(), other);
}

TEST_F(YearFileTest, LookupWithoutAFileGivesZeroAndCreatesNothing) {
  for (const int code : {0, 7203, 9999}) {
    EXPECT_EQ(FindOrAllocateSlot(YearPath(), code), 0u);
    EXPECT_EQ(FindOrAllocateSlot(folder_.Path() / "data" / "2005.kbk", code), 0u);
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder_.Path()));
}

TEST_F(YearFileTest, LookupAllocatesOneSlotPerCodeAndReusesIt) {
  CreateYearFile(YearPath());
  EXPECT_EQ(FindOrAllocateSlot(YearPath(), 7203), kFirstSlot);
  std::string bytes = Bytes();
  ASSERT_EQ(bytes.size(), 28762u);
  EXPECT_EQ(Word(bytes, 0), 1);
  EXPECT_EQ(Entry(bytes, 7203), 1);
  EXPECT_EQ(bytes.find_first_not_of('\0', 2 + 2 * 7203 + 2), std::string::npos);

  EXPECT_EQ(FindOrAllocateSlot(YearPath(), 7203), kFirstSlot);
  EXPECT_EQ(Bytes(), bytes);

  EXPECT_EQ(FindOrAllocateSlot(YearPath(), 1301), SlotAt(2));
  bytes = Bytes();
  ASSERT_EQ(bytes.size(), 20002u + 2 * 8760);
  EXPECT_EQ(Word(bytes, 0), 2);
  EXPECT_EQ(Entry(bytes, 1301), 2);
  EXPECT_EQ(Entry(bytes, 7203), 1);
  EXPECT_EQ(FindOrAllocateSlot(YearPath(), 7203), kFirstSlot);
}

TEST_F(YearFileTest, FirstAndLastCodesUseTheEndsOfTheDirectory) {
  CreateYearFile(YearPath());
  EXPECT_EQ(FindOrAllocateSlot(YearPath(), 9999), SlotAt(1));
  EXPECT_EQ(FindOrAllocateSlot(YearPath(), 0), SlotAt(2));
  const std::string bytes = Bytes();
  EXPECT_EQ(Word(bytes, 2), 2);      // code 0
  EXPECT_EQ(Word(bytes, 20000), 1);  // code 9999
  EXPECT_EQ(Word(bytes, 0), 2);
}

TEST_F(YearFileTest, RejectsCodesAndDaysOutsideTheFormat) {
  CreateYearFile(YearPath());
  const std::string before = Bytes();
  EXPECT_THROW(FindOrAllocateSlot(YearPath(), -1), std::invalid_argument);
  EXPECT_THROW(FindOrAllocateSlot(YearPath(), 10000), std::invalid_argument);
  for (const DayRow& row :
       {Close(10000, 1, 5), Close(-1, 1, 5), Close(1, 0, 5), Close(1, 366, 5)}) {
    const DayRow rows[] = {Close(1301, 1, 100), row};
    EXPECT_THROW(WriteDayRecords(YearPath(), rows), std::invalid_argument);
  }
  EXPECT_EQ(Bytes(), before);

  const DayRow leap_day[] = {Close(1301, 366, 100)};
  const auto missing = folder_.Path() / "2004.kbk";
  EXPECT_THROW(WriteDayRecords(missing, leap_day), std::invalid_argument);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(YearFileTest, DayRecordsAreLittleEndianAtTheirDayIndex) {
  // Day indexes as the conversion forms them: 1 January is 1, 31 December of 2005 is 365.
  const int first = 1;
  const int last = CompactToDay("20051231") - CompactToDay("20050101") + 1;
  ASSERT_EQ(last, 365);
  // In a leap year 31 December would be day 366, for which there is no record.
  ASSERT_EQ(CompactToDay("20041231") - CompactToDay("20040101") + 1, 366);

  DayRow january = Full(7203, first, 4000);
  january.open = 0x01020304;
  DayRow december = Close(7203, last, 4020);
  december.volume = -12345;  // 123,450,000 shares
  december.split = 0.1f;
  const DayRow rows[] = {january, december};
  WriteDayRecords(YearPath(), rows);

  const std::string bytes = Bytes();
  ASSERT_EQ(bytes.size(), 28762u);
  EXPECT_EQ(bytes.substr(kFirstSlot, 24), std::string("\x04\x03\x02\x01"  // open 0x01020304
                                                      "\xD2\x0F\0\0"      // high 4050
                                                      "\x8C\x0F\0\0"      // low 3980
                                                      "\xAA\x0F\0\0"      // close 4010
                                                      "\0\0\xC0\x3F"      // split 1.5
                                                      "\x80\x1A\x06\0",   // volume 400000
                                                      24));
  EXPECT_EQ(bytes.substr(kFirstSlot + 364 * 24, 24), std::string("\0\0\0\0\0\0\0\0\0\0\0\0"
                                                                 "\xB4\x0F\0\0"       // close 4020
                                                                 "\xCD\xCC\xCC\x3D"   // split 0.1
                                                                 "\xC7\xCF\xFF\xFF",  // -12345
                                                                 24));

  SlotRecords records = ReadCode(YearPath(), 7203);
  EXPECT_EQ(records[0], RecordOf(january));
  EXPECT_EQ(records[364], RecordOf(december));
  EXPECT_EQ(records[364].volume, -12345);
  for (int d = 1; d < 364; ++d) EXPECT_EQ(records[d], DayRecord{}) << d;
}

TEST_F(YearFileTest, WritingOneFieldChangesOnlyItsBytes) {
  std::vector<DayRow> rows;
  for (const int code : {1301, 7203, 9984}) {
    for (const int day : {1, 9, 10, 11, 365}) rows.push_back(Full(code, day, 1000 + code + day));
  }
  WriteDayRecords(YearPath(), rows);
  const std::string before = Bytes();
  const uint64_t slot = FindOrAllocateSlot(YearPath(), 7203);
  const uint64_t record = slot + 9 * 24;  // day 10

  const struct {
    const char* what;
    DayRow row;
    uint64_t field;  // offset of the changed field within the record
  } cases[] = {
      {"close", Close(7203, 10, 9999), 12},
      {"open",
       [] {
         DayRow r;
         r.code = 7203;
         r.day_index = 10;
         r.open = 77;
         return r;
       }(),
       0},
      {"volume",
       [] {
         DayRow r;
         r.code = 7203;
         r.day_index = 10;
         r.volume = -5;
         return r;
       }(),
       20},
      {"split",
       [] {
         DayRow r;
         r.code = 7203;
         r.day_index = 10;
         r.split = 2.0f;
         return r;
       }(),
       16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteRaw(YearPath(), before);
    WriteDayRecords(YearPath(), std::span(&c.row, 1));
    const std::string after = Bytes();
    ASSERT_EQ(after.size(), before.size());
    for (uint64_t i = 0; i < before.size(); ++i) {
      const bool in_field = i >= record + c.field && i < record + c.field + 4;
      if (!in_field) {
        ASSERT_EQ(after[i], before[i]) << "byte " << i << " changed";
      }
    }
    EXPECT_NE(after.substr(record + c.field, 4), before.substr(record + c.field, 4));
  }
}

TEST_F(YearFileTest, LaterRowsOverrideEarlierOnesFieldByField) {
  DayRow first = Close(7203, 5, 2);
  first.open = 1;
  first.volume = 7;
  DayRow second = Close(7203, 5, 3);
  DayRow third;
  third.code = 7203;
  third.day_index = 5;
  third.high = 9;
  const DayRow rows[] = {first, second, third};
  WriteDayRecords(YearPath(), rows);
  const SlotRecords records = ReadCode(YearPath(), 7203);
  EXPECT_EQ(records[4], (DayRecord{1, 9, 0, 3, 0.0f, 7}));

  // The same rows again give the same file.
  const std::string once = Bytes();
  WriteDayRecords(YearPath(), rows);
  EXPECT_EQ(Bytes(), once);
}

TEST_F(YearFileTest, BatchAllocatesNewSlotsInTheOrderCodesAreMet) {
  const DayRow existing[] = {Full(4000, 1, 100)};
  WriteDayRecords(YearPath(), existing);

  const DayRow rows[] = {Close(7203, 2, 72), Close(1301, 3, 13), Close(4000, 4, 40),
                         Close(9984, 5, 99), Close(7203, 6, 73), Close(1301, 7, 14)};
  WriteDayRecords(YearPath(), rows);
  const std::string bytes = Bytes();
  ASSERT_EQ(bytes.size(), 20002u + 4 * 8760);
  EXPECT_EQ(Word(bytes, 0), 4);
  EXPECT_EQ(Entry(bytes, 4000), 1);
  EXPECT_EQ(Entry(bytes, 7203), 2);
  EXPECT_EQ(Entry(bytes, 1301), 3);
  EXPECT_EQ(Entry(bytes, 9984), 4);

  const struct {
    int code;
    uint64_t slot;
    int day;
    int32_t close;
  } stored[] = {{4000, SlotAt(1), 1, 110}, {4000, SlotAt(1), 4, 40}, {7203, SlotAt(2), 2, 72},
                {7203, SlotAt(2), 6, 73},  {1301, SlotAt(3), 3, 13}, {1301, SlotAt(3), 7, 14},
                {9984, SlotAt(4), 5, 99}};
  for (const auto& s : stored) {
    EXPECT_EQ(FindOrAllocateSlot(YearPath(), s.code), s.slot) << s.code;
    SlotRecords records{};
    ReadSlot(YearPath(), s.slot, records);
    EXPECT_EQ(records[s.day - 1].close, s.close) << s.code << " day " << s.day;
  }
  EXPECT_EQ(Bytes(), bytes);  // the lookups found every slot and grew nothing
}

TEST_F(YearFileTest, WritingNoRowsCreatesTheFileAndChangesNothingElse) {
  WriteDayRecords(YearPath(), {});
  EXPECT_EQ(Bytes(), std::string(20002, '\0'));
  const DayRow rows[] = {Full(7203, 100, 500)};
  WriteDayRecords(YearPath(), rows);
  const std::string bytes = Bytes();
  WriteDayRecords(YearPath(), {});
  EXPECT_EQ(Bytes(), bytes);
}

// Files whose directory does not agree with their size. Slot bytes are filled so that any
// write would show.
struct DamagedCase {
  const char* what;
  std::string image;
  int damaged_code;  // a code whose own lookup must fail too; -1 for none
};

std::vector<DamagedCase> DamagedCases() {
  auto filled = [](std::string image) {
    for (size_t i = kDirectoryBytes; i < image.size(); ++i) image[i] = '\x55';
    return image;
  };
  return {
      {"shorter than the directory", std::string(100, '\0'), 7203},
      {"one slot short", filled(Image(2, {{7203, 1}, {1301, 2}}, 20002 + 8760)), 1301},
      {"last slot cut off", filled(Image(1, {{7203, 1}}, 20002 + 8759)), 7203},
      {"entry beyond the slot count", filled(Image(1, {{7203, 1}, {1301, 2}}, 20002 + 2 * 8760)),
       1301},
      {"two codes in one slot", filled(Image(2, {{7203, 1}, {1301, 1}}, 20002 + 2 * 8760)), -1},
      {"slot count beyond the codes", filled(Image(0xFFFF, {}, 20002 + 8760)), 7203},
  };
}

void ExpectFileError(const std::filesystem::path& path, auto operation) {
  try {
    operation();
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find(DisplayName(path)), std::string::npos) << error.what();
  }
}

TEST_F(YearFileTest, DamagedFilesAreRefusedAndLeftAsTheyWere) {
  for (const DamagedCase& c : DamagedCases()) {
    SCOPED_TRACE(c.what);
    WriteRaw(YearPath(), c.image);
    ExpectFileError(YearPath(), [&] { FindOrAllocateSlot(YearPath(), 5); });
    EXPECT_EQ(Bytes(), c.image);
    if (c.damaged_code >= 0) {
      ExpectFileError(YearPath(), [&] { FindOrAllocateSlot(YearPath(), c.damaged_code); });
      EXPECT_EQ(Bytes(), c.image);
    }
    const DayRow existing_code[] = {Close(7203, 1, 100)};
    ExpectFileError(YearPath(), [&] { WriteDayRecords(YearPath(), existing_code); });
    EXPECT_EQ(Bytes(), c.image);
    const DayRow new_code[] = {Close(5, 1, 100)};
    ExpectFileError(YearPath(), [&] { WriteDayRecords(YearPath(), new_code); });
    EXPECT_EQ(Bytes(), c.image);
  }
}

TEST_F(YearFileTest, AFileWithEverySlotTakenRefusesAnotherOne) {
  // 10000 slots, one of them an orphan left by an interrupted allocation, so code 9999 has
  // none and there is no slot number left to give it. The slots are a sparse tail.
  std::string directory = Image(10000, {}, kDirectoryBytes);
  for (int code = 0; code < 9999; ++code) SetWord(directory, 2 + 2 * code, code + 1);
  WriteRaw(YearPath(), directory);
  const uint64_t size = SlotAt(10001);
  std::filesystem::resize_file(YearPath(), size);
  auto directory_now = [&] {
    std::ifstream in(YearPath(), std::ios::binary);
    std::string bytes(kDirectoryBytes, '\0');
    in.read(bytes.data(), kDirectoryBytes);
    return bytes;
  };

  EXPECT_EQ(FindOrAllocateSlot(YearPath(), 9998), SlotAt(9999));
  ExpectFileError(YearPath(), [&] { FindOrAllocateSlot(YearPath(), 9999); });
  EXPECT_EQ(std::filesystem::file_size(YearPath()), size);
  EXPECT_TRUE(directory_now() == directory);
  const DayRow rows[] = {Close(9999, 1, 100)};
  ExpectFileError(YearPath(), [&] { WriteDayRecords(YearPath(), rows); });
  EXPECT_EQ(std::filesystem::file_size(YearPath()), size);
  EXPECT_TRUE(directory_now() == directory);
}

TEST_F(YearFileTest, ReadingBeyondTheEndIsAFileError) {
  const DayRow rows[] = {Close(7203, 1, 100)};
  WriteDayRecords(YearPath(), rows);
  SlotRecords records{};
  ExpectFileError(YearPath(), [&] { ReadSlot(YearPath(), SlotAt(2), records); });
  ExpectFileError(YearPath(), [&] { ReadSlot(YearPath(), SlotAt(1) + 1, records); });
  ExpectFileError(folder_.Path() / "1999.kbk",
                  [&] { ReadSlot(folder_.Path() / "1999.kbk", SlotAt(1), records); });
}

TEST_F(YearFileTest, LeftoverBytesOfAnInterruptedAllocationAreReused) {
  // Slot bytes written but the directory not yet: one whole leftover slot full of garbage.
  std::string image = Image(1, {{7203, 1}}, 20002 + 2 * 8760);
  for (size_t i = SlotAt(2); i < image.size(); ++i) image[i] = '\x55';

  WriteRaw(YearPath(), image);
  EXPECT_EQ(FindOrAllocateSlot(YearPath(), 1301), SlotAt(2));
  EXPECT_EQ(Bytes().size(), image.size());
  SlotRecords records{};
  ReadSlot(YearPath(), SlotAt(2), records);
  for (const DayRecord& r : records) ASSERT_EQ(r, DayRecord{});

  WriteRaw(YearPath(), image);
  const DayRow rows[] = {Close(1301, 3, 500)};
  WriteDayRecords(YearPath(), rows);
  EXPECT_EQ(Bytes().size(), image.size());
  EXPECT_EQ(Entry(Bytes(), 1301), 2);
  records = ReadCode(YearPath(), 1301);
  for (int d = 0; d < kDaysPerSlot; ++d) {
    ASSERT_EQ(records[d], d == 2 ? (DayRecord{0, 0, 0, 500, 0.0f, 0}) : DayRecord{}) << d;
  }

  // Part of a slot left over: the allocation still ends the file at a whole slot.
  WriteRaw(YearPath(), Image(1, {{7203, 1}}, 20002 + 8760 + 1000));
  EXPECT_EQ(FindOrAllocateSlot(YearPath(), 1301), SlotAt(2));
  EXPECT_EQ(Bytes().size(), 20002u + 2 * 8760);

  // Count written but the entry not yet: an orphan slot that stays unused.
  WriteRaw(YearPath(), Image(2, {{7203, 1}}, 20002 + 2 * 8760));
  EXPECT_EQ(FindOrAllocateSlot(YearPath(), 7203), SlotAt(1));
  EXPECT_EQ(FindOrAllocateSlot(YearPath(), 1301), SlotAt(3));
  EXPECT_EQ(Bytes().size(), 20002u + 3 * 8760);
}

TEST_F(YearFileTest, InterruptedBatchLeavesAReadableFileThatARerunCompletes) {
  const DayRow setup[] = {Full(7203, 1, 100), Full(7203, 2, 110), Full(4000, 1, 200)};
  WriteDayRecords(YearPath(), setup);
  const std::string before = Bytes();

  DayRow partial = Close(7203, 2, 9000);
  partial.volume = -3;
  const DayRow rows[] = {partial, Full(1301, 5, 300), Close(4000, 1, 77), Full(9984, 365, 50)};
  WriteDayRecords(YearPath(), rows);
  const std::string after = Bytes();
  ASSERT_EQ(after.size(), 20002u + 4 * 8760);

  // The batch writes the slots of 1301 (new, 3), 4000 (2), 7203 (1) and 9984 (new, 4), then
  // the directory. Each state below is the file as an interruption after that many slot
  // writes would leave it.
  const uint32_t slot_order[] = {3, 2, 1, 4};
  for (int written = 0; written <= 4; ++written) {
    SCOPED_TRACE(std::to_string(written) + " slots written");
    std::string state = before;
    for (int i = 0; i < written; ++i) {
      const uint64_t at = SlotAt(slot_order[i]);
      if (state.size() < at + kSlotBytes) state.resize(at + kSlotBytes, '\0');
      state.replace(at, kSlotBytes, after.substr(at, kSlotBytes));
    }
    WriteRaw(YearPath(), state);

    // Readable: known codes are found where they were, and nothing is allocated or changed.
    EXPECT_EQ(FindOrAllocateSlot(YearPath(), 7203), SlotAt(1));
    EXPECT_EQ(FindOrAllocateSlot(YearPath(), 4000), SlotAt(2));
    SlotRecords records{};
    EXPECT_NO_THROW(ReadSlot(YearPath(), SlotAt(1), records));
    EXPECT_EQ(records[0].close, 110);
    EXPECT_EQ(Bytes(), state);
    EXPECT_EQ(Entry(state, 1301), 0);

    WriteDayRecords(YearPath(), rows);
    EXPECT_EQ(Bytes(), after);
  }
}

}  // namespace
}  // namespace varnolt
