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
  LatestQuote quote;
  quote.date = date;
  // A date before today is quoted in today's share terms; from today on nothing has split yet.
  float factor = today > date ? SplitsAfter(folder, code, date, CivilFromDay(today).year) : 1.0f;

  int budget = kSearchBudget;
  int year = CivilFromDay(date).year;
  SlotRecords slot;
  do {
    if (ReadYearSlot(folder, year, code, slot)) {
      const DayNumber base = YearBase(year);
      int d = std::min<int>(date - base, kDaysPerSlot);
      // Newest first, so that a split restates the days before it and not its own day.
      do {
        const DayRecord& stored = slot[d - 1];
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
