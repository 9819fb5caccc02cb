#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "store/day_record.h"

namespace varnolt {

// A year price file: a directory of 10000 slot numbers (one per stock code) and one 8760-byte
// slot of 365 day records per stock that has one. Every operation opens the file, works and
// closes it. A file whose directory does not agree with its size is damaged: the operations
// throw FileError naming it and never write to it.

// Creates the file with an empty directory unless a file exists at the path.
void CreateYearFile(const std::filesystem::path& path);

// Checks a whole file the way every operation does before writing (the directory agrees with
// the size, no slot shared by two codes) and gives its slot count; throws FileError.
uint32_t CheckYearFile(const std::filesystem::path& path);

// Byte offset of the code's slot, allocating an empty slot when the code has none;
// 0 when there is no file at the path.
uint64_t FindOrAllocateSlot(const std::filesystem::path& path, int code);

// The 365 records of the slot at the offset.
void ReadSlot(const std::filesystem::path& path, uint64_t offset, SlotRecords& records);

// One row of a conversion: fields that are not set keep what the file holds.
struct DayRow {
  int code = 0;
  int day_index = 0;  // 1 = 1 January … 365
  std::optional<int32_t> open, high, low, close, volume;
  std::optional<float> split;
};

// Applies all rows of one year at once: one directory read, one read per touched code, and
// the writes ordered so that an interrupted run leaves a readable file (see the definition).
void WriteDayRecords(const std::filesystem::path& path, std::span<const DayRow> rows);

}  // namespace varnolt
