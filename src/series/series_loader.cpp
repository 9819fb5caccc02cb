#include "series/series_loader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <memory>
#include <utility>

#include "base/file_error.h"
#include "base/messages.h"
#include "base/numbers.h"
#include "series/split_scan.h"
#include "store/catalogue.h"
#include "store/year_file.h"

namespace varnolt {
namespace {

// Warm-up history loaded before the requested start.
constexpr int kWarmupDays = 160;
constexpr int kWarmupPeriods = 80;

struct ResolvedStock {
  std::string message;
  std::optional<std::string> code_box;
  int code = 0;
};

ResolvedStock ResolveStock(const std::string& input, const ProgramFolder& folder) {
  const auto shared_catalogue = LoadCatalogueShared(folder.Root());
  const Lines& catalogue = *shared_catalogue;
  std::string code_text = input;
  if (!IsAllDigits(input.substr(0, 4))) {
    const auto record = FindRecordByNamePrefix(catalogue, input);
    code_text = record ? catalogue[*record] : std::string();
  }
  ResolvedStock stock;
  if (code_text.empty()) {
    stock.message = kBadStockMessage;
    return stock;
  }
  const std::string code_part = code_text.substr(0, 4);
  if (const auto line = FindRecordByCode(catalogue, code_part);
      line && *line + 1 < catalogue.size()) {
    stock.code_box = code_part + " : " + catalogue[*line + 1];
  }
  stock.code = ToInt(code_part);
  if (stock.code < 0 || stock.code >= kCodeCount) throw ConversionError(code_part);
  return stock;
}

// Memory that the loads of a thread keep between them: the day buffer and the bars of a long
// daily load run to hundreds of kilobytes, and memory taken afresh costs a page fault per 4 KB.
struct LoadScratch {
  std::vector<DayRecord> days;
  BarTable bars;
};

struct DayBuffer {
  DayNumber first_day;
  std::vector<DayRecord>& days;
  int64_t largest_volume = 0;
};

// The four prices of a day divided by the factor and rounded, as RoundToInt32 rounds them.
void RestatePrices(const DayRecord& stored, double factor, DayRecord& day) {
  const int32_t prices[4] = {stored.open, stored.high, stored.low, stored.close};
  int32_t restated[4];
  // Down to this factor every quotient of 32-bit prices lies within ±2^51, where adding and
  // taking away 2^52 + 2^51 rounds it to a whole number (to nearest, halves to even); written as
  // one loop over the four so that the compiler divides two at a time.
  if (factor >= 0x1p-20) {
    constexpr double kShift = 6755399441055744.0;
    for (int i = 0; i < 4; ++i) {
      const double rounded = (prices[i] / factor + kShift) - kShift;
      restated[i] = static_cast<int32_t>(std::clamp(rounded, -2147483648.0, 2147483647.0));
    }
  } else {
    for (int i = 0; i < 4; ++i) restated[i] = RoundToInt32(prices[i] / factor);
  }
  day.open = restated[0];
  day.high = restated[1];
  day.low = restated[2];
  day.close = restated[3];
}

// Copies the records of [M, N] into the buffer, newest first so that a split restates the
// days before it and not its own day. Every day of the buffer is written: a day that no slot
// holds (a year without a file, 31 December of a leap year) becomes empty.
void ReadDays(const YearSlots& slots, bool adjust, float factor, DayBuffer& buffer) {
  const DayNumber first = buffer.first_day;
  const DayNumber last = first + static_cast<DayNumber>(buffer.days.size()) - 1;
  DayRecord* const days = buffer.days.data();
  int64_t largest_volume = 0;
  for (int year = CivilFromDay(last).year; year >= CivilFromDay(first).year; --year) {
    const SlotRecords* slot = slots(year);
    const DayNumber base = YearBase(year);
    const DayNumber year_first = std::max(first, base + 1);
    const DayNumber year_last = std::min(last, YearBase(year + 1));
    // The days the slot holds are copied whole; the rest of the year stays empty.
    const DayNumber held_last =
        slot == nullptr ? year_first - 1 : std::min(year_last, base + kDaysPerSlot);
    if (held_last >= year_first) {
      std::copy(slot->begin() + (year_first - base - 1), slot->begin() + (held_last - base),
                days + (year_first - first));
    }
    std::fill(days + (held_last + 1 - first), days + (year_last + 1 - first), DayRecord{});
    for (DayNumber at = held_last; at >= year_first; --at) {
      DayRecord& day = days[at - first];
      const float split = day.split;
      // A day without prices and volume stays as it is: nothing to restate.
      const bool empty = (day.open | day.high | day.low | day.close | day.volume) == 0;
      if (adjust && factor != 1 && !empty) {
        const int32_t volume = day.volume;
        RestatePrices(day, factor, day);
        // A large volume grown by splits would pass 32 bits: keep it in units of 10,000 (as a
        // negative number, like a stored one), also when a big split grows a smaller volume.
        const double restated = factor * static_cast<double>(volume);
        const bool too_large = (volume > 100'000'000 && factor > 1) || restated > INT32_MAX;
        day.volume = too_large ? RoundToInt32(-restated / 10000) : RoundToInt32(restated);
      }
      if (adjust && split != 0) factor *= split;
      largest_volume = std::max<int64_t>(largest_volume, day.volume);
      // A volume kept in units of 10,000 forces the 10,000 divisor, so that every day of the
      // load is summed in the same unit.
      if (day.volume < 0) largest_volume = 1'000'000'000;
    }
  }
  buffer.largest_volume = largest_volume;
}

// The code's slots, keeping the last one read: the end's year is scanned for the adjustment
// factor and then read for its days.
YearSlots LastSlotKept(const ProgramFolder& folder, int code) {
  struct Kept {
    SlotRecords slot;
    int year = 0;
    bool found = false;
  };
  auto kept = std::make_shared<Kept>();
  return [&folder, code, kept](int year) -> const SlotRecords* {
    if (year != kept->year) {
      kept->found = ReadYearSlot(folder, year, code, kept->slot);
      kept->year = year;
    }
    return kept->found ? &kept->slot : nullptr;
  };
}

// v div divisor, with each divisor a constant so that no day of the load pays for a division.
int32_t InDivisorUnits(int32_t volume, int divisor) {
  switch (divisor) {
    case 1:
      return volume;
    case 1000:
      return volume / 1000;
    case 10000:
      return volume / 10000;
  }
  return volume / divisor;
}

int VolumeDivisor(int64_t largest) {
  if (largest > 100'000'000) return 10000;
  if (largest > 1'000'000) return 1000;
  return 1;
}

// Further days of the bar that begins on `day`, before clipping to the end of the load.
int BarSpan(DayNumber day, DataUnit unit) {
  switch (unit) {
    case DataUnit::kDay:
      return 0;
    case DataUnit::kWeek:
      return Weekday(day) == 0 ? 0 : 7 - Weekday(day);
    case DataUnit::kMonth:
      return PeriodEndDay(day, 1, DataUnit::kMonth) - day;
    case DataUnit::kQuarter:
      return PeriodEndDay(day, 1, DataUnit::kQuarter) - day;
    case DataUnit::kYear:
      return DayFromCivil(CivilFromDay(day).year, 12, 31) - day;
  }
  return 0;
}

float CombineSplit(float pending, float factor) {
  return pending == 0 ? factor : pending * factor;
}

// Compact dates of days taken in increasing order, with one calendar conversion per month.
class CompactDates {
 public:
  int32_t Of(DayNumber day) {
    if (day >= next_month_ || day < month_first_) {
      const CivilDate date = CivilFromDay(day);
      month_first_ = day - (date.day - 1);
      next_month_ = date.month == 12 ? DayFromCivil(date.year + 1, 1, 1)
                                     : DayFromCivil(date.year, date.month + 1, 1);
      month_base_ = date.year * 10000 + date.month * 100 + 1;
    }
    return month_base_ + (day - month_first_);
  }

 private:
  DayNumber month_first_ = 0;
  DayNumber next_month_ = 0;
  int32_t month_base_ = 0;
};

struct FormedBars {
  int first_shown = 0;
  bool too_many = false;
};

// Forms the bars into `bars`, replacing what it held.
FormedBars FormBars(const DayBuffer& buffer, DataUnit unit, int divisor, int32_t requested_start,
                    BarTable& bars) {
  FormedBars formed;
  CompactDates dates;
  float pending = 0;
  const DayRecord* const days = buffer.days.data();
  const int length = static_cast<int>(buffer.days.size());
  bars.Clear();
  bars.Reserve(std::min(length, kMaxBars));
  for (int x = 0; x < length; ++x) {
    const DayRecord& first = days[x];
    if (first.close == 0) {
      if (first.split != 0) pending = CombineSplit(pending, first.split);
      continue;
    }
    if (bars.Count() >= kMaxBars) {
      formed.too_many = true;
      return formed;
    }
    const DayNumber day = buffer.first_day + x;
    const int span = std::min(BarSpan(day, unit), length - 1 - x);
    Bar bar;
    bar.open = first.open != 0 ? first.open : first.close;
    int64_t volume = 0;
    float split = pending;
    if (span == 0) {
      // A bar of one day, as every bar of a daily load is: the day's own values.
      bar.high = std::max(0, first.high);
      bar.low = first.low;
      bar.close = first.close;
      volume = first.volume < 0 ? -int64_t{first.volume} : InDivisorUnits(first.volume, divisor);
      if (first.split != 0) split = CombineSplit(split, first.split);
    } else {
      for (const DayRecord* d = &first; d <= &first + span; ++d) {
        bar.high = std::max(bar.high, d->high);
        if (d->low != 0 && (bar.low == 0 || d->low < bar.low)) bar.low = d->low;
        if (d->close != 0) bar.close = d->close;
        volume += d->volume < 0 ? -int64_t{d->volume} : InDivisorUnits(d->volume, divisor);
        if (d->split != 0) split = CombineSplit(split, d->split);
      }
    }
    bar.volume = SaturateToInt32(volume);
    bar.split = split;
    bar.date = dates.Of(day);
    bars.Append(bar);
    if (formed.first_shown == 0 && bar.date >= requested_start) formed.first_shown = bars.Count();
    pending = 0;
    x += span;
  }
  return formed;
}

std::string DaysWithoutData(const DayBuffer& buffer, DayNumber requested_start, DayNumber today,
                            const HolidayList& holidays) {
  std::string report = "【株価データがない日】\r\n";
  const DayNumber last = buffer.first_day + static_cast<DayNumber>(buffer.days.size()) - 1;
  for (DayNumber day = std::max(requested_start, buffer.first_day); day <= std::min(today, last);
       ++day) {
    // Most days without a close are Saturdays and Sundays, which are never trading days.
    if (buffer.days[day - buffer.first_day].close != 0 || Weekday(day) < 2) continue;
    if (IsTradingDay(day, holidays)) report += DayToSlash(day) + "\r\n";
  }
  return report;
}

}  // namespace

LoadOutcome LoadSeries(LoadedSeries& data_set, const LoadRequest& request,
                       const ProgramFolder& folder, DayNumber today,
                       const std::function<void()>& stock_resolved) {
  LoadOutcome outcome;
  const DayNumber start = CompactToDay(request.start);
  if (start == 0) {
    outcome.message = kBadStartMessage;
    return outcome;
  }
  const DayNumber end_typed = CompactToDay(request.end);
  if (end_typed == 0 || end_typed < start) {
    outcome.message = kBadEndMessage;
    return outcome;
  }
  const DataUnit unit = request.unit;
  const DayNumber requested_start = PeriodStartDay(start, unit);
  const DayNumber end = PeriodEndDay(end_typed, 1, unit);
  const DayNumber load_start =
      unit == DataUnit::kDay
          ? requested_start - kWarmupDays
          : DayAfterPeriodEnd(PeriodEndDay(requested_start, -kWarmupPeriods, unit), unit);

  const ResolvedStock stock = ResolveStock(request.code_or_name, folder);
  if (!stock.message.empty()) {
    outcome.message = stock.message;
    return outcome;
  }
  outcome.code_box = stock.code_box;
  data_set.current_code = stock.code;
  if (stock_resolved) stock_resolved();

  const YearSlots slots = LastSlotKept(folder, stock.code);
  const float factor = request.adjust ? SplitsAfter(slots, end, CivilFromDay(today).year) : 1.0f;
  thread_local LoadScratch scratch;
  scratch.days.resize(end - load_start + 1);
  DayBuffer buffer{load_start, scratch.days};
  ReadDays(slots, request.adjust, factor, buffer);
  const int divisor = VolumeDivisor(buffer.largest_volume);

  const FormedBars formed =
      FormBars(buffer, unit, divisor, DayToCompactInt(requested_start), scratch.bars);
  if (formed.too_many) {
    outcome.message = kTooManyBarsMessage;
    data_set.loaded = false;
    return outcome;
  }

  outcome.report = DaysWithoutData(buffer, requested_start, today,
                                   *LoadHolidayListShared(folder.File("holidays.txt")));

  outcome.clear_readouts = true;
  if (formed.first_shown == 0) {
    outcome.message = kNoDataMessage;
    data_set.loaded = false;
    return outcome;
  }
  outcome.relist = true;
  outcome.start_box = DayToCompact(requested_start);
  outcome.end_box = DayToCompact(end);
  // The data set's earlier bars become the scratch of the next load.
  std::swap(data_set.bars, scratch.bars);
  data_set.first_shown = formed.first_shown;
  data_set.unit = unit;
  data_set.adjusted = request.adjust;
  data_set.volume_divisor = divisor;
  data_set.loaded = true;
  return outcome;
}

}  // namespace varnolt
