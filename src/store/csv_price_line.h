#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/dates.h"
#include "store/year_file.h"

namespace varnolt {

// A line that stops the run: the message names the file and the line. Years converted before
// it keep what was written; its own year file is unchanged; later years are not converted.
class CsvLineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class PriceLine {
  kRow,         // the row of a day of the year
  kPassedOver,  // blank, a heading, or another year's line
  kSkipped,     // a line the store cannot hold: code outside 1–9999 or day 366
};

// Reads the CSV price lines of one year straight from their Shift_JIS bytes. The fields that
// make a row are ASCII and read in place; only a text that a message shows or that is searched
// for "株" is decoded.
class PriceLineReader {
 public:
  explicit PriceLineReader(int year);

  // Fills `row` for kRow. Throws CsvLineError naming `file` and the line `number`.
  PriceLine Read(std::string_view line, const std::filesystem::path& file, size_t number,
                 DayRow& row);

 private:
  DayNumber DayOf(std::string_view date);

  std::string year_text_;
  DayNumber new_year_;
  DayNumber next_new_year_;
  // Lines of a file come day by day: the last date text read and its day.
  char last_date_[16] = {};
  size_t last_date_size_ = 0;
  DayNumber last_day_ = 0;
};

}  // namespace varnolt
