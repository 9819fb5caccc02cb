#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "store/binary_file.h"
#include "store/day_record.h"

namespace varnolt {

// One year price file kept open for a pass over many stocks: the directory is read once and
// each slot costs one read. Several threads may read at once. A code without a slot gets an
// empty one allocated, as every other reader does, through the file's ordinary operations; a
// directory that does not agree with the file's size sends every read through them too, so a
// damaged file is reported exactly as elsewhere.
class YearFileReader {
 public:
  // Nothing when there is no file at the path.
  static std::unique_ptr<YearFileReader> Open(const std::filesystem::path& path);

  // The code's 365 records. Throws FileError when the file is damaged or cannot be read.
  void Read(int code, SlotRecords& records) { ReadDays(code, 1, kDaysPerSlot, records); }
  // Only the records of day indexes first … last (1 … 365), into their places in `records`.
  void ReadDays(int code, int first, int last, SlotRecords& records);

  explicit YearFileReader(const std::filesystem::path& path);

 private:
  uint32_t SlotOf(int code);

  std::filesystem::path path_;
  BinaryFile file_;
  bool checked_ = false;  // the directory agrees with the size: entries can be trusted
  uint32_t slot_count_ = 0;
  std::vector<std::atomic<uint32_t>> slots_;  // by code; 0: none known yet
};

}  // namespace varnolt
