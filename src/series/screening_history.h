#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "base/program_folder.h"
#include "series/calendar.h"
#include "series/latest_price.h"
#include "series/screening_reader.h"
#include "series/screening_series.h"

namespace varnolt {

// ScreeningSeriesReader for every end day of a period at once, for a caller that screens the
// market day after day (the trading simulation). Each stock's stored days are read from the
// year files once, at its first load, and kept; a load then cuts them to the day's span and
// restates them across later splits. Loads may run on several threads at once, each with
// buffers of its own.
class ScreeningHistory {
 public:
  // The count, adjustment and local date as ScreeningSeriesReader takes them, for every end
  // day from `first_end` to `last_end`. Throws FileError when a year file cannot be opened.
  ScreeningHistory(const ProgramFolder& folder, int count, bool adjust, DayNumber first_end,
                   DayNumber last_end, DayNumber today);
  ~ScreeningHistory();

  // Whether each load for `end` holds every entry a ScreeningSeriesReader with these values
  // gives (and perhaps older ones: a longer span only adds entries before them).
  bool Serves(int count, bool adjust, DayNumber end, DayNumber today) const {
    return accepted_ && count <= count_ && adjust == adjust_ && today == today_ &&
           end >= first_end_ && end <= last_end_;
  }

  // Exactly the entries ScreeningSeriesReader::Load gives for the code and an end day the
  // history covers, with their days in buffers.days[1..result]. Throws FileError when a year
  // file cannot be read.
  int Load(int code, DayNumber end, ScreeningSeries& series,
           ScreeningSeriesReader::Buffers& buffers) const;

  // LatestPrice of the code for a day the history covers, from the stored days; nothing when
  // the history does not restate splits or does not cover the day. `slot` lends room for a
  // first read of the stock.
  std::optional<LatestQuote> Quote(int code, DayNumber date, SlotRecords& slot) const;

 private:
  struct Stored;
  struct Stock;

  const Stock& StockOf(int code, SlotRecords& slot) const;
  // The product of the stock's splits after `end`, as the year-file readers multiply them.
  float SplitsAfter(const Stock& stock, DayNumber end) const;

  int count_;
  bool accepted_;
  bool adjust_;
  DayNumber first_end_;
  DayNumber last_end_;
  DayNumber today_;
  DayNumber span_days_ = 0;
  DayNumber first_kept_;  // the first day of the first end day's span
  int first_year_;
  std::vector<std::unique_ptr<YearFileReader>> files_;  // by year from first_year_
  std::unique_ptr<Stock[]> stocks_;                     // by code, filled at first load
};

}  // namespace varnolt
