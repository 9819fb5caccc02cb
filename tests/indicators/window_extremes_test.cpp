#include "indicators/window_extremes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace varnolt {
namespace {

constexpr int32_t kGuard = -123456789;
constexpr size_t kGuards = 4;

// Runs both scans over `values` and checks every position against a plain scan of the last
// `width` values (cut at the first). The result and scratch buffers are exactly as long as the
// values and followed by guard entries that must stay untouched.
void ExpectSameAsScan(const std::vector<int32_t>& values, int width) {
  const size_t count = values.size();
  std::vector<int32_t> highest(count + kGuards, kGuard), lowest(count + kGuards, kGuard);
  std::vector<int32_t> scratch(count + kGuards, kGuard);
  SlidingHighest(values, width, std::span(highest).first(count), std::span(scratch).first(count));
  SlidingLowest(values, width, std::span(lowest).first(count), std::span(scratch).first(count));
  for (size_t k = 0; k < count; ++k) {
    const auto from =
        values.begin() + static_cast<ptrdiff_t>(k + 1 - std::min<size_t>(k + 1, width));
    const auto to = values.begin() + static_cast<ptrdiff_t>(k + 1);
    ASSERT_EQ(highest[k], *std::max_element(from, to)) << "width " << width << ", position " << k;
    ASSERT_EQ(lowest[k], *std::min_element(from, to)) << "width " << width << ", position " << k;
  }
  for (size_t k = count; k < count + kGuards; ++k) {
    EXPECT_EQ(highest[k], kGuard) << "width " << width << ": wrote past the values";
    EXPECT_EQ(lowest[k], kGuard) << "width " << width << ": wrote past the values";
    EXPECT_EQ(scratch[k], kGuard) << "width " << width << ": wrote past the values";
  }
}

TEST(WindowExtremes, MatchesAPlainScanOnRandomValuesWithTies) {
  std::mt19937 random(42);
  // Few distinct values, so equal extremes meet in the window all the time; and the full range.
  std::uniform_int_distribution<int32_t> few(-3, 3);
  std::uniform_int_distribution<int32_t> wide(INT32_MIN, INT32_MAX);
  for (int count : {0, 1, 2, 7, 60, 300, 999}) {
    for (bool ties : {true, false}) {
      std::vector<int32_t> values;
      for (int k = 0; k < count; ++k) values.push_back(ties ? few(random) : wide(random));
      // Width 1, widths inside the series, dividing its length or not, its length and beyond.
      for (int width : {1, 2, 3, 9, 26, 52, count - 1, count, count + 1, 10000}) {
        if (width >= 1) ExpectSameAsScan(values, width);
      }
    }
  }
}

TEST(WindowExtremes, RunsThatRiseFallAndStayFlat) {
  // Monotonic runs put the extreme at either end of the window, and flat runs tie throughout;
  // their lengths do not line up with the widths, so windows straddle the run boundaries.
  std::vector<int32_t> values;
  for (int k = 0; k < 40; ++k) values.push_back(1000 - k);
  for (int k = 0; k < 17; ++k) values.push_back(500);
  for (int k = 0; k < 33; ++k) values.push_back(400 + 7 * k);
  for (int k = 0; k < 11; ++k) values.push_back(-5);
  for (int width : {1, 2, 5, 17, 40, 100, 101, 102, 500}) ExpectSameAsScan(values, width);
}

}  // namespace
}  // namespace varnolt
