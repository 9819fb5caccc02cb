#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/dates.h"
#include "chart/pointer_readout.h"
#include "chart/pointer_tools.h"
#include "chart/zoom.h"
#include "series/calendar.h"

namespace varnolt {
namespace {

// Culture Day and Labour Thanksgiving Day 2026 fall on Tuesday 3 and Monday 23 November.
const HolidayList kHolidays({"11/03", "11/23"});

// Daily bars on the trading days of 2–20 November 2026, shown from bar 3 (5 November); bar i
// opens at 1000 + 10i, closes 5 higher and spans 20 either side of the open.
DataSet November(DataUnit unit = DataUnit::kDay) {
  DataSet data;
  for (DayNumber day = DayFromCivil(2026, 11, 2); day <= DayFromCivil(2026, 11, 20); ++day) {
    if (!IsTradingDay(day, kHolidays)) continue;
    const int32_t open = 1000 + 10 * (data.bars.Count() + 1);
    data.bars.Append({DayToCompactInt(day), open, open + 20, open - 20, open + 5, 100, 0});
  }
  data.first_shown = 3;
  data.loaded = true;
  data.chart_shown = true;
  data.unit = unit;
  return data;
}

// The boxes a display of data 1 leaves: scale 1200..1000 over all ten regions, margin 10, on
// a 660 × 400 image where one yen is about two rows, so every price comes back from its row.
ShownChart Chart(const DataSet& data, bool calendar_box = false, const char* margin = "10") {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edUP", "1200");
  controls.Set("edDown", "1000");
  controls.Set("edspc", margin);
  controls.SetChecked("cbcalen", calendar_box);
  const auto chart = ShownPriceChart(data, controls, 1, 660, 400);
  EXPECT_TRUE(chart.has_value());
  return chart.value_or(ShownChart{});
}

// The pixel of a position and price. The slot just left of the first displayed position
// starts left of the image; its pixel on the image is the left edge.
Point At(const ShownChart& chart, int64_t position, int64_t price) {
  const PixelPoint pixel = RegionMap(chart.frame, position, price);
  return {position == chart.frame.p0 - 1 ? 0 : pixel.x, pixel.y};
}

int64_t Day(const char* compact) {
  return CompactToDay(compact);
}

TEST(PointerReadout, DatesOffsetsPricesAndBarsUnderThePointer) {
  const DataSet daily = November();
  ASSERT_EQ(daily.bars.Count(), 14);
  ASSERT_EQ(daily.bars[14].date, 20261120);
  const DataSet weekly = [] {
    DataSet data = November(DataUnit::kWeek);
    data.bars[14].date = 20261116;  // a weekly bar carries its week's first trading day
    return data;
  }();
  struct Case {
    const char* name;
    const DataSet& data;
    bool calendar_box;
    int64_t position;
    const char* date;  // "" when the date box keeps "kept"
    int bar;           // 0: bar boxes empty
    int64_t offset;
  };
  const Case cases[] = {
      {"a shown bar", daily, false, 5, "20261109", 5, 3},
      {"the last bar", daily, false, 14, "20261120", 14, 12},
      // Monday 23 November is a holiday: the coming bars are Tuesday to Thursday.
      {"one slot past the last bar", daily, false, 15, "20261124", 0, 13},
      {"three slots past the last bar", daily, false, 17, "20261126", 0, 15},
      {"a warm-up bar left of the chart", daily, false, 2, "", 0, 0},
      {"calendar spacing over a Sunday", daily, true, Day("20261108"), "20261108", 0, 4},
      {"calendar spacing over a trading day", daily, true, Day("20261112"), "20261112", 8, 8},
      {"calendar spacing past the last bar", daily, true, Day("20261124"), "20261124", 0, 20},
      {"calendar spacing over a warm-up day", daily, true, Day("20261104"), "20261104", 0, 0},
      // Weekly bars ignore a calendar box left checked; two weeks on is Monday 30 November.
      {"weekly bars past the last one", weekly, true, 16, "20261130", 0, 14},
  };
  for (const Case& c : cases) {
    const ShownChart chart = Chart(c.data, c.calendar_box);
    EXPECT_EQ(chart.calendar, c.calendar_box && &c.data == &daily) << c.name;
    const Point pixel = At(chart, c.position, 1123);
    const PointerPoint point = PointAt(chart, c.data, kHolidays, pixel.x, pixel.y);
    EXPECT_EQ(point.position, c.position) << c.name;
    EXPECT_EQ(point.price, 1123) << c.name;
    EXPECT_EQ(point.bar, c.bar) << c.name;

    PointerReadout before;
    before.date = "kept";
    before.bar = c.data.bars[1];
    const PointerReadout readout = NextReadout(before, point, c.data);
    EXPECT_EQ(readout.date, *c.date ? c.date : "kept") << c.name;
    EXPECT_EQ(readout.price, 1123) << c.name;
    if (*c.date) {
      EXPECT_EQ(readout.offset, c.offset) << c.name;
    }
    const auto texts = ReadoutTexts(readout, 1);
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_STREQ(texts[0].first, "eddat1");
    EXPECT_EQ(texts[2].second, "1123") << c.name;
    // Open, high, low and close of the bar, or four empty boxes.
    const Bar bar = c.bar ? c.data.bars[c.bar] : Bar{};
    const std::vector<std::string> want =
        c.bar ? std::vector<std::string>{std::to_string(bar.open), std::to_string(bar.high),
                                         std::to_string(bar.low), std::to_string(bar.close)}
              : std::vector<std::string>(4);
    for (size_t k = 0; k < 4; ++k) EXPECT_EQ(texts[3 + k].second, want[k]) << c.name << " " << k;
  }
  EXPECT_STREQ(ReadoutTexts({}, 2)[6].first, "eded2");
}

TEST(PointerReadout, NothingIsReadOffAChartThatIsNotOnTheImage) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edUP", "1200");
  controls.Set("edDown", "1000");
  DataSet data = November();
  EXPECT_TRUE(ShownPriceChart(data, controls, 1, 660, 400));
  data.chart_shown = false;
  EXPECT_FALSE(ShownPriceChart(data, controls, 1, 660, 400));
  data.chart_shown = true;
  // Data 2's boxes are its own: still empty.
  EXPECT_FALSE(ShownPriceChart(data, controls, 2, 660, 400));
  for (const auto& [box, text] : std::vector<std::pair<const char*, const char*>>{
           {"edUP", "12x"}, {"edDown", "1200"}, {"edspc", ""}, {"edv1", "0"}}) {
    ControlValues broken = controls;
    broken.Set(box, text);
    EXPECT_FALSE(ShownPriceChart(data, broken, 1, 660, 400)) << box;
  }
}

TEST(TrendLine, SlopeIsThePriceChangePerPositionTruncatedToTenths) {
  const DataSet data = [] {
    DataSet longer = November();
    for (int i = 0; i < 20; ++i) longer.bars.Append(longer.bars[14]);
    return longer;
  }();
  const ShownChart chart = Chart(data);
  // From bar 10 at 1000 to bar 20 at 1100: (1000 − 1100) × 10 div (10 − 20) = 100.
  EXPECT_EQ(SlopeTenths(chart, At(chart, 10, 1000), At(chart, 20, 1100)), 100);
  EXPECT_EQ(SlopeTenths(chart, At(chart, 20, 1100), At(chart, 10, 1000)), 100);
  EXPECT_EQ(SlopeTenths(chart, At(chart, 10, 1000), At(chart, 13, 1001)), 3);
  EXPECT_EQ(SlopeTenths(chart, At(chart, 10, 1100), At(chart, 13, 1099)), -3);
  EXPECT_EQ(SlopeTenths(chart, At(chart, 10, 1000), At(chart, 10, 1100)), 0);
  EXPECT_EQ(SlopeTenths(std::nullopt, At(chart, 10, 1000), At(chart, 20, 1100)), 0);

  EXPECT_EQ(SlopeText(100, 0), "傾き: (1) 10 , (2) 0");
  EXPECT_EQ(SlopeText(15, -5), "傾き: (1) 1.5 , (2) -0.5");
  EXPECT_EQ(SlopeText(-1230, 7), "傾き: (1) -123 , (2) 0.7");
}

TEST(Zoom, RectangleCornersGiveDataTwoItsDatesPricesAndMargin) {
  const DataSet daily = November();
  struct Case {
    const char* name;
    bool calendar;
    int64_t start_position, start_price, release_position, release_price;
    const char* start;
    const char* end;
    const char* upper;
    const char* lower;
    const char* margin;
  };
  const Case cases[] = {
      {"drawn from right to left", false, 12, 1150, 5, 1050, "20261109", "20261118", "1150", "1050",
       "0"},
      {"drawn from left to right", false, 5, 1050, 12, 1150, "20261109", "20261118", "1150", "1050",
       "0"},
      {"reaching three slots past the last bar", false, 9, 1100, 17, 1180, "20261113", "20261126",
       "1180", "1100", "10"},
      {"starting past the last bar", false, 16, 1100, 9, 1180, "20261113", "20261125", "1180",
       "1100", "10"},
      {"a corner left of the first bar", false, 2, 1100, 9, 1180, "20261113", "20261231", "1180",
       "1100", "0"},
      {"calendar days under the corners", true, Day("20261121"), 1100, Day("20261108"), 1180,
       "20261108", "20261121", "1180", "1100", "10"},
  };
  for (const Case& c : cases) {
    const ShownChart chart = Chart(daily, c.calendar);
    const ZoomBoxes boxes =
        PlanZoom(chart, daily, kHolidays, At(chart, c.start_position, c.start_price),
                 At(chart, c.release_position, c.release_price), "20260101", "20261231");
    EXPECT_EQ(boxes.start, c.start) << c.name;
    EXPECT_EQ(boxes.end, c.end) << c.name;
    EXPECT_EQ(boxes.upper, c.upper) << c.name;
    EXPECT_EQ(boxes.lower, c.lower) << c.name;
    EXPECT_EQ(boxes.margin, c.margin) << c.name;
  }

  // A corner in the date rows under a scale that starts at 0 asks for no negative price.
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edUP", "385");
  controls.Set("edDown", "0");
  const auto low_chart = ShownPriceChart(daily, controls, 1, 660, 400);
  ASSERT_TRUE(low_chart);
  const ZoomBoxes low =
      PlanZoom(*low_chart, daily, kHolidays, {200, 399}, {300, 100}, "20260101", "20261231");
  EXPECT_EQ(low.upper, "285");
  EXPECT_EQ(low.lower, "0");
}

TEST(ZoomSwitch, AppliesOnlyToARealRectangleOverDataOnesChart) {
  const Point start{100, 100};
  EXPECT_TRUE(ZoomApplies(true, start, {200, 200}, true, 660, 400));
  EXPECT_TRUE(ZoomApplies(true, start, {659, 200}, true, 660, 400));  // into the right margin
  EXPECT_FALSE(ZoomApplies(false, start, {200, 200}, true, 660, 400));
  EXPECT_FALSE(ZoomApplies(true, start, {200, 200}, false, 660, 400));
  EXPECT_FALSE(ZoomApplies(true, start, start, true, 660, 400));
  EXPECT_FALSE(ZoomApplies(true, start, {30, 200}, true, 660, 400));  // on the price labels
  EXPECT_FALSE(ZoomApplies(true, start, {200, 400}, true, 660, 400));
}

}  // namespace
}  // namespace varnolt
