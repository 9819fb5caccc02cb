#include "store/day_record.h"

#include <bit>
#include <cstring>

namespace varnolt {
namespace {

uint32_t Load32(const unsigned char* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void Store32(uint32_t v, unsigned char* p) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
  p[3] = static_cast<unsigned char>(v >> 24);
}

}  // namespace

void DecodeRecord(const unsigned char* bytes, DayRecord& record) {
  record.open = static_cast<int32_t>(Load32(bytes));
  record.high = static_cast<int32_t>(Load32(bytes + 4));
  record.low = static_cast<int32_t>(Load32(bytes + 8));
  record.close = static_cast<int32_t>(Load32(bytes + 12));
  record.split = std::bit_cast<float>(Load32(bytes + 16));
  record.volume = static_cast<int32_t>(Load32(bytes + 20));
}

void EncodeRecord(const DayRecord& record, unsigned char* bytes) {
  Store32(static_cast<uint32_t>(record.open), bytes);
  Store32(static_cast<uint32_t>(record.high), bytes + 4);
  Store32(static_cast<uint32_t>(record.low), bytes + 8);
  Store32(static_cast<uint32_t>(record.close), bytes + 12);
  Store32(std::bit_cast<uint32_t>(record.split), bytes + 16);
  Store32(static_cast<uint32_t>(record.volume), bytes + 20);
}

void DecodeSlot(const unsigned char* bytes, SlotRecords& records) {
  if constexpr (kRecordsMatchDisk) {
    std::memcpy(records.data(), bytes, kSlotBytes);
  } else {
    for (int d = 0; d < kDaysPerSlot; ++d) DecodeRecord(bytes + d * kRecordBytes, records[d]);
  }
}

}  // namespace varnolt
