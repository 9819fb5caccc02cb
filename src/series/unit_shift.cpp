#include "series/unit_shift.h"

namespace varnolt {
namespace {

constexpr const char* kBadStart = "はじめの日を正しく入力して下さい";
constexpr const char* kBadEnd = "終わりの日を正しく入力して下さい";
constexpr const char* kBadPlus = "加える単位数を正しく入力して下さい";
constexpr const char* kBadShift = "シフトする単位数を正しく入力して下さい";
// Counts beyond this would leave the calendar; they are refused like any other bad count.
constexpr int kMaxCount = 1'000'000;

bool IsValidCount(int count) { return count > 0 && count <= kMaxCount; }

DateBoxes Refused(const DateBoxes& boxes, const char* message) {
  DateBoxes result = boxes;
  result.message = message;
  return result;
}

DateBoxes Shift(const DateBoxes& boxes, std::string_view count_text, DataUnit unit, int direction) {
  const DayNumber start = CompactToDay(boxes.start);
  if (start == 0) return Refused(boxes, kBadStart);
  const DayNumber end = CompactToDay(boxes.end);
  if (end == 0) return Refused(boxes, kBadEnd);
  const int count = ParseCount(count_text);
  if (!IsValidCount(count)) return Refused(boxes, kBadShift);
  const int n = direction * count;
  DateBoxes result;
  result.start = DayToCompact(DayAfterPeriodEnd(PeriodEndDay(start, n, unit), unit));
  result.end = DayToCompact(PeriodEndDay(end, n + 1, unit));
  return result;
}

}  // namespace

DateBoxes EndAfterUnits(const DateBoxes& boxes, std::string_view count_text, DataUnit unit) {
  const DayNumber start = CompactToDay(boxes.start);
  if (start == 0) return Refused(boxes, kBadStart);
  const int count = ParseCount(count_text);
  if (!IsValidCount(count)) return Refused(boxes, kBadPlus);
  return {boxes.start, DayToCompact(PeriodEndDay(start, count, unit)), ""};
}

DateBoxes ShiftLater(const DateBoxes& boxes, std::string_view count_text, DataUnit unit) {
  return Shift(boxes, count_text, unit, +1);
}

DateBoxes ShiftEarlier(const DateBoxes& boxes, std::string_view count_text, DataUnit unit) {
  return Shift(boxes, count_text, unit, -1);
}

}  // namespace varnolt
