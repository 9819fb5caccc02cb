#include "series/unit_shift.h"

#include "base/messages.h"

namespace varnolt {
namespace {

// Counts beyond this would leave the calendar; they are refused like any other bad count.
constexpr int kMaxCount = 1'000'000;

bool IsValidCount(int count) {
  return count > 0 && count <= kMaxCount;
}

// A date box holds eight digits, so a count that moves a date out of the years 1000–9999 is
// refused too: its date could not be written or read back.
bool FitsDateBox(DayNumber day) {
  const int year = CivilFromDay(day).year;
  return year >= 1000 && year <= 9999;
}

DateBoxes Refused(const DateBoxes& boxes, const char* message) {
  DateBoxes result = boxes;
  result.message = message;
  return result;
}

DateBoxes Shift(const DateBoxes& boxes, std::string_view count_text, DataUnit unit, int direction) {
  const DayNumber start = CompactToDay(boxes.start);
  if (start == 0) return Refused(boxes, kBadStartMessage);
  const DayNumber end = CompactToDay(boxes.end);
  if (end == 0) return Refused(boxes, kBadEndMessage);
  const int count = ParseCount(count_text);
  if (!IsValidCount(count)) return Refused(boxes, kBadShiftMessage);
  const int n = direction * count;
  const DayNumber new_start = DayAfterPeriodEnd(PeriodEndDay(start, n, unit), unit);
  const DayNumber new_end = PeriodEndDay(end, n + 1, unit);
  if (!FitsDateBox(new_start) || !FitsDateBox(new_end)) return Refused(boxes, kBadShiftMessage);
  return {DayToCompact(new_start), DayToCompact(new_end), ""};
}

}  // namespace

DateBoxes EndAfterUnits(const DateBoxes& boxes, std::string_view count_text, DataUnit unit) {
  const DayNumber start = CompactToDay(boxes.start);
  if (start == 0) return Refused(boxes, kBadStartMessage);
  const int count = ParseCount(count_text);
  if (!IsValidCount(count)) return Refused(boxes, kBadPlusMessage);
  const DayNumber end = PeriodEndDay(start, count, unit);
  if (!FitsDateBox(end)) return Refused(boxes, kBadPlusMessage);
  return {boxes.start, DayToCompact(end), ""};
}

DateBoxes ShiftLater(const DateBoxes& boxes, std::string_view count_text, DataUnit unit) {
  return Shift(boxes, count_text, unit, +1);
}

DateBoxes ShiftEarlier(const DateBoxes& boxes, std::string_view count_text, DataUnit unit) {
  return Shift(boxes, count_text, unit, -1);
}

}  // namespace varnolt
