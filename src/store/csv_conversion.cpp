#include "store/csv_conversion.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "base/file_error.h"
#include "base/messages.h"
#include "base/numbers.h"
#include "base/text_file.h"
#include "store/csv_price_line.h"

namespace varnolt {
namespace {

// The run keeps the files it has read up to this many bytes in all, so that each is read
// from disk once; a file beyond it is read again for each year it belongs to.
constexpr size_t kKeptBytes = size_t{256} << 20;

// Calls visit(line, number) for each line, numbered from 1, cut as SplitLines cuts them: CR LF,
// LF and a lone CR end a line, and a final line end adds no empty line.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  size_t number = 0;
  size_t start = 0;
  size_t lf = text.find('\n');
  while (start < text.size()) {
    if (lf < start) lf = text.find('\n', start);
    const size_t stop = std::min(lf, text.size());
    const size_t cr = text.substr(0, stop).find('\r', start);
    visit(text.substr(start, (cr == std::string_view::npos ? stop : cr) - start), ++number);
    if (cr == std::string_view::npos) {
      start = stop + 1;
    } else {
      start = cr + 1 < text.size() && text[cr + 1] == '\n' ? cr + 2 : cr + 1;
    }
  }
}

// The year a line begins with, when its first four characters read as a whole number.
std::optional<int> LeadingYear(std::string_view line) {
  const std::string_view head = line.substr(0, 4);
  if (head.size() == 4 && head.find_first_not_of("0123456789") == std::string_view::npos) {
    return (head[0] - '0') * 1000 + (head[1] - '0') * 100 + (head[2] - '0') * 10 + (head[3] - '0');
  }
  return ParseInt(head);
}

bool InStoreRange(int year) {
  return year >= kFirstStoreYear && year <= kLastStoreYear;
}

// The Shift_JIS bytes of the run's files, as far as they are kept.
using KeptFiles = std::map<std::filesystem::path, std::string>;

// Adds the rows of the year from one file's bytes.
void AddYearRows(std::string_view bytes, const std::filesystem::path& file, bool count_skips,
                 PriceLineReader& reader, std::vector<DayRow>& rows, int& skipped_lines) {
  DayRow row;
  ForEachLine(bytes, [&](std::string_view line, size_t number) {
    switch (reader.Read(line, file, number, row)) {
      case PriceLine::kRow:
        rows.push_back(row);
        break;
      case PriceLine::kSkipped:
        skipped_lines += count_skips;
        break;
      case PriceLine::kPassedOver:
        break;
    }
  });
}

std::vector<DayRow> YearRows(const std::vector<std::filesystem::path>& files, int year,
                             const KeptFiles& kept, int& skipped_lines) {
  PriceLineReader reader(year);
  std::vector<DayRow> rows;
  std::set<std::filesystem::path> counted;  // a file may stand in a group more than once
  for (const auto& file : files) {
    const bool count_skips = counted.insert(file).second;
    if (const auto found = kept.find(file); found != kept.end()) {
      AddYearRows(found->second, file, count_skips, reader, rows, skipped_lines);
    } else {
      AddYearRows(ReadBytes(file), file, count_skips, reader, rows, skipped_lines);
    }
  }
  return rows;
}

}  // namespace

std::vector<DayRow> ReadYearRows(const std::vector<std::filesystem::path>& files, int year,
                                 int& skipped_lines) {
  return YearRows(files, year, {}, skipped_lines);
}

void ConvertYear(const std::vector<std::filesystem::path>& files,
                 const std::filesystem::path& year_file, int year, ConversionSummary& summary) {
  // Every line is read before anything is written, so a bad line leaves the year file as it was.
  WriteDayRecords(year_file, ReadYearRows(files, year, summary.skipped_lines));
}

ConversionSummary ConvertCsvFiles(const std::vector<std::filesystem::path>& files,
                                  const std::filesystem::path& data_dir, Grouping grouping) {
  ConversionSummary summary;
  std::map<int, std::vector<std::filesystem::path>> groups;
  std::set<std::pair<std::filesystem::path, int>> counted;
  KeptFiles kept;
  size_t kept_bytes = 0;
  auto add = [&](int year, const std::filesystem::path& file, std::string_view bytes) {
    if (InStoreRange(year)) {
      groups[year].push_back(file);
      return;
    }
    // A year the store cannot hold: the file's lines of that year are counted as skipped.
    if (!counted.emplace(file, year).second) return;
    ForEachLine(bytes, [&](std::string_view line, size_t) {
      if (LeadingYear(line) == year) ++summary.skipped_lines;
    });
  };
  for (const auto& file : files) {
    std::string bytes = ReadBytes(file);
    if (bytes.empty()) throw CsvLineError(NoLinesMessage(DisplayName(file)));
    std::optional<int> previous;
    ForEachLine(bytes, [&](std::string_view line, size_t number) {
      if (number > 1 && (grouping != Grouping::kEveryLine || !previous)) return;
      const auto year = LeadingYear(line);
      if (!year) return;
      if (*year != previous) add(*year, file, bytes);
      previous = year;
    });
    if (previous && kept_bytes + bytes.size() <= kKeptBytes && !kept.contains(file)) {
      kept_bytes += bytes.size();
      kept.emplace(file, std::move(bytes));
    }
  }
  for (const auto& [year, group] : groups) {
    // Every line is read before anything is written, so a bad line leaves the year file as it
    // was.
    WriteDayRecords(data_dir / (std::to_string(year) + ".kbk"),
                    YearRows(group, year, kept, summary.skipped_lines));
  }
  return summary;
}

}  // namespace varnolt
