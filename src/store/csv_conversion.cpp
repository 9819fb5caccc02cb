#include "store/csv_conversion.h"

#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <set>

#include "base/dates.h"
#include "base/fields.h"
#include "base/file_error.h"
#include "base/messages.h"
#include "base/numbers.h"
#include "base/text_file.h"

namespace varnolt {
namespace {

// The year a line begins with, when its first four characters read as a whole number.
std::optional<int> LeadingYear(const std::string& line) {
  return ParseInt(line.substr(0, 4));
}

bool InStoreRange(int year) {
  return year >= kFirstStoreYear && year <= kLastStoreYear;
}

[[noreturn]] void FailLine(const std::filesystem::path& file, size_t line_number,
                           const std::string& what) {
  throw CsvLineError(CsvLineMessage(DisplayName(file), line_number, what));
}

// The volume field; ten or more digits are stored negated in units of 10,000 shares, the last
// four digits dropped, so that the value fits 32 bits.
std::optional<int32_t> ParseVolume(std::string_view field) {
  std::string text(TrimText(field));
  if (text.size() > 9) text = "-" + text.substr(0, text.size() - 4);
  return ParseInt(text);
}

enum class LineResult { kRow, kPassedOver, kSkipped };

LineResult ReadLine(const std::string& line, const std::string& year_text, int year,
                    DayNumber new_year, const std::filesystem::path& file, size_t number,
                    DayRow& row) {
  if (TrimText(line).empty() || line.compare(0, 4, year_text) != 0 || line.size() < 4) {
    return LineResult::kPassedOver;
  }
  std::string rest = line;
  const std::string date = SplitField(rest, ",");
  const std::string code_text = SplitField(rest, ",");
  const auto code = ParseInt(TrimText(code_text));
  if (!code) FailLine(file, number, NotANumberMessage(code_text));
  const DayNumber day = SlashToDay(TrimText(date));
  if (day == 0 || CivilFromDay(day).year != year) {
    FailLine(file, number, NotADateMessage(date));
  }
  const int day_index = day - new_year + 1;
  if (*code < 1 || *code > 9999 || day_index > kDaysPerSlot) return LineResult::kSkipped;

  row = DayRow{*code, day_index, {}, {}, {}, {}, {}, {}};
  // A price that does not read ("-", empty, a decimal) leaves the stored price as it is.
  for (auto* price : {&row.open, &row.high, &row.low, &row.close}) {
    *price = ParseInt(TrimText(SplitField(rest, ",")));
  }
  const std::string volume = SplitField(rest, ",");
  if (!TrimText(volume).empty()) {
    row.volume = ParseVolume(volume);
    if (!row.volume) FailLine(file, number, NotANumberMessage(volume));
  }
  const auto mark = rest.find("株");
  const std::string_view split = TrimText(
      mark == std::string::npos ? std::string_view() : std::string_view(rest).substr(0, mark));
  if (!split.empty()) {
    // The factor is stored as a 32-bit float: a number beyond its range would become infinite.
    const auto factor = ParseDecimal(split);
    if (!factor || std::fabs(*factor) > std::numeric_limits<float>::max()) {
      FailLine(file, number, NotANumberMessage(split));
    }
    row.split = static_cast<float>(*factor);
  }
  return LineResult::kRow;
}

}  // namespace

std::vector<DayRow> ReadYearRows(const std::vector<std::filesystem::path>& files, int year,
                                 int& skipped_lines) {
  const std::string year_text = std::to_string(year);
  const DayNumber new_year = DayFromCivil(year, 1, 1);
  std::vector<DayRow> rows;
  std::set<std::filesystem::path> counted;  // a file may stand in a group more than once
  for (const auto& file : files) {
    const Lines lines = ReadLines(file);
    const bool count_skips = counted.insert(file).second;
    for (size_t i = 0; i < lines.size(); ++i) {
      DayRow row;
      switch (ReadLine(lines[i], year_text, year, new_year, file, i + 1, row)) {
        case LineResult::kRow:
          rows.push_back(row);
          break;
        case LineResult::kSkipped:
          skipped_lines += count_skips;
          break;
        case LineResult::kPassedOver:
          break;
      }
    }
  }
  return rows;
}

void ConvertYear(const std::vector<std::filesystem::path>& files,
                 const std::filesystem::path& year_file, int year, ConversionSummary& summary) {
  // Every line is read before anything is written, so a bad line leaves the year file as it was.
  const std::vector<DayRow> rows = ReadYearRows(files, year, summary.skipped_lines);
  WriteDayRecords(year_file, rows);
}

ConversionSummary ConvertCsvFiles(const std::vector<std::filesystem::path>& files,
                                  const std::filesystem::path& data_dir, Grouping grouping) {
  ConversionSummary summary;
  std::map<int, std::vector<std::filesystem::path>> groups;
  std::set<std::pair<std::filesystem::path, int>> counted;
  auto add = [&](int year, const std::filesystem::path& file, const Lines& lines) {
    if (InStoreRange(year)) {
      groups[year].push_back(file);
      return;
    }
    // A year the store cannot hold: the file's lines of that year are counted as skipped.
    if (!counted.emplace(file, year).second) return;
    for (const auto& line : lines) {
      if (LeadingYear(line) == year) ++summary.skipped_lines;
    }
  };
  for (const auto& file : files) {
    const Lines lines = ReadLines(file);
    if (lines.empty()) throw CsvLineError(NoLinesMessage(DisplayName(file)));
    const auto first_year = LeadingYear(lines.front());
    if (!first_year) continue;  // a heading or another kind of file
    add(*first_year, file, lines);
    if (grouping != Grouping::kEveryLine) continue;
    int previous = *first_year;
    for (size_t i = 1; i < lines.size(); ++i) {
      const auto year = LeadingYear(lines[i]);
      if (!year) continue;
      if (*year != previous) add(*year, file, lines);
      previous = *year;
    }
  }
  for (const auto& [year, group] : groups) {
    ConvertYear(group, data_dir / (std::to_string(year) + ".kbk"), year, summary);
  }
  return summary;
}

}  // namespace varnolt
