#include "indicators/kagi_statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "base/numbers.h"

namespace varnolt {
namespace {

// A line's move as the listing shows it: yen with two decimals, or percent of `from` rounded
// to hundredths.
std::string MoveText(int32_t from, int32_t to, bool percent) {
  const double move = std::abs(static_cast<double>(from) - to);
  char buffer[64];
  if (!percent) {
    std::snprintf(buffer, sizeof buffer, "%.2f", move);
    return buffer;
  }
  const double share = from > 0 ? static_cast<double>(RoundHalfEven(move * 10000 / from)) / 100 : 0;
  std::snprintf(buffer, sizeof buffer, "%.2f", share);
  return std::string(buffer) + "　％";
}

// One row per distinct value of an ascending list: the value and how often it occurs.
void AppendTally(std::string& text, const std::vector<int>& values) {
  for (size_t i = 0; i < values.size();) {
    size_t j = i;
    while (j < values.size() && values[j] == values[i]) ++j;
    text += std::to_string(values[i]) + "　：　" + std::to_string(j - i) + "　回　\r\n";
    i = j;
  }
}

// The bars counted from one turning point to another, both included.
int Span(int bar_a, int bar_b) {
  return std::abs(bar_a - bar_b) + 1;
}

}  // namespace

int64_t KagiLength(const KagiLine& line, const KagiWidth& width) {
  const double move = std::abs(static_cast<double>(line.start) - line.end);
  const double unit = width.percent ? width.amount * line.start : width.amount;
  if (!(unit > 0)) return -1;
  const double amounts = width.percent ? move * 100 / unit : move / unit;
  if (amounts > KagiCounts::kLongest + 1) return KagiCounts::kLongest + 1;
  // A hair over the quotient, so that a move of exactly three amounts of 0.1 counts as 3 and
  // not as 2.9999….
  return static_cast<int64_t>(std::floor(amounts + 1e-9));
}

KagiCounts CountKagiLines(std::span<const KagiLine> lines, const KagiWidth& width) {
  KagiCounts counts;
  const int n = static_cast<int>(lines.size());
  // Lines numbered from 1 as the chart numbers them.
  auto line = [&lines](int k) -> const KagiLine& { return lines[k - 1]; };
  for (int k = 2; k < n; ++k) {
    const int64_t length = KagiLength(line(k), width);
    if (length < 0 || length > KagiCounts::kLongest) {
      counts.too_fine = true;
      counts.largest = KagiCounts::kLongest + 1;
    } else {
      counts.largest = std::max(counts.largest, static_cast<int>(length));
      ++counts.by_length[length];
    }
    counts.periods.push_back(Span(line(k).bar, line(k - 1).bar));
    if (k > 2 && k % 2 == 1) counts.cycles.push_back(Span(line(k).bar, line(k - 2).bar));
  }
  std::sort(counts.periods.begin(), counts.periods.end());
  std::sort(counts.cycles.begin(), counts.cycles.end());
  return counts;
}

std::string KagiStatisticsText(const KagiListing& listing, bool wanted) {
  const std::span<const KagiLine> lines = listing.lines;
  const int n = static_cast<int>(lines.size());
  if (n == 0 || (!listing.time_axis && n == 1)) return {};
  const KagiCounts counts = CountKagiLines(lines, listing.width);
  if (counts.too_fine) return std::string(kKagiTooFine) + "\r\n";
  if (!wanted) return {};

  std::string text;
  auto put = [&text](std::string_view row) { text.append(row).append("\r\n"); };
  auto line = [&lines](int k) -> const KagiLine& { return lines[k - 1]; };
  const bool percent = listing.width.percent;

  put(listing.header);
  double s = listing.width.amount;
  if (percent) {
    s = static_cast<double>(RoundHalfEven(s * 10)) / 10;
    put("パーセント値幅  " + FormatShortest(s));
  } else {
    put("固定値幅  " + FormatShortest(s));
  }

  if (listing.time_axis && !counts.periods.empty()) {
    put("///　ﾀｲﾑ･ﾋﾟﾘｵﾄﾞの統計");
    AppendTally(text, counts.periods);
    put("///　ﾀｲﾑ･ｻｲｸﾙの統計");
    AppendTally(text, counts.cycles);
    put("///　値幅の統計");
  }

  int total = 0;
  for (int k = 0; k <= counts.largest; ++k) {
    put(FormatShortest(k * s) + "　以上　" + FormatShortest(s + k * s) + "　未満　：　" +
        std::to_string(counts.by_length[k]) + " 本　");
    total += counts.by_length[k];
  }
  put("///");
  put("総計 ：　" + std::to_string(total) + "　本");

  // The cycles of the open line and of the move since run from the last odd-numbered turning
  // point, where the closed cycles start and end.
  const KagiLine& current = line(n);
  std::string row = "現在のカギ足：　" + std::to_string(current.start) + "　→　" +
                    std::to_string(current.end) + "　値幅　" +
                    MoveText(current.start, current.end, percent);
  if (listing.time_axis && n > 1) {
    row += "　ﾀｲﾑ･ﾋﾟﾘｵﾄﾞ　" + std::to_string(Span(current.bar, line(n - 1).bar)) + "　ﾀｲﾑ･ｻｲｸﾙ　" +
           std::to_string(Span(current.bar, line(2 * (n / 2) - 1).bar));
  }
  put(row);

  if (listing.last_close != current.end) {
    row = "最新日の逆行：　" + std::to_string(current.end) + "　→　" +
          std::to_string(listing.last_close) + "　値幅　" +
          MoveText(current.end, listing.last_close, percent);
    if (listing.time_axis && n > 1) {
      row += "　ﾀｲﾑ･ﾋﾟﾘｵﾄﾞ　" + std::to_string(Span(listing.last_bar, current.bar)) +
             "　ﾀｲﾑ･ｻｲｸﾙ　" +
             std::to_string(Span(listing.last_bar, line(2 * ((n + 1) / 2) - 1).bar));
    }
    put(row);
  }
  if (listing.time_axis) put("");
  return text;
}

}  // namespace varnolt
