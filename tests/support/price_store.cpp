#include "support/price_store.h"

#include <stdexcept>
#include <string>

#include "series/calendar.h"

namespace varnolt::testing {

DayNumber DayOf(int32_t compact) {
  const DayNumber day = CompactToDay(std::to_string(compact));
  if (day == 0) throw std::invalid_argument("not a date: " + std::to_string(compact));
  return day;
}

PriceStore::PriceStore(const std::filesystem::path& root) : folder_(root) {
  folder_.EnsureDataDir();
}

void PriceStore::WriteCatalogue(const Lines& lines) const {
  WriteLines(folder_.File("codedata.txt"), lines);
}

void PriceStore::WriteHolidays(const Lines& lines) const {
  WriteLines(folder_.File("holidays.txt"), lines);
}

PriceStore& PriceStore::Row(DayNumber day, DayRow row) {
  const int year = CivilFromDay(day).year;
  row.day_index = day - DayFromCivil(year, 1, 1) + 1;
  if (row.day_index > kDaysPerSlot) {
    throw std::invalid_argument("31 December of a leap year has no record");
  }
  pending_[year].push_back(row);
  return *this;
}

PriceStore& PriceStore::Day(int code, int32_t compact, int32_t open, int32_t high, int32_t low,
                            int32_t close, int32_t volume) {
  DayRow row;
  row.code = code;
  row.open = open;
  row.high = high;
  row.low = low;
  row.close = close;
  row.volume = volume;
  return Row(DayOf(compact), row);
}

PriceStore& PriceStore::Close(int code, int32_t compact, int32_t close, int32_t volume) {
  return Day(code, compact, close, close, close, close, volume);
}

PriceStore& PriceStore::Split(int code, int32_t compact, float factor) {
  DayRow row;
  row.code = code;
  row.split = factor;
  return Row(DayOf(compact), row);
}

void PriceStore::Flush() {
  for (const auto& [year, rows] : pending_) WriteDayRecords(folder_.YearFile(year), rows);
  pending_.clear();
}

}  // namespace varnolt::testing
