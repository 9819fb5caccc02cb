#include "chart/region_map.h"

#include <gtest/gtest.h>

#include <limits>

#include <cstdint>
#include <optional>
#include <utility>

#include "chart/price_chart.h"

namespace varnolt {
namespace {

RegionFrame Frame(int width, int height, int from, int to, int64_t upper, int64_t lower,
                  bool reserve = true) {
  RegionFrame frame;
  frame.width = width;
  frame.height = height;
  frame.p0 = 1;
  frame.p1 = 60;
  frame.from = from;
  frame.to = to;
  frame.upper = upper;
  frame.lower = lower;
  frame.reserve = reserve;
  return frame;
}

TEST(RegionMapTest, AllTenRegionsFormOneBandWithTheDateRowsKeptFree) {
  const RegionFrame prices = Frame(660, 400, 1, 10, 2000, 1000);
  EXPECT_EQ(RegionTop(400, 10), 0);
  EXPECT_EQ(RegionBottom(400, 1), 400);
  EXPECT_EQ(RegionY(prices, 2000), 0);
  EXPECT_EQ(RegionY(prices, 1000), 385);

  const RegionFrame oscillator = Frame(660, 400, 1, 10, 100, 0, false);
  EXPECT_EQ(RegionY(oscillator, 100), 0);
  EXPECT_EQ(RegionY(oscillator, 0), 400);
}

TEST(RegionMapTest, ThreeRegionsInTheMiddle) {
  EXPECT_EQ(RegionTop(400, 5), 200);
  EXPECT_EQ(RegionBottom(400, 3), 320);

  const RegionFrame prices = Frame(660, 400, 3, 5, 1210, 1000);
  EXPECT_EQ(RegionY(prices, 1210), 200);
  EXPECT_EQ(RegionY(prices, 1000), 200 + 105);
  EXPECT_EQ(RegionY(prices, 1105), 200 + 52);

  const RegionFrame full_band = Frame(660, 400, 3, 5, 1210, 1000, false);
  EXPECT_EQ(RegionY(full_band, 1000), 320);
  EXPECT_EQ(RegionY(full_band, 1105), 260);
}

TEST(RegionMapTest, PositionsSitAtTheCentreOfEqualSlots) {
  const RegionFrame frame = Frame(660, 400, 1, 10, 2000, 1000);  // p0 = 1, p1 = 60
  EXPECT_EQ(RegionX(frame, 1), 35);
  EXPECT_EQ(RegionX(frame, 2), 45);
  EXPECT_EQ(RegionX(frame, 60), 625);
  const PixelPoint point = RegionMap(frame, 60, 1000);
  EXPECT_EQ(point.x, 625);
  EXPECT_EQ(point.y, 385);
}

TEST(RegionMapTest, ValuesOutsideTheScaleMapOutsideTheBand) {
  const RegionFrame frame = Frame(660, 400, 3, 5, 1210, 1000);
  EXPECT_LT(RegionY(frame, 1300), 200);
  EXPECT_GT(RegionY(frame, 900), 305);
}

// A manual scale a yen wide and a price in the millions put the row billions of pixels away; it
// must still lie on the right side of the band.
TEST(RegionMapTest, FarValuesOnANarrowScaleStayOnTheirSide) {
  const RegionFrame frame = Frame(660, 700, 1, 10, 1001, 1000);
  EXPECT_LT(RegionY(frame, 5'000'000), 0);
  EXPECT_GT(RegionY(frame, -5'000'000), 700);
  EXPECT_LT(RegionY(frame, 2'000'000'000), 0);
  // So far out that the row's product itself would pass 64 bits.
  EXPECT_LT(RegionY(frame, std::numeric_limits<int64_t>::max() / 2), 0);
  EXPECT_GT(RegionY(frame, std::numeric_limits<int64_t>::min() / 2), 700);
}

TEST(RegionUnmapTest, OneYenBelowTheUpperPriceIsTheRowBelowTheTop) {
  // Band 385 rows for a range of 385 yen: one row per yen.
  const RegionFrame frame = Frame(660, 400, 1, 10, 1385, 1000);
  EXPECT_EQ(RegionY(frame, 1384), 1);
  EXPECT_EQ(RegionUnmap(frame, 35, 1).price, 1384);
  EXPECT_EQ(RegionUnmap(frame, 35, 0).price, 1385);

  // More rows than yen: the first yen below the upper still leaves the top row.
  const RegionFrame wide = Frame(660, 400, 3, 5, 1100, 1000);
  const int row = RegionY(wide, 1099);
  EXPECT_GT(row, 200);
  EXPECT_EQ(RegionUnmap(wide, 35, row).price, 1099);
}

TEST(RegionUnmapTest, PositionOfAColumn) {
  const RegionFrame frame = Frame(660, 400, 1, 10, 2000, 1000);
  EXPECT_EQ(RegionUnmap(frame, 30, 0).position, 1);
  EXPECT_EQ(RegionUnmap(frame, 39, 0).position, 1);
  EXPECT_EQ(RegionUnmap(frame, 40, 0).position, 2);
  EXPECT_EQ(RegionUnmap(frame, 629, 0).position, 60);
}

TEST(RegionUnmapTest, ABandWithoutRowsAnswersTheFirstPosition) {
  // One region of a 100-pixel image is 10 rows, less than the 15 kept for the dates.
  const RegionFrame frame = Frame(660, 100, 1, 1, 2000, 1000);
  const PositionPrice answer = RegionUnmap(frame, 300, 95);
  EXPECT_EQ(answer.position, 1);
  EXPECT_EQ(answer.price, 0);
}

// The price under the pointer is the price that was drawn on that row: exact whenever each yen
// has a row of its own, and the drawn row comes back whenever several yen share a row.
TEST(RegionUnmapTest, RoundTripsThroughTheMapping) {
  const struct {
    int height;
    int from;
    int to;
  } bands[] = {{400, 1, 10}, {400, 3, 5}, {700, 1, 6}, {523, 7, 10}, {1000, 2, 9}};
  const int64_t ranges[] = {1, 7, 50, 105, 385, 1000, 123456};
  for (const auto& b : bands) {
    for (const int64_t range : ranges) {
      const RegionFrame frame = Frame(660, b.height, b.from, b.to, 1000 + range, 1000);
      const int top = RegionTop(b.height, b.to);
      const int band = b.height * (b.to - b.from + 1) / 10 - 15;
      SCOPED_TRACE(::testing::Message() << "height " << b.height << " regions " << b.from << ".."
                                        << b.to << " range " << range);
      if (band >= range) {
        for (int64_t value = frame.lower; value <= frame.upper; ++value) {
          ASSERT_EQ(RegionUnmap(frame, 35, RegionY(frame, value)).price, value);
        }
      }
      if (band <= range) {
        for (int row = top; row <= top + band; ++row) {
          ASSERT_EQ(RegionY(frame, RegionUnmap(frame, 35, row).price), row) << "row " << row;
        }
      }
    }
  }
}

TEST(RegionUnmapTest, PositionsRoundTripWhileSlotsAreAtLeastTwoPixels) {
  for (const int64_t p1 : {1, 2, 7, 60, 99, 300}) {
    RegionFrame frame = Frame(660, 400, 1, 10, 2000, 1000);
    frame.p0 = 1;
    frame.p1 = p1;
    SCOPED_TRACE(p1);
    for (int64_t position = frame.p0; position <= frame.p1; ++position) {
      ASSERT_EQ(RegionUnmap(frame, RegionX(frame, position), 0).position, position);
    }
  }
  // Calendar spacing: positions are day numbers.
  RegionFrame days = Frame(1000, 400, 1, 10, 2000, 1000);
  days.p0 = 38000;
  days.p1 = 38000 + 250;
  for (int64_t position = days.p0; position <= days.p1; ++position) {
    ASSERT_EQ(RegionUnmap(days, RegionX(days, position), 0).position, position);
  }
}

TEST(TickIntervalTest, AFifthOfTheRangeCutToItsLeadingDigit) {
  EXPECT_EQ(TickInterval(1270, 1000), 50);   // 54
  EXPECT_EQ(TickInterval(5321, 1000), 800);  // 864
  EXPECT_EQ(TickInterval(1009, 1000), 1);    // 1
  EXPECT_EQ(TickInterval(1050, 1000), 10);   // 10
  EXPECT_EQ(TickInterval(1000 + 5 * 99999, 1000), 90000);
  EXPECT_EQ(TickInterval(1000, 1270), 50);  // the order of the two does not matter
}

TEST(TickIntervalTest, RangesUnderFiveGiveOne) {
  EXPECT_EQ(TickInterval(1000, 1000), 1);
  EXPECT_EQ(TickInterval(1004, 1000), 1);
  EXPECT_EQ(TickInterval(0, 0), 1);
}

using Segment = std::optional<std::pair<Point, Point>>;

Segment Seg(Point a, Point b) {
  return std::pair{a, b};
}

TEST(ClipSegmentTest, InsideTheBandIsDrawnUnchanged) {
  EXPECT_EQ(ClipSegment({10, 150}, {20, 250}, 100, 300), Seg({10, 150}, {20, 250}));
  EXPECT_EQ(ClipSegment({10, 100}, {20, 300}, 100, 300), Seg({10, 100}, {20, 300}));
  // Ends come out ordered top first.
  EXPECT_EQ(ClipSegment({20, 250}, {10, 150}, 100, 300), Seg({10, 150}, {20, 250}));
}

TEST(ClipSegmentTest, WhollyAboveOrBelowIsNotDrawn) {
  EXPECT_EQ(ClipSegment({10, 301}, {20, 400}, 100, 300), std::nullopt);
  EXPECT_EQ(ClipSegment({10, 50}, {20, 99}, 100, 300), std::nullopt);
  EXPECT_EQ(ClipSegment({10, 350}, {20, 350}, 100, 300), std::nullopt);
  EXPECT_EQ(ClipSegment({10, 50}, {20, 50}, 100, 300), std::nullopt);
}

TEST(ClipSegmentTest, HorizontalInsideIsDrawnUnchanged) {
  EXPECT_EQ(ClipSegment({50, 150}, {10, 150}, 100, 300), Seg({50, 150}, {10, 150}));
  EXPECT_EQ(ClipSegment({10, 300}, {50, 300}, 100, 300), Seg({10, 300}, {50, 300}));
}

TEST(ClipSegmentTest, CutAtTheTop) {
  EXPECT_EQ(ClipSegment({10, 200}, {30, 0}, 100, 300), Seg({20, 100}, {10, 200}));
}

TEST(ClipSegmentTest, CutAtTheBottom) {
  EXPECT_EQ(ClipSegment({10, 200}, {30, 400}, 100, 300), Seg({10, 200}, {20, 300}));
}

TEST(ClipSegmentTest, CutAtBothEnds) {
  EXPECT_EQ(ClipSegment({0, 0}, {40, 400}, 100, 300), Seg({10, 100}, {30, 300}));
  EXPECT_EQ(ClipSegment({0, 400}, {40, 0}, 100, 300), Seg({30, 100}, {10, 300}));
}

TEST(ClipSegmentTest, CutPointsTruncateTowardZero) {
  // 300 × 7 / 400 = 5.25 and 100 × 5 / 300 = 1.67.
  EXPECT_EQ(ClipSegment({0, 0}, {7, 400}, 100, 300), Seg({1, 100}, {5, 300}));
  EXPECT_EQ(ClipSegment({0, 0}, {-7, 400}, 100, 300), Seg({-1, 100}, {-5, 300}));
}

TEST(ClipSegmentTest, FarEndsDoNotOverflow) {
  // A close far above a narrow manual scale lies a billion rows up.
  const Segment cut = ClipSegment({0, -1'000'000'000}, {600, 200}, 100, 300);
  ASSERT_TRUE(cut.has_value());
  EXPECT_EQ(cut->first.y, 100);
  EXPECT_EQ(cut->first.x, 599);
  EXPECT_EQ(cut->second, (Point{600, 200}));
}

}  // namespace
}  // namespace varnolt
