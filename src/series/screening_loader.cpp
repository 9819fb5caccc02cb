#include "series/screening_loader.h"

#include <algorithm>
#include <vector>

#include "base/numbers.h"
#include "series/split_scan.h"

namespace varnolt {
// The largest number of weekdays a span may hold.
constexpr int64_t kMaxSpanWeekdays = 1000;

int64_t ScreeningSpanDays(int count) {
  const int64_t n = count;
  return n * 7 / 5 + (n / 260 + 1) * 30 + 10;
}

bool ScreeningSpanAccepted(int count) {
  return count >= 0 && ScreeningSpanDays(count) * 5 / 7 <= kMaxSpanWeekdays;
}

int LoadScreeningSeries(const ProgramFolder& folder, int code, int count, bool adjust,
                        DayNumber end, DayNumber today, ScreeningSeries& series) {
  if (!ScreeningSpanAccepted(count)) return 0;
  return LoadScreeningSeries(StoreYearSlots(folder, code), count, adjust, end, today, series);
}

int LoadScreeningSeries(const YearSlots& slots, int count, bool adjust, DayNumber end,
                        DayNumber today, ScreeningSeries& series) {
  if (!ScreeningSpanAccepted(count)) return 0;
  const int span = static_cast<int>(ScreeningSpanDays(count));
  const DayNumber first = end - span + 1;

  float factor = 1;
  if (adjust && end < today) factor = SplitsAfter(slots, end, CivilFromDay(today).year);

  std::vector<DayRecord> days(span);
  for (int year = CivilFromDay(end).year; year >= CivilFromDay(first).year; --year) {
    const SlotRecords* read = slots(year);
    if (read == nullptr) continue;
    const SlotRecords& slot = *read;
    const DayNumber base = YearBase(year);
    const DayRange range = RangeInYear(base, first, end);
    // Newest first, so that a split restates the days before it and not its own day.
    for (int d = range.to; d >= range.from; --d) {
      const DayRecord& stored = slot[d - 1];
      DayRecord& day = days[base + d - first];
      day = stored;
      if (!adjust) continue;
      day.open = RoundToInt32(stored.open / double{factor});
      day.high = RoundToInt32(stored.high / double{factor});
      day.low = RoundToInt32(stored.low / double{factor});
      day.close = RoundToInt32(stored.close / double{factor});
      if (stored.split != 0) factor *= stored.split;
    }
  }

  // More closes than the series holds (weekend prices in the store, or a span near the limit):
  // the oldest give way, since every condition looks back from the newest day.
  int closes = 0;
  for (const DayRecord& day : days) closes += day.close != 0 ? 1 : 0;
  int skip = std::max(closes - kScreeningCapacity, 0);
  int number = 0;
  for (const DayRecord& day : days) {
    if (day.close == 0) continue;
    if (skip > 0) {
      --skip;
      continue;
    }
    ScreeningEntry& entry = series[++number];
    entry.open = day.open != 0 ? day.open : day.close;
    entry.high = day.high;
    entry.low = day.low;
    entry.close = day.close;
  }
  return number;
}

}  // namespace varnolt
