#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/dates.h"
#include "chart/pointer_readout.h"
#include "chart/pointer_tools.h"
#include "chart/zoom.h"
#include "series/calendar.h"

namespace varnolt {
namespace {

// Culture Day and Labour Thanksgiving Day 2026 fall on Tuesday 3 and Monday 23 November.
const HolidayList kHolidays({"11/03", "11/23"});

// Bars on the trading days of 2–20 November 2026, shown from bar 3 (5 November); bar i opens at
// 1000 + 10i, closes 5 higher and spans 20 either side of the open.
DataSet November(DataUnit unit = DataUnit::kDay) {
  DataSet data;
  for (DayNumber day = DayFromCivil(2026, 11, 2); day <= DayFromCivil(2026, 11, 20); ++day) {
    if (!IsTradingDay(day, kHolidays)) continue;
    const int32_t open = 1000 + 10 * (data.bars.Count() + 1);
    data.bars.Append({DayToCompactInt(day), open, open + 20, open - 20, open + 5, 100, 0});
  }
  data.first_shown = 3;
  data.loaded = data.chart_shown = true;
  data.unit = unit;
  return data;
}

// The boxes a display leaves: scale 1200..1000 over all regions and margin 10 on a 660 × 400
// image, about two rows a yen, so every price comes back from its row.
ControlValues Boxes(bool calendar_box = false) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edUP", "1200");
  controls.Set("edDown", "1000");
  controls.SetChecked("cbcalen", calendar_box);
  return controls;
}

ShownChart Chart(const DataSet& data, bool calendar_box = false) {
  return ShownPriceChart(data, Boxes(calendar_box), 1, 660, 400).value();
}

// The pixel of a position and price; the slot just left of the first displayed position
// starts off the image, so its pixel is the image's left edge.
Point At(const ShownChart& chart, int64_t position, int64_t price) {
  const PixelPoint pixel = RegionMap(chart.frame, position, price);
  return {position == chart.frame.p0 - 1 ? 0 : pixel.x, pixel.y};
}

int64_t Day(const char* compact) {
  return CompactToDay(compact);
}

TEST(PointerReadout, DatesOffsetsPricesAndBarsUnderThePointer) {
  const DataSet daily = November();
  DataSet weekly = November(DataUnit::kWeek);
  weekly.bars[14].date = 20261116;  // a weekly bar carries its week's first trading day
  struct Case {
    const char* name;
    const DataSet& data;
    bool calendar_box;
    int64_t position;
    const char* boxes;  // date|offset|price|open|high|low|close after a readout dated "kept"
  };
  const Case cases[] = {
      {"a shown bar", daily, false, 5, "20261109|3|1123|1050|1070|1030|1055"},
      {"the last bar", daily, false, 14, "20261120|12|1123|1140|1160|1120|1145"},
      // Monday 23 November is a holiday: the coming bars are Tuesday to Thursday.
      {"one slot past the last bar", daily, false, 15, "20261124|13|1123||||"},
      {"three slots past the last bar", daily, false, 17, "20261126|15|1123||||"},
      {"a warm-up bar left of the chart", daily, false, 2, "kept|0|1123||||"},
      {"calendar spacing over a Sunday", daily, true, Day("20261108"), "20261108|4|1123||||"},
      {"calendar spacing over a trading day", daily, true, Day("20261112"),
       "20261112|8|1123|1080|1100|1060|1085"},
      {"calendar spacing past the last bar", daily, true, Day("20261124"), "20261124|20|1123||||"},
      {"calendar spacing over a warm-up day", daily, true, Day("20261104"), "20261104|0|1123||||"},
      // Weekly bars ignore a calendar box left checked; two weeks on is Monday 30 November.
      {"weekly bars past the last one", weekly, true, 16, "20261130|14|1123||||"},
  };
  for (const Case& c : cases) {
    const ShownChart chart = Chart(c.data, c.calendar_box);
    const Point pixel = At(chart, c.position, 1123);
    const PointerPoint point = PointAt(chart, c.data, kHolidays, pixel.x, pixel.y);
    EXPECT_EQ(point.position, c.position) << c.name;
    PointerReadout before;
    before.date = "kept";
    before.bar = c.data.bars[1];
    std::string boxes;
    for (const auto& [name, text] : ReadoutTexts(NextReadout(before, point, c.data), 1)) {
      boxes += (boxes.empty() ? "" : "|") + text;
    }
    EXPECT_EQ(boxes, c.boxes) << c.name;
  }
  EXPECT_STREQ(ReadoutTexts({}, 2)[6].first, "eded2");
}

TEST(PointerReadout, NothingIsReadOffAChartThatIsNotOnTheImage) {
  DataSet data = November();
  EXPECT_TRUE(ShownPriceChart(data, Boxes(), 1, 660, 400));
  EXPECT_FALSE(ShownPriceChart(data, Boxes(), 2, 660, 400));  // data 2's boxes are empty
  for (const auto& [box, text] : {std::pair{"edUP", "12x"}, {"edDown", "1200"}, {"edspc", ""}}) {
    ControlValues broken = Boxes();
    broken.Set(box, text);
    EXPECT_FALSE(ShownPriceChart(data, broken, 1, 660, 400)) << box;
  }
  data.chart_shown = false;
  EXPECT_FALSE(ShownPriceChart(data, Boxes(), 1, 660, 400));
}

TEST(TrendLine, SlopeIsThePriceChangePerPositionTruncatedToTenths) {
  DataSet data = November();
  for (int i = 0; i < 10; ++i) data.bars.Append(data.bars[14]);
  const ShownChart chart = Chart(data);
  // From bar 10 at 1000 to bar 20 at 1100: (1000 − 1100) × 10 div (10 − 20) = 100.
  EXPECT_EQ(SlopeTenths(chart, At(chart, 10, 1000), At(chart, 20, 1100)), 100);
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
    const char* boxes;  // start|end|upper|lower|margin, the date boxes holding 20260101|20261231
  };
  const Case cases[] = {
      {"from right to left", false, 12, 1150, 5, 1050, "20261109|20261118|1150|1050|0"},
      {"from left to right", false, 5, 1050, 12, 1150, "20261109|20261118|1150|1050|0"},
      {"three slots past the last bar", false, 9, 1100, 17, 1180, "20261113|20261126|1180|1100|10"},
      {"a corner left of the first bar", false, 2, 1100, 9, 1180, "20261113|20261231|1180|1100|0"},
      {"calendar days under the corners", true, Day("20261121"), 1100, Day("20261108"), 1180,
       "20261108|20261121|1180|1100|10"},
  };
  for (const Case& c : cases) {
    const ShownChart chart = Chart(daily, c.calendar);
    const ZoomBoxes boxes =
        PlanZoom(chart, daily, kHolidays, At(chart, c.start_position, c.start_price),
                 At(chart, c.release_position, c.release_price), "20260101", "20261231");
    EXPECT_EQ(
        boxes.start + "|" + boxes.end + "|" + boxes.upper + "|" + boxes.lower + "|" + boxes.margin,
        c.boxes)
        << c.name;
  }
  // A corner in the date rows under a scale from 0 asks for no negative price.
  ControlValues controls = Boxes();
  controls.Set("edUP", "385");
  controls.Set("edDown", "0");
  const auto low = ShownPriceChart(daily, controls, 1, 660, 400).value();
  EXPECT_EQ(PlanZoom(low, daily, kHolidays, {200, 399}, {300, 100}, "", "").lower, "0");
}

TEST(Zoom, AppliesOnlyToARealRectangleOverDataOnesChart) {
  const Point start{100, 100};
  EXPECT_TRUE(ZoomApplies(true, start, {659, 200}, true, 660, 400));  // into the right margin
  EXPECT_FALSE(ZoomApplies(false, start, {200, 200}, true, 660, 400));
  EXPECT_FALSE(ZoomApplies(true, start, {200, 200}, false, 660, 400));
  EXPECT_FALSE(ZoomApplies(true, start, start, true, 660, 400));
  EXPECT_FALSE(ZoomApplies(true, start, {30, 200}, true, 660, 400));  // on the price labels
}

}  // namespace
}  // namespace varnolt
