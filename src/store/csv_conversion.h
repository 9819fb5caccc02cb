#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "store/csv_price_line.h"
#include "store/year_file.h"

namespace varnolt {

// CSV price lines ("2005/1/4,7203,4000,4050,3980,4020,5123400,1.5株") merged into the year price
// files: a field a line gives replaces the stored one; everything else stays.

enum class Grouping {
  kFirstLine,  // a file belongs to the year of its first line (the server's daily files)
  kEveryLine,  // and to every year its lines change to (the user's files)
};

// Years the store can hold; lines of other years are skipped.
inline constexpr int kFirstStoreYear = 1985;
inline constexpr int kLastStoreYear = 2085;

struct ConversionSummary {
  int skipped_lines = 0;  // code outside 1–9999, 31 December of a leap year, year out of range
};

// The rows one year's lines contribute, in file and line order; lines of other years are
// passed over. Throws CsvLineError.
std::vector<DayRow> ReadYearRows(const std::vector<std::filesystem::path>& files, int year,
                                 int& skipped_lines);

// One year: all rows from the files, written with one WriteDayRecords call.
void ConvertYear(const std::vector<std::filesystem::path>& files,
                 const std::filesystem::path& year_file, int year, ConversionSummary& summary);

// Sorts the files into year groups and converts the years in ascending order. Each file is read
// from disk once while the run's files fit in memory together.
ConversionSummary ConvertCsvFiles(const std::vector<std::filesystem::path>& files,
                                  const std::filesystem::path& data_dir, Grouping grouping);

}  // namespace varnolt
