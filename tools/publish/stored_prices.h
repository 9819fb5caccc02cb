#pragma once

// Reading the prices of a year price file's bytes without touching the file, for the tools
// that serve a store: the publisher and the reference server's quote source.

#include <filesystem>
#include <set>
#include <string>

#include "base/dates.h"
#include "base/text_file.h"
#include "store/day_record.h"

namespace varnolt::publish {

// The slot number (1…) of a code in the directory at the start of the bytes; 0 for none.
uint32_t SlotOfCode(const std::string& bytes, int code);
size_t RecordOffset(uint32_t slot, int day_index);

// Calls visit(code, day index, record) for every record of a code with a slot that has a
// close, code by code, day by day.
template <class Visit>
void ForEachDayWithData(const std::string& bytes, Visit visit) {
  for (int code = 0; code < kCodeCount; ++code) {
    const uint32_t slot = SlotOfCode(bytes, code);
    if (slot == 0) continue;
    for (int index = 1; index <= kDaysPerSlot; ++index) {
      DayRecord record;
      DecodeRecord(reinterpret_cast<const unsigned char*>(bytes.data()) + RecordOffset(slot, index),
                   record);
      if (record.close != 0) visit(code, index, record);
    }
  }
}

std::set<int> CodesWithSlot(const std::string& bytes);

// Empties every record after the day index, as a year file that has not seen those days yet.
void ClearAfter(std::string& bytes, int last_index);

// The CSV price line (UTF-8) that gives back the record when converted: a volume kept in units
// of 10,000 shares goes out as the whole number of shares.
std::string CsvLine(DayNumber day, int code, const DayRecord& record);

// The CSV price lines of one code from `from` to `to` in the year files of a data folder; a
// damaged year file throws FileError.
Lines StoredPriceLines(const std::filesystem::path& data_dir, int code, DayNumber from,
                       DayNumber to);

}  // namespace varnolt::publish
