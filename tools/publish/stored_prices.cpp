#include "stored_prices.h"

#include <algorithm>
#include <charconv>

#include "store/year_file.h"

namespace varnolt::publish {

uint32_t SlotOfCode(const std::string& bytes, int code) {
  const size_t at = 2 + 2 * static_cast<size_t>(code);
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

size_t RecordOffset(uint32_t slot, int day_index) {
  return kDirectoryBytes + (slot - 1) * kSlotBytes +
         static_cast<size_t>(day_index - 1) * kRecordBytes;
}

std::set<int> CodesWithSlot(const std::string& bytes) {
  std::set<int> codes;
  for (int code = 0; code < kCodeCount; ++code) {
    if (SlotOfCode(bytes, code) != 0) codes.insert(code);
  }
  return codes;
}

void ClearAfter(std::string& bytes, int last_index) {
  if (last_index >= kDaysPerSlot) return;
  for (int code = 0; code < kCodeCount; ++code) {
    const uint32_t slot = SlotOfCode(bytes, code);
    if (slot == 0) continue;
    const auto from = static_cast<std::ptrdiff_t>(RecordOffset(slot, last_index + 1));
    const auto to = static_cast<std::ptrdiff_t>(RecordOffset(slot, kDaysPerSlot) + kRecordBytes);
    std::fill(bytes.begin() + from, bytes.begin() + to, '\0');
  }
}

std::string CsvLine(DayNumber day, int code, const DayRecord& record) {
  std::string volume = std::to_string(record.volume < 0 ? -int64_t{record.volume} : record.volume);
  if (record.volume < 0) volume += "0000";
  std::string line = DayToSlash(day) + "," + std::to_string(code) + "," +
                     std::to_string(record.open) + "," + std::to_string(record.high) + "," +
                     std::to_string(record.low) + "," + std::to_string(record.close) + "," + volume;
  if (record.split != 0) {
    char split[32];
    const auto end = std::to_chars(split, split + sizeof split, record.split).ptr;
    line += "," + std::string(split, end) + "株";
  }
  return line;
}

Lines StoredPriceLines(const std::filesystem::path& data_dir, int code, DayNumber from,
                       DayNumber to) {
  Lines lines;
  if (code < 1 || code >= kCodeCount || from > to) return lines;
  for (int year = CivilFromDay(from).year; year <= CivilFromDay(to).year; ++year) {
    const std::filesystem::path path = data_dir / (std::to_string(year) + ".kbk");
    if (!std::filesystem::exists(path)) continue;
    CheckYearFile(path);
    const std::string bytes = ReadBytes(path);
    const uint32_t slot = SlotOfCode(bytes, code);
    if (slot == 0) continue;
    const DayNumber first = DayFromCivil(year, 1, 1);
    for (int index = std::max(1, from - first + 1); index <= std::min(kDaysPerSlot, to - first + 1);
         ++index) {
      DayRecord record;
      DecodeRecord(reinterpret_cast<const unsigned char*>(bytes.data()) + RecordOffset(slot, index),
                   record);
      if (record.close != 0) lines.push_back(CsvLine(first + index - 1, code, record));
    }
  }
  return lines;
}

}  // namespace varnolt::publish
