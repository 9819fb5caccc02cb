#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

#include "base/program_folder.h"
#include "base/text_file.h"
#include "series/calendar.h"
#include "store/year_file.h"

namespace varnolt::testing {

// A program folder with a catalogue, a holiday list and year price files, built from rows dated
// by compact dates (20040315). Rows are queued and written by Flush, one WriteDayRecords per
// year, so that decades of prices cost a few dozen file writes.
class PriceStore {
 public:
  // Creates the folder's "data" folder.
  explicit PriceStore(const std::filesystem::path& root);

  const ProgramFolder& Folder() const { return folder_; }

  void WriteCatalogue(const Lines& lines) const;
  void WriteHolidays(const Lines& lines) const;

  // One day's prices as traded; a negative volume is in units of 10,000 shares.
  PriceStore& Day(int code, int32_t compact, int32_t open, int32_t high, int32_t low, int32_t close,
                  int32_t volume = 0);
  // A day whose open, high, low and close are all `close`.
  PriceStore& Close(int code, int32_t compact, int32_t close, int32_t volume = 0);
  // The split factor of a day, leaving its prices as they are.
  PriceStore& Split(int code, int32_t compact, float factor);
  // Queues a row for the day of the day number; the day must have a record (not 31 December
  // of a leap year).
  PriceStore& Row(DayNumber day, DayRow row);

  void Flush();

 private:
  ProgramFolder folder_;
  std::map<int, std::vector<DayRow>> pending_;  // by year
};

// The day number of a compact date; the date must be valid.
DayNumber DayOf(int32_t compact);

}  // namespace varnolt::testing
