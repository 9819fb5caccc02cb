#include "chart/auto_display.h"

#include <algorithm>

#include "base/messages.h"

namespace varnolt {
namespace {

// ASCII letters compared without case; other bytes (Japanese text) compare as they are.
bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

Lines ReadRecords(const ProgramFolder& folder, int data_number) {
  return ReadLinesIfPresent(PatternRecordsFile(folder, data_number)).value_or(Lines{});
}

}  // namespace

std::filesystem::path PatternNamesFile(const ProgramFolder& folder, int data_number) {
  return folder.File(data_number == 2 ? "自動表示2.txt" : "自動表示1.txt");
}

std::filesystem::path PatternRecordsFile(const ProgramFolder& folder, int data_number) {
  return folder.File(data_number == 2 ? "自動処理2.txt" : "自動処理1.txt");
}

Lines LoadPatternNames(const ProgramFolder& folder, int data_number) {
  return ReadLinesIfPresent(PatternNamesFile(folder, data_number)).value_or(Lines{});
}

std::string MemoriseWarning(int data_number, std::string_view record) {
  if (!record.empty()) return {};
  return data_number == 2 ? kNothingToMemorise2 : kNothingToMemorise1;
}

PatternChange MemorisePattern(const ProgramFolder& folder, int data_number, const Lines& names,
                              std::string_view name, std::string_view record) {
  if (std::ranges::any_of(names, [&](const std::string& n) { return SameName(n, name); }))
    return {kSamePatternNameMessage, names};
  Lines records = ReadRecords(folder, data_number);
  // A record file longer than the names (an earlier interrupted memorise) is cut back.
  records.resize(names.size());
  records.emplace_back(record);
  WriteLines(PatternRecordsFile(folder, data_number), records);
  Lines grown = names;
  grown.emplace_back(name);
  WriteLines(PatternNamesFile(folder, data_number), grown);
  return {{}, grown};
}

std::string DeleteWarning(int index) {
  return index == 0 ? kStandardPatternMessage : "";
}

PatternChange DeletePattern(const ProgramFolder& folder, int data_number, const Lines& names,
                            int index) {
  if (index < 0 || static_cast<size_t>(index) >= names.size()) return {{}, names};
  Lines records = ReadRecords(folder, data_number);
  if (static_cast<size_t>(index) < records.size()) {
    records.erase(records.begin() + index);
    WriteLines(PatternRecordsFile(folder, data_number), records);
  }
  Lines shrunk = names;
  shrunk.erase(shrunk.begin() + index);
  WriteLines(PatternNamesFile(folder, data_number), shrunk);
  return {{}, shrunk};
}

std::string PatternRecord(const ProgramFolder& folder, int data_number, int index) {
  const Lines records = ReadRecords(folder, data_number);
  if (index < 0 || static_cast<size_t>(index) >= records.size()) return {};
  return records[index];
}

}  // namespace varnolt
