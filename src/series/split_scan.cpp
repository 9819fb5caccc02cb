#include "series/split_scan.h"

#include <algorithm>
#include <memory>

#include "store/year_file.h"

namespace varnolt {

bool ReadYearSlot(const ProgramFolder& folder, int year, int code, SlotRecords& slot) {
  const auto path = folder.YearFile(year);
  const uint64_t offset = FindOrAllocateSlot(path, code);
  if (offset == 0) return false;
  ReadSlot(path, offset, slot);
  return true;
}

DayRange RangeInYear(DayNumber year_base, DayNumber first, DayNumber last) {
  return {std::max<int>(first - year_base, 1), std::min<int>(last - year_base, kDaysPerSlot)};
}

YearSlots StoreYearSlots(const ProgramFolder& folder, int code) {
  auto slot = std::make_shared<SlotRecords>();
  return [&folder, code, slot](int year) -> const SlotRecords* {
    return ReadYearSlot(folder, year, code, *slot) ? slot.get() : nullptr;
  };
}

float SplitsAfter(const ProgramFolder& folder, int code, DayNumber day, int current_year) {
  return SplitsAfter(StoreYearSlots(folder, code), day, current_year);
}

float SplitsAfter(const YearSlots& slots, DayNumber day, int current_year) {
  float factor = 1;
  const int day_year = CivilFromDay(day).year;
  for (int year = current_year; year >= day_year; --year) {
    const SlotRecords* slot = slots(year);
    if (slot == nullptr) continue;
    const int first = year > day_year ? 1 : day - YearBase(year) + 1;
    for (int d = first; d <= kDaysPerSlot; ++d) {
      if ((*slot)[d - 1].split != 0) factor *= (*slot)[d - 1].split;
    }
  }
  return factor;
}

}  // namespace varnolt
