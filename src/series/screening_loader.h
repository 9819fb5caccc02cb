#pragma once

#include <cstdint>

#include "base/program_folder.h"
#include "series/calendar.h"
#include "series/screening_series.h"
#include "series/split_scan.h"

namespace varnolt {

// The calendar days that hold `count` trading days: 7 days per 5 trading days, 30 holidays per
// 260 trading days and a margin of 10. In 64 bits, so that no count can overflow it.
int64_t ScreeningSpanDays(int count);
// Whether a count is loaded at all: not negative, and a span of at most 1000 weekdays.
bool ScreeningSpanAccepted(int count);

// Loads about the last `count` trading days up to `end` into the series: every day of the
// calendar span that covers them and has a close becomes an entry, oldest first, restated in
// today's share terms when `adjust` is set. Only open, high, low and close of the entries
// written change. Returns the number of entries (0 when the span has no close, or when
// `count` is negative or asks for more than the series can take: up to 908 is accepted). A span
// with more closes than kScreeningCapacity keeps its newest days, so the last entry is always
// the end's own or latest trading day. `today` is the local date. Throws FileError when a year
// file cannot be read.
int LoadScreeningSeries(const ProgramFolder& folder, int code, int count, bool adjust,
                        DayNumber end, DayNumber today, ScreeningSeries& series);
// The same from a stock's slots as `slots` gives them, for many loads of one stock.
int LoadScreeningSeries(const YearSlots& slots, int count, bool adjust, DayNumber end,
                        DayNumber today, ScreeningSeries& series);

}  // namespace varnolt
