#include "store/year_file_reader.h"

#include <stdexcept>
#include <string>

#include "store/year_file.h"

namespace varnolt {
namespace {

uint64_t SlotOffset(uint32_t slot) {
  return kDirectoryBytes + uint64_t{slot - 1} * kSlotBytes;
}

}  // namespace

std::unique_ptr<YearFileReader> YearFileReader::Open(const std::filesystem::path& path) {
  if (!FileExists(path)) return nullptr;
  return std::make_unique<YearFileReader>(path);
}

YearFileReader::YearFileReader(const std::filesystem::path& path)
    : path_(path), file_(path, BinaryFile::Mode::kRead), slots_(kCodeCount) {
  const uint64_t size = file_.Size();
  if (size < kDirectoryBytes) return;
  std::vector<unsigned char> directory(kDirectoryBytes);
  file_.ReadAt(0, directory);
  slot_count_ = Load16(directory.data());
  if (slot_count_ > kCodeCount || size < SlotOffset(slot_count_ + 1)) return;
  for (int code = 0; code < kCodeCount; ++code) {
    slots_[code].store(Load16(directory.data() + 2 + 2 * code), std::memory_order_relaxed);
  }
  checked_ = true;
}

uint32_t YearFileReader::SlotOf(int code) {
  if (code < 0 || code >= kCodeCount) {
    throw std::invalid_argument("stock code out of range: " + std::to_string(code));
  }
  const uint32_t known = slots_[code].load(std::memory_order_relaxed);
  if (checked_ && known != 0 && known <= slot_count_) return known;
  // No slot yet, or an entry the size does not cover: the ordinary lookup allocates the slot
  // or reports the damage.
  const uint64_t offset = FindOrAllocateSlot(path_, code);
  const auto slot = static_cast<uint32_t>((offset - kDirectoryBytes) / kSlotBytes + 1);
  slots_[code].store(slot, std::memory_order_relaxed);
  return slot;
}

void YearFileReader::ReadDays(int code, int first, int last, SlotRecords& records) {
  if (first < 1 || last > kDaysPerSlot || first > last) {
    throw std::invalid_argument("day indexes out of range");
  }
  const uint64_t offset = SlotOffset(SlotOf(code)) + uint64_t(first - 1) * kRecordBytes;
  const size_t size = size_t(last - first + 1) * kRecordBytes;
  if constexpr (kRecordsMatchDisk) {
    file_.ReadAt(offset, std::span(reinterpret_cast<unsigned char*>(&records[first - 1]), size));
  } else {
    std::vector<unsigned char> bytes(size);
    file_.ReadAt(offset, bytes);
    for (int d = first; d <= last; ++d) {
      DecodeRecord(bytes.data() + size_t(d - first) * kRecordBytes, records[d - 1]);
    }
  }
}

}  // namespace varnolt
