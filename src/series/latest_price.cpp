#include "series/latest_price.h"

#include <algorithm>

#include "base/numbers.h"
#include "series/split_scan.h"

namespace varnolt {
namespace {

constexpr int kSearchBudget = 30;
constexpr int kYearBoundaryCost = 15;

}  // namespace

LatestQuote LatestPrice(const ProgramFolder& folder, int code, DayNumber date, DayNumber today) {
  // A date before today is quoted in today's share terms; from today on nothing has split yet.
  const YearSlots slots = StoreYearSlots(folder, code);
  const float factor = today > date ? SplitsAfter(slots, date, CivilFromDay(today).year) : 1.0f;
  int read_year = 0;
  const SlotRecords* slot = nullptr;
  const auto record_of = [&](int year, int d) -> const DayRecord* {
    if (year != read_year) {
      slot = slots(year);
      read_year = year;
    }
    return slot == nullptr ? nullptr : &(*slot)[d - 1];
  };
  return LatestPriceFrom(record_of, date, factor);
}

LatestQuote LatestPriceFrom(const DayRecordOf& record_of, DayNumber date, float factor) {
  LatestQuote quote;
  quote.date = date;
  int budget = kSearchBudget;
  int year = CivilFromDay(date).year;
  do {
    const DayNumber base = YearBase(year);
    int d = std::min<int>(date - base, kDaysPerSlot);
    if (record_of(year, d) != nullptr) {
      // Newest first, so that a split restates the days before it and not its own day.
      do {
        const DayRecord& stored = *record_of(year, d);
        quote.close = RoundToInt32(stored.close / double{factor});
        quote.open = RoundToInt32(stored.open / double{factor});
        quote.volume = RoundHalfEven(stored.volume * double{factor});
        quote.date = base + d;
        if (stored.split != 0) factor *= stored.split;
        --d;
        --budget;
      } while (d > 0 && quote.close == 0 && budget >= 1);
    }
    --year;
    budget -= kYearBoundaryCost;
  } while (quote.close == 0 && budget >= 1);

  // A negative volume is stored in units of 10,000 shares.
  if (quote.volume < 0) quote.volume = -quote.volume * 10000;
  return quote;
}

}  // namespace varnolt
