#include "store/year_file.h"

#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <shared_mutex>
#include <stdexcept>
#include <vector>

#include "base/file_error.h"
#include "base/messages.h"
#include "store/binary_file.h"

namespace varnolt {
namespace {

using Bytes = std::vector<unsigned char>;

uint64_t SlotOffset(uint32_t slot) {
  return kDirectoryBytes + uint64_t{slot - 1} * kSlotBytes;
}

[[noreturn]] void Damaged(const BinaryFile& file, const std::string& why) {
  errno = 0;
  file.Fail(DamagedYearFile(why));
}

// A file may be longer than its slots (an allocation interrupted before the directory was
// written leaves zero bytes behind, which the next allocation reuses), never shorter.
void CheckSize(const BinaryFile& file, uint64_t size, uint32_t slot_count) {
  if (slot_count > kCodeCount) Damaged(file, TooManySlots(slot_count));
  if (size < SlotOffset(slot_count + 1)) {
    Damaged(file, TooSmallForSlots(size, slot_count));
  }
}

void CheckEntry(const BinaryFile& file, int code, uint32_t slot, uint32_t slot_count) {
  if (slot > slot_count) {
    Damaged(file, SlotBeyondCount(code, slot, slot_count));
  }
}

// The whole directory, checked before anything is written: every entry within the slot count
// and no slot shared by two codes (a write for one would overwrite the other).
struct Directory {
  Bytes bytes = Bytes(kDirectoryBytes);
  uint32_t SlotCount() const { return Load16(bytes.data()); }
  uint32_t Entry(int code) const { return Load16(bytes.data() + 2 + 2 * code); }
  void SetSlotCount(uint32_t n) { Store16(static_cast<uint16_t>(n), bytes.data()); }
  void SetEntry(int code, uint32_t k) {
    Store16(static_cast<uint16_t>(k), bytes.data() + 2 + 2 * code);
  }
};

Directory ReadCheckedDirectory(const BinaryFile& file) {
  const uint64_t size = file.Size();
  if (size < kDirectoryBytes) Damaged(file, kDirectoryEndsEarly);
  Directory directory;
  file.ReadAt(0, directory.bytes);
  const uint32_t count = directory.SlotCount();
  CheckSize(file, size, count);
  std::vector<bool> used(count + 1, false);
  for (int code = 0; code < kCodeCount; ++code) {
    const uint32_t slot = directory.Entry(code);
    if (slot == 0) continue;
    CheckEntry(file, code, slot, count);
    if (used[slot]) Damaged(file, SlotUsedTwice(slot));
    used[slot] = true;
  }
  return directory;
}

}  // namespace

uint32_t CheckYearFile(const std::filesystem::path& path) {
  const BinaryFile file(path, BinaryFile::Mode::kRead);
  return ReadCheckedDirectory(file).SlotCount();
}

namespace {

// The threads of a screening run may look up and allocate slots in the same file at once:
// lookups share the directory, each change has it alone (an allocation reads, then writes the
// slot count; a lookup must not see the count of a slot whose bytes are not there yet).
std::shared_mutex& DirectoryAccess() {
  static std::shared_mutex mutex;
  return mutex;
}

void CheckCode(int code) {
  if (code < 0 || code >= kCodeCount) {
    throw std::invalid_argument("stock code out of range: " + std::to_string(code));
  }
}

}  // namespace

void CreateYearFile(const std::filesystem::path& path) {
  if (FileExists(path)) return;
  // The empty file is written aside and linked into place whole, so an interruption never
  // leaves a short file under the year's name; link() also refuses to replace a file that
  // appeared meanwhile.
  std::filesystem::path temporary = path;
  temporary += ".new";
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  {
    BinaryFile file(temporary, BinaryFile::Mode::kCreateNew);
    file.WriteAt(0, Bytes(kDirectoryBytes, 0));
    file.Sync();
  }
  const int linked = ::link(temporary.c_str(), path.c_str());
  const int error = errno;
  std::filesystem::remove(temporary, ignored);
  if (linked != 0 && error != EEXIST) {
    errno = error;
    BinaryFile(path, BinaryFile::Mode::kCreateNew);  // reports why the file cannot be made
  }
}

uint64_t FindOrAllocateSlot(const std::filesystem::path& path, int code) {
  CheckCode(code);
  if (!FileExists(path)) return 0;
  BinaryFile file(path, BinaryFile::Mode::kReadWrite);
  unsigned char word[2];
  {
    const std::shared_lock lookup(DirectoryAccess());
    const uint64_t size = file.Size();
    if (size < kDirectoryBytes) Damaged(file, kDirectoryEndsEarly);
    file.ReadAt(0, word);
    const uint32_t count = Load16(word);
    CheckSize(file, size, count);
    file.ReadAt(2 + 2 * static_cast<uint64_t>(code), word);
    const uint32_t slot = Load16(word);
    CheckEntry(file, code, slot, count);
    if (slot != 0) return SlotOffset(slot);
  }

  // Allocation changes the file: check the whole directory first, under the lock, since
  // another thread may have given the code its slot meanwhile. The new slot's bytes go first,
  // then the count, then the code's entry, so that an interruption leaves at worst an unused
  // slot and never an entry beyond the count.
  const std::unique_lock change(DirectoryAccess());
  const Directory directory = ReadCheckedDirectory(file);
  if (directory.Entry(code) != 0) return SlotOffset(directory.Entry(code));
  // Slot numbers end at the number of codes; orphan slots of interrupted allocations can use
  // them up before every code has one.
  if (directory.SlotCount() >= kCodeCount) Damaged(file, kSlotsFull);
  const uint32_t k = directory.SlotCount() + 1;
  file.WriteAt(SlotOffset(k), Bytes(kSlotBytes, 0));
  Store16(static_cast<uint16_t>(k), word);
  file.WriteAt(0, word);
  file.WriteAt(2 + 2 * static_cast<uint64_t>(code), word);
  return SlotOffset(k);
}

void ReadSlot(const std::filesystem::path& path, uint64_t offset, SlotRecords& records) {
  BinaryFile file(path, BinaryFile::Mode::kRead);
  if constexpr (kRecordsMatchDisk) {
    file.ReadAt(offset, std::span(reinterpret_cast<unsigned char*>(records.data()), kSlotBytes));
  } else {
    Bytes bytes(kSlotBytes);
    file.ReadAt(offset, bytes);
    DecodeSlot(bytes.data(), records);
  }
}

void WriteDayRecords(const std::filesystem::path& path, std::span<const DayRow> rows) {
  for (const DayRow& row : rows) {
    CheckCode(row.code);
    if (row.day_index < 1 || row.day_index > kDaysPerSlot) {
      throw std::invalid_argument("day index out of range: " + std::to_string(row.day_index));
    }
  }
  CreateYearFile(path);
  BinaryFile file(path, BinaryFile::Mode::kReadWrite);
  const std::unique_lock change(DirectoryAccess());
  Directory directory = ReadCheckedDirectory(file);

  // Slot images of the touched codes, found through their code: a conversion applies a row per
  // stock and day, a million for a year of the market.
  std::vector<int> image_of(kCodeCount, -1);
  std::vector<Bytes> images;
  uint32_t count = directory.SlotCount();
  for (const DayRow& row : rows) {
    if (image_of[row.code] >= 0) continue;
    image_of[row.code] = static_cast<int>(images.size());
    Bytes& image = images.emplace_back(kSlotBytes, 0);
    const uint32_t slot = directory.Entry(row.code);
    if (slot != 0) {
      file.ReadAt(SlotOffset(slot), image);
    } else {
      if (count >= kCodeCount) Damaged(file, kSlotsFull);
      directory.SetEntry(row.code, ++count);
    }
  }
  directory.SetSlotCount(count);

  for (const DayRow& row : rows) {
    unsigned char* bytes = images[image_of[row.code]].data() + (row.day_index - 1) * kRecordBytes;
    DayRecord record;
    DecodeRecord(bytes, record);
    if (row.open) record.open = *row.open;
    if (row.high) record.high = *row.high;
    if (row.low) record.low = *row.low;
    if (row.close) record.close = *row.close;
    if (row.split) record.split = *row.split;
    if (row.volume) record.volume = *row.volume;
    EncodeRecord(record, bytes);
  }

  // Slots first, in ascending code order, the directory last: until the directory is written,
  // new slots are invisible and the old directory still describes a readable file. A run cut
  // short leaves some rows unapplied, and running the same rows again completes it.
  for (int code = 0; code < kCodeCount; ++code) {
    if (image_of[code] >= 0)
      file.WriteAt(SlotOffset(directory.Entry(code)), images[image_of[code]]);
  }
  file.Sync();
  file.WriteAt(0, directory.bytes);
}

}  // namespace varnolt
