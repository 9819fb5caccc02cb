// Arbitrary bytes as a year price file. FindOrAllocateSlot, ReadSlot and WriteDayRecords must
// either succeed or throw FileError; a FileError leaves the file as it was, and a change leaves a
// file whose directory agrees with its size and holds what was written.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "base/text_file.h"
#include "store/year_file.h"

namespace fs = std::filesystem;
using namespace varnolt;

namespace {

[[noreturn]] void Finding(const std::string& what) {
  std::fprintf(stderr, "year_file_fuzz: %s\n", what.c_str());
  std::abort();
}

void RemoveWorkFolder();

// The year file, in a folder of its own on tmpfs when there is one: writes are synced. Never
// destroyed, so that the exit handler that removes the folder can still name it.
const fs::path& YearPath() {
  static const fs::path* const path = [] {
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "varnolt-year-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) Finding("mkdtemp failed");
    std::atexit(RemoveWorkFolder);
    return new fs::path(fs::path(pattern) / "2005.kbk");
  }();
  return *path;
}

void RemoveWorkFolder() {
  std::error_code error;
  fs::remove_all(YearPath().parent_path(), error);
}

unsigned Word(const std::string& bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// After a successful change the file must be sound: every entry within the count, no slot
// shared, and every slot inside the file.
void CheckSound(const std::string& bytes) {
  if (bytes.size() < kDirectoryBytes) Finding("directory cut short after a write");
  const unsigned count = Word(bytes, 0);
  if (bytes.size() < kDirectoryBytes + uint64_t{count} * kSlotBytes)
    Finding("slots beyond the end");
  std::set<unsigned> used;
  for (int code = 0; code < kCodeCount; ++code) {
    const unsigned slot = Word(bytes, 2 + 2 * code);
    if (slot != 0 && (slot > count || !used.insert(slot).second)) Finding("bad directory entry");
  }
}

DayRow Row(int code, int day, int32_t value) {
  DayRow row;
  row.code = code;
  row.day_index = day;
  row.close = value;
  row.volume = -value;
  if (day % 2 == 0) row.split = 0.5f;
  return row;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fs::path& path = YearPath();
  const std::string input(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(input.data(), static_cast<std::streamsize>(input.size()));
  }
  // A code and a day taken from the input, besides the ends of the directory and the year.
  const int own_code = size >= 2 ? static_cast<int>(Word(input, 0) % kCodeCount) : 1;
  const int own_day = size >= 4 ? static_cast<int>(Word(input, 2) % kDaysPerSlot) + 1 : 1;

  // An allocation checks the whole directory first, so after one the file is known to be sound.
  bool allocated = false;
  for (const int code : {0, 9999, own_code}) {
    const std::string before = ReadBytes(path);
    try {
      const uint64_t offset = FindOrAllocateSlot(path, code);
      if (offset < kDirectoryBytes) Finding("offset inside the directory");
      const std::string after = ReadBytes(path);
      if (offset + kSlotBytes > after.size()) Finding("slot beyond the end of the file");
      if (after != before) {
        CheckSound(after);
        allocated = true;
      }
      SlotRecords records{};
      ReadSlot(path, offset, records);
    } catch (const FileError&) {
      if (ReadBytes(path) != before) Finding("FileError after changing the file");
    }
  }

  const std::vector<DayRow> rows = {Row(0, 1, 11), Row(9999, kDaysPerSlot, 22),
                                    Row(own_code, own_day, 33), Row(7203, own_day, 44)};
  const std::string before = ReadBytes(path);
  try {
    WriteDayRecords(path, rows);
    CheckSound(ReadBytes(path));
    for (const DayRow& row : rows) {
      SlotRecords records{};
      ReadSlot(path, FindOrAllocateSlot(path, row.code), records);
      const DayRecord& record = records[row.day_index - 1];
      // A later row for the same code and day wins.
      int32_t expected = 0;
      for (const DayRow& other : rows) {
        if (other.code == row.code && other.day_index == row.day_index) expected = *other.close;
      }
      if (record.close != expected || record.volume != -expected) Finding("row not stored");
    }
  } catch (const FileError&) {
    if (ReadBytes(path) != before) Finding("FileError after changing the file");
    if (allocated) Finding("WriteDayRecords refused a file an allocation accepted");
  }
  return 0;
}
