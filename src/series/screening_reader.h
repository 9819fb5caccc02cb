#pragma once

#include <array>
#include <memory>
#include <vector>

#include "base/program_folder.h"
#include "series/calendar.h"
#include "series/screening_series.h"
#include "store/day_record.h"
#include "store/year_file_reader.h"

namespace varnolt {

// LoadScreeningSeries for many stocks up to one end day: the year files of the span stay open
// for the whole pass and each slot is read once per stock. Load may run on several threads at
// once, each with buffers of its own.
class ScreeningSeriesReader {
 public:
  // Per-thread room for one load: a slot and the day number of every entry.
  struct Buffers {
    SlotRecords slot;
    std::array<DayNumber, kScreeningCapacity + 1> days;  // days[i]: the day of entry i
    std::array<ScreeningEntry, kScreeningCapacity> newest_first;
    std::array<DayNumber, kScreeningCapacity> newest_days;
  };

  // The same count, adjustment, end and local date as LoadScreeningSeries takes. Throws
  // FileError when a year file cannot be opened.
  ScreeningSeriesReader(const ProgramFolder& folder, int count, bool adjust, DayNumber end,
                        DayNumber today);

  // Exactly the entries LoadScreeningSeries would give for the code, with their days in
  // buffers.days[1..result]. Throws FileError when a year file cannot be read.
  int Load(int code, ScreeningSeries& series, Buffers& buffers) const;

  DayNumber End() const { return end_; }

  // Walking a stock's stored days newest first: adds the day as the next entry, restated by
  // `factor` when adjusting (then its split joins the factor, so that a split restates the days
  // before it and not its own day). A day whose close restates to nothing adds no entry.
  static void TakeNewest(const DayRecord& stored, DayNumber day, bool adjust, float& factor,
                         Buffers& buffers, int& count);
  // Moves the `count` entries taken into series[1..count] oldest first, their days into
  // buffers.days; returns count.
  static int PutOldestFirst(int count, ScreeningSeries& series, Buffers& buffers);

 private:
  YearFileReader* FileOf(int year) const;

  bool accepted_;
  bool adjust_;
  DayNumber first_;
  DayNumber end_;
  int first_year_;
  int end_year_;
  int split_year_;  // the newest year whose splits restate the span; below end_year_: none
  std::vector<std::unique_ptr<YearFileReader>> files_;  // by year from first_year_
};

}  // namespace varnolt
