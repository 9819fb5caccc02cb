#include "series/screening_reader.h"

#include <algorithm>

#include "base/numbers.h"
#include "series/screening_loader.h"
#include "series/split_scan.h"

namespace varnolt {

ScreeningSeriesReader::ScreeningSeriesReader(const ProgramFolder& folder, int count, bool adjust,
                                             DayNumber end, DayNumber today)
    : accepted_(ScreeningSpanAccepted(count)), adjust_(adjust), end_(end) {
  first_ = accepted_ ? end - static_cast<DayNumber>(ScreeningSpanDays(count)) + 1 : end;
  first_year_ = CivilFromDay(first_).year;
  end_year_ = CivilFromDay(end).year;
  split_year_ = adjust && end < today ? CivilFromDay(today).year : end_year_ - 1;
  if (!accepted_) return;
  const int last_year = std::max(end_year_, split_year_);
  for (int year = first_year_; year <= last_year; ++year) {
    files_.push_back(YearFileReader::Open(folder.YearFile(year)));
  }
}

YearFileReader* ScreeningSeriesReader::FileOf(int year) const {
  const int at = year - first_year_;
  if (at < 0 || at >= static_cast<int>(files_.size())) return nullptr;
  return files_[at].get();
}

int ScreeningSeriesReader::Load(int code, ScreeningSeries& series, Buffers& buffers) const {
  if (!accepted_) return 0;
  SlotRecords& slot = buffers.slot;
  // Splits after the end, newest year first and each year's days in date order, in single
  // precision exactly as SplitsAfter multiplies them; the end's own year comes in the walk.
  float factor = 1;
  for (int year = split_year_; year > end_year_; --year) {
    YearFileReader* file = FileOf(year);
    if (file == nullptr) continue;
    file->Read(code, slot);
    for (const DayRecord& day : slot) {
      if (day.split != 0) factor *= day.split;
    }
  }

  // Newest day first, so that a split restates the days before it and not its own day, and
  // so that the series keeps the newest days when the span holds more than it can take. Only
  // the records of the span are read, and in the end's year those after it when their splits
  // count.
  int count = 0;
  for (int year = end_year_; year >= first_year_ && count < kScreeningCapacity; --year) {
    YearFileReader* file = FileOf(year);
    if (file == nullptr) continue;
    const DayNumber base = YearBase(year);
    const DayRange range = RangeInYear(base, first_, end_);
    const bool splits_after = year == end_year_ && split_year_ >= end_year_;
    const int last_read = splits_after ? kDaysPerSlot : range.to;
    if (range.from > last_read) continue;
    file->ReadDays(code, range.from, last_read, slot);
    if (splits_after) {
      for (int d = end_ - base + 1; d <= kDaysPerSlot; ++d) {
        if (slot[d - 1].split != 0) factor *= slot[d - 1].split;
      }
    }
    for (int d = range.to; d >= range.from && count < kScreeningCapacity; --d) {
      TakeNewest(slot[d - 1], base + d, adjust_, factor, buffers, count);
    }
  }
  return PutOldestFirst(count, series, buffers);
}

void ScreeningSeriesReader::TakeNewest(const DayRecord& stored, DayNumber day, bool adjust,
                                       float& factor, Buffers& buffers, int& count) {
  ScreeningEntry entry{stored.open, stored.high, stored.low, stored.close};
  if (adjust) {
    // Dividing a whole number by 1 gives it back: most days have no split after them.
    if (factor != 1) {
      entry.open = RoundToInt32(stored.open / double{factor});
      entry.high = RoundToInt32(stored.high / double{factor});
      entry.low = RoundToInt32(stored.low / double{factor});
      entry.close = RoundToInt32(stored.close / double{factor});
    }
    if (stored.split != 0) factor *= stored.split;
  }
  if (entry.close == 0) return;
  if (entry.open == 0) entry.open = entry.close;
  buffers.newest_first[count] = entry;
  buffers.newest_days[count] = day;
  ++count;
}

int ScreeningSeriesReader::PutOldestFirst(int count, ScreeningSeries& series, Buffers& buffers) {
  for (int i = 0; i < count; ++i) {
    const ScreeningEntry& loaded = buffers.newest_first[count - 1 - i];
    ScreeningEntry& entry = series[i + 1];
    entry.open = loaded.open;
    entry.high = loaded.high;
    entry.low = loaded.low;
    entry.close = loaded.close;
    buffers.days[i + 1] = buffers.newest_days[count - 1 - i];
  }
  return count;
}

}  // namespace varnolt
