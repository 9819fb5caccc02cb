#include "net/reply.h"

#include <algorithm>
#include <charconv>

#include "base/text_file.h"

namespace varnolt {
namespace {

// Year lines and the last covered day name no year before this.
constexpr int kFirstListedYear = 1900;

bool IsDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<int> SmallNumber(std::string_view digits) {
  if (!IsDigits(digits) || digits.size() > 9) return std::nullopt;
  int value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name.size() > 64 || name.front() == '.') return false;
  if (name.find("..") != std::string_view::npos) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
  });
}

bool IsValidReply(std::string_view text) {
  if (text.empty()) return false;
  for (std::string_view marker : {"<html", "<HTML", "<Html"}) {
    if (text.find(marker) != std::string_view::npos) return false;
  }
  return true;
}

DayNumber DayOfName(std::string_view name) {
  if (name.size() != 13 || (name[0] != 'h' && name[0] != 'd') || !name.ends_with(".dat")) {
    return 0;
  }
  const std::string_view digits = name.substr(1, 8);
  if (!IsDigits(digits)) return 0;
  const int year = *SmallNumber(digits.substr(0, 4));
  const int month = *SmallNumber(digits.substr(4, 2));
  const int day = *SmallNumber(digits.substr(6, 2));
  return IsValidCivil(year, month, day) ? DayFromCivil(year, month, day) : 0;
}

std::optional<std::vector<std::string>> ParseListing(std::string_view reply) {
  const Lines lines = SplitLines(reply);
  const auto open = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return EqualsIgnoringCase(l, "<dir>");
  });
  const auto close = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return EqualsIgnoringCase(l, "</dir>");
  });
  if (open == lines.end() || close == lines.end() || close < open) return std::nullopt;
  std::vector<std::string> names;
  for (auto line = open + 1; line < close; ++line) {
    if (line->empty()) continue;
    if (!IsPlainFileName(*line)) return std::nullopt;
    names.push_back(*line);
  }
  return names;
}

std::optional<YearLine> ParseYearLine(std::string_view line) {
  const size_t comma = line.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::string_view name = Trim(line.substr(0, comma));
  const std::optional<int> parts = SmallNumber(Trim(line.substr(comma + 1)));
  if (name.size() != 8 || !name.ends_with(".dat") || !IsDigits(name.substr(0, 4))) {
    return std::nullopt;
  }
  const int year = *SmallNumber(name.substr(0, 4));
  if (year < kFirstListedYear || !parts || *parts < 1 || *parts > 1000) return std::nullopt;
  return YearLine{year, *parts};
}

std::optional<YearList> ParseYearList(std::string_view reply, bool with_last_day) {
  YearList list;
  bool first = true;
  for (const std::string& raw : SplitLines(reply)) {
    const std::string_view line = Trim(raw);
    if (first && with_last_day) {
      first = false;
      list.last_day = SlashToDay(line);
      // A day before the first year a year line may name is no day this store covers.
      if (list.last_day == 0 || CivilFromDay(list.last_day).year < kFirstListedYear) {
        return std::nullopt;
      }
      continue;
    }
    if (line.empty()) continue;
    const std::optional<YearLine> year = ParseYearLine(line);
    if (!year) return std::nullopt;
    list.years.push_back(*year);
  }
  if (with_last_day && list.last_day == 0) return std::nullopt;
  return list;
}

std::string PartName(int year, int part) {
  return std::to_string(year) + "_" + std::to_string(part) + ".dat";
}

}  // namespace varnolt
