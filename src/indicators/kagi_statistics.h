#pragma once

// The kagi statistics on the statistics page: how long the closed lines were, in reversal
// amounts, and on the time axis how many bars lay between turning points (time periods) and
// between every other turning point (time cycles), then the current line and the move since.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "indicators/kagi_construction.h"

namespace varnolt {

inline constexpr const char* kKagiTooFine = "間隔が小刻みすぎます。";

// Lines 2 .. n−1 of a chart: line 1 starts at an arbitrary close and line n is still open.
struct KagiCounts {
  static constexpr int kLongest = 1000;
  std::vector<int> by_length = std::vector<int>(kLongest + 1);  // index = length in amounts
  int largest = 0;
  bool too_fine = false;     // a line beyond kLongest amounts, or an amount of zero or below
  std::vector<int> periods;  // ascending
  std::vector<int> cycles;   // ascending
};

// The length of a line in whole reversal amounts: how many amounts its move covers, so that it
// belongs to the listing's row "k·s 以上 (k+1)·s 未満". Negative when the line cannot be
// measured (an amount of zero or below, a start of zero in percent).
int64_t KagiLength(const KagiLine& line, const KagiWidth& width);

KagiCounts CountKagiLines(std::span<const KagiLine> lines, const KagiWidth& width);

struct KagiListing {
  std::string header;  // unit caption, "　", first and last dates of the bar list
  KagiWidth width;
  std::span<const KagiLine> lines;
  int last_bar = 0;  // last displayed bar and its close
  int32_t last_close = 0;
  bool time_axis = false;  // adds the periods, cycles and the bars of the current line
};

// What the chart appends to the statistics page, with "\r\n" line ends: kKagiTooFine alone
// when a line is too long to count; the listing when `wanted` (cbshowosci); otherwise nothing.
std::string KagiStatisticsText(const KagiListing& listing, bool wanted);

}  // namespace varnolt
