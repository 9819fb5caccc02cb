#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/controls.h"
#include "base/program_folder.h"
#include "base/text_file.h"
#include "series/bar_table.h"
#include "series/screening_series.h"

namespace varnolt {

// Buy and sell signals on a daily chart: each condition set is evaluated at every displayed
// bar, as of that bar, over the 300 trading days ending there, and a bar where a set passes
// gets a mark labelled with the set's number.

inline constexpr int kSignalSeriesLength = 300;

// An item of the buy or sell list: "条件" + n + ": " + path.
std::string SignalListItem(int number, std::string_view path);
// The path of an item: the trimmed text after its first ":".
std::string SignalItemPath(std::string_view item);
// The conditions of a set file: every line after line 1. Throws FileError when it cannot be
// read.
Lines ReadSignalSet(const std::filesystem::path& path);

// The condition lists of the buy and the sell list, in list order; set n is element n − 1.
struct SignalSets {
  std::vector<Lines> buy;
  std::vector<Lines> sell;
};

// One mark: the bar, +1 for buy or −1 for sell, the set's number within its list, and the
// price the mark stands at (the high of the bar's last entry for buy, its low for sell).
struct SignalMark {
  int bar = 0;
  int side = 0;
  int number = 0;
  int32_t price = 0;
  bool operator==(const SignalMark&) const = default;
};

// What the evaluation reads besides the bars: the store (for bars with fewer than 300 bars
// before them), the indicator periods, and the local date for split adjustment.
struct SignalScope {
  const ProgramFolder& folder;
  const ControlValues& controls;
  DayNumber today;
};

// The series of the last bar evaluated and its entry count, for the diagnostic listing.
struct SignalTrace {
  std::unique_ptr<ScreeningSeries> series = std::make_unique<ScreeningSeries>();
  int count = 0;
};

// The marks of every displayed bar in drawing order: bar by bar, the buy sets in list order,
// then the sell sets. None unless the bars are loaded and daily. A bar whose series cannot be
// loaded passes no set; a set without conditions passes wherever the series has an entry.
// Throws FileError when a year file cannot be read.
std::vector<SignalMark> FindSignals(const LoadedSeries& data, const SignalSets& sets,
                                    const SignalScope& scope, SignalTrace* trace = nullptr);

// The same marks, each bar's sets handed one by one to the one-stock condition list evaluator.
// Slower: kept as the reference the shared-work version is checked against.
std::vector<SignalMark> FindSignalsBarByBar(const LoadedSeries& data, const SignalSets& sets,
                                            const SignalScope& scope);

// The diagnostic listing of a trace: per entry j, the date of bar (last − count + j) and the
// close, then the five result slots rounded to a tenth, joined by "/".
Lines SignalTraceListing(const LoadedSeries& data, const SignalTrace& trace);

}  // namespace varnolt
