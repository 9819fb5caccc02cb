#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "base/text_file.h"

namespace varnolt {

// The stock selection saved with a condition list: a market and sector (indexes into the
// filter lists) or the checked stocks under a check filter ("◎" for all, "◎G◎" for group G).
struct StockSelection {
  bool checked = false;
  int market_index = 0;
  int sector_index = 0;
  std::string check_filter;

  // The catalogue filter text that lists the selected stocks.
  std::string Filter(const std::vector<std::string>& sectors) const;
};

// A condition list with its selection, as a condition-set file holds them.
struct ConditionSet {
  StockSelection selection;
  Lines conditions;
};

inline constexpr std::string_view kConditionSetMark = "---screening---";

// Line 1 of the file: "---screening---," sector "," market, or "---screening---,check," filter.
std::string SelectionLine(const StockSelection& selection);

// The set in a file's lines; nothing when no line contains the mark. Line 1 is read as the
// selection and the lines after it are the conditions. Throws ConversionError when line 1
// names a market or sector by something other than a whole number.
std::optional<ConditionSet> ParseConditionSet(const Lines& lines);

// Shift_JIS with CR LF on disk. Reading throws FileError when the file cannot be read.
std::optional<ConditionSet> ReadConditionSetFile(const std::filesystem::path& path);
void WriteConditionSetFile(const std::filesystem::path& path, const ConditionSet& set);

}  // namespace varnolt
