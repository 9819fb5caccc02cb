#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace varnolt {

// One calendar day of one stock in a year price file, as traded (never adjusted).
struct DayRecord {
  int32_t open = 0;
  int32_t high = 0;
  int32_t low = 0;
  int32_t close = 0;   // 0: no data for the day
  float split = 0;     // new shares per old share from this day on; 0: none
  int32_t volume = 0;  // shares; a negative −v means v × 10,000 shares

  bool operator==(const DayRecord&) const = default;
};

inline constexpr int kDaysPerSlot = 365;
inline constexpr size_t kRecordBytes = 24;
inline constexpr size_t kSlotBytes = kDaysPerSlot * kRecordBytes;  // 8760
inline constexpr int kCodeCount = 10000;
inline constexpr size_t kDirectoryBytes = 2 + 2 * kCodeCount;  // 20002

using SlotRecords = std::array<DayRecord, kDaysPerSlot>;

// On a little-endian host the in-memory records are the file's bytes, so a slot can be read
// straight into them.
inline constexpr bool kRecordsMatchDisk = std::endian::native == std::endian::little &&
                                          sizeof(DayRecord) == kRecordBytes &&
                                          sizeof(SlotRecords) == kSlotBytes;

// Little-endian encoding of records, independent of the host's byte order.
void DecodeRecord(const unsigned char* bytes, DayRecord& record);
void EncodeRecord(const DayRecord& record, unsigned char* bytes);
void DecodeSlot(const unsigned char* bytes, SlotRecords& records);

}  // namespace varnolt
