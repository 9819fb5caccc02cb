#include "series/screening_history.h"

#include <algorithm>

#include "series/screening_loader.h"
#include "series/split_scan.h"

namespace varnolt {

// A stored day with anything in it.
struct ScreeningHistory::Stored {
  DayNumber day;
  DayRecord record;
};

struct ScreeningHistory::Stock {
  struct Split {
    DayNumber day;
    int year;
    float factor;
  };
  std::once_flag read;
  std::vector<Stored> days;   // the period's span, in date order
  std::vector<Split> splits;  // from the span's first day to the last year read, in date order
};

ScreeningHistory::ScreeningHistory(const ProgramFolder& folder, int count, bool adjust,
                                   DayNumber first_end, DayNumber last_end, DayNumber today)
    : count_(count),
      accepted_(ScreeningSpanAccepted(count)),
      adjust_(adjust),
      first_end_(first_end),
      last_end_(last_end),
      today_(today),
      first_kept_(first_end),
      first_year_(CivilFromDay(first_end).year),
      stocks_(std::make_unique<Stock[]>(kCodeCount)) {
  if (!accepted_) return;
  span_days_ = static_cast<DayNumber>(ScreeningSpanDays(count));
  first_kept_ = first_end - span_days_ + 1;
  first_year_ = CivilFromDay(first_kept_).year;
  // The splits that restate the period come from the years up to today's.
  int last_year = CivilFromDay(last_end).year;
  if (adjust && first_end < today) last_year = std::max(last_year, CivilFromDay(today).year);
  for (int year = first_year_; year <= last_year; ++year) {
    files_.push_back(YearFileReader::Open(folder.YearFile(year)));
  }
}

ScreeningHistory::~ScreeningHistory() = default;

const ScreeningHistory::Stock& ScreeningHistory::StockOf(int code, SlotRecords& slot) const {
  Stock& stock = stocks_[code];
  std::call_once(stock.read, [&] {
    for (size_t at = 0; at < files_.size(); ++at) {
      if (!files_[at]) continue;
      const int year = first_year_ + static_cast<int>(at);
      const DayNumber base = YearBase(year);
      const int from = std::max<int>(first_kept_ - base, 1);
      if (from > kDaysPerSlot) continue;
      files_[at]->ReadDays(code, from, kDaysPerSlot, slot);
      for (int d = from; d <= kDaysPerSlot; ++d) {
        const DayRecord& stored = slot[d - 1];
        const DayNumber day = base + d;
        if (stored.split != 0) stock.splits.push_back({day, year, stored.split});
        if (day <= last_end_ && stored != DayRecord{}) {
          stock.days.push_back({day, stored});
        }
      }
    }
    stock.days.shrink_to_fit();
  });
  return stock;
}

float ScreeningHistory::SplitsAfter(const Stock& stock, DayNumber end) const {
  // Newest year first and each year's days in date order, in single precision, so that the
  // product has the same bits as the readers'. Years after today's have not split yet.
  const int today_year = CivilFromDay(today_).year;
  const auto after =
      std::upper_bound(stock.splits.begin(), stock.splits.end(), end,
                       [](DayNumber day, const Stock::Split& split) { return day < split.day; });
  float factor = 1;
  auto high = stock.splits.end();
  while (high != after) {
    const int year = (high - 1)->year;
    auto low = high;
    while (low != after && (low - 1)->year == year) --low;
    if (year <= today_year) {
      for (auto split = low; split != high; ++split) factor *= split->factor;
    }
    high = low;
  }
  return factor;
}

int ScreeningHistory::Load(int code, DayNumber end, ScreeningSeries& series,
                           ScreeningSeriesReader::Buffers& buffers) const {
  if (!accepted_ || code < 0 || code >= kCodeCount) return 0;
  const Stock& stock = StockOf(code, buffers.slot);

  float factor = adjust_ && end < today_ ? SplitsAfter(stock, end) : 1.0f;

  // Newest day first, so that a split restates the days before it and not its own day.
  const DayNumber first = end - span_days_ + 1;
  auto at = std::upper_bound(stock.days.begin(), stock.days.end(), end,
                             [](DayNumber day, const Stored& stored) { return day < stored.day; });
  int count = 0;
  while (at != stock.days.begin() && count < kScreeningCapacity) {
    const Stored& stored = *--at;
    if (stored.day < first) break;
    ScreeningSeriesReader::TakeNewest(stored.record, stored.day, adjust_, factor, buffers, count);
  }
  return ScreeningSeriesReader::PutOldestFirst(count, series, buffers);
}

std::optional<LatestQuote> ScreeningHistory::Quote(int code, DayNumber date,
                                                   SlotRecords& slot) const {
  if (!accepted_ || !adjust_ || date < first_end_ || date > last_end_ || code < 0 ||
      code >= kCodeCount) {
    return std::nullopt;
  }
  const Stock& stock = StockOf(code, slot);
  // The search walks back a month at most, so it stays within the first span's days (40 and
  // more), and in the years the history has read.
  static const DayRecord kEmptyDay{};
  const auto record_of = [&](int year, int d) -> const DayRecord* {
    const int at = year - first_year_;
    if (at < 0 || at >= static_cast<int>(files_.size()) || !files_[at]) return nullptr;
    const DayNumber day = YearBase(year) + d;
    const auto found = std::lower_bound(
        stock.days.begin(), stock.days.end(), day,
        [](const Stored& stored, DayNumber wanted) { return stored.day < wanted; });
    return found != stock.days.end() && found->day == day ? &found->record : &kEmptyDay;
  };
  return LatestPriceFrom(record_of, date, date < today_ ? SplitsAfter(stock, date) : 1.0f);
}

}  // namespace varnolt
