#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dates.h"

namespace varnolt {

// Every reply of the data server is untrusted until these checks pass.

// A name the server gives for a file the program will write: letters, digits, ".", "_" and "-"
// only, at most 64 characters, not starting with "." and without "..", so it can never leave
// the folder it is written into.
bool IsPlainFileName(std::string_view name);

// Not empty and no HTML error page ("<html", "<HTML" or "<Html").
bool IsValidReply(std::string_view text);

// The day of a price transfer file name: "h" or "d", eight digits of a valid date, ".dat"
// (for instance h20050131.dat); 0 for any other name.
DayNumber DayOfName(std::string_view name);

// A directory listing: the file names between the lines "<dir>" and "</dir>" (either case),
// blank lines skipped. Nothing when a marker is missing or out of order, or when a name is not
// a plain file name.
std::optional<std::vector<std::string>> ParseListing(std::string_view reply);

// A year line "2004.dat,5" (blanks around the fields ignored): the year price file of a year
// carried in 1 to 1000 parts.
struct YearLine {
  int year = 0;
  int parts = 0;
  bool operator==(const YearLine&) const = default;
};
std::optional<YearLine> ParseYearLine(std::string_view line);

// kbk1.dat (year lines only) and kbk2.dat (first the last covered day "yyyy/mm/dd"). Blank lines
// are skipped; any other line that does not read makes the whole reply invalid.
struct YearList {
  DayNumber last_day = 0;  // kbk2.dat only
  std::vector<YearLine> years;
};
std::optional<YearList> ParseYearList(std::string_view reply, bool with_last_day);

// The name of part k of a year's transfer file: "2004_1.dat".
std::string PartName(int year, int part);

}  // namespace varnolt
