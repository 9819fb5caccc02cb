#include "indicators/ichimoku.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "series/calendar.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using ::varnolt::testing::RecordingCanvas;

constexpr Color kGreen = Color::Rgb(0, 128, 0);
constexpr Color kAqua = Color::Rgb(0, 255, 255);
constexpr Color kBlue = Color::Rgb(0, 0, 255);
constexpr Color kPurple = Color::Rgb(128, 0, 128);

struct Prices {
  int32_t high;
  int32_t low;
  int32_t close;
};

// Random bars around 1000 with the close inside the bar's range.
std::vector<Prices> RandomPrices(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> step(-30, 30);
  std::uniform_int_distribution<int> reach(0, 25);
  std::vector<Prices> prices;
  int32_t close = 1000;
  for (int i = 0; i < count; ++i) {
    close = std::max(100, close + step(random));
    prices.push_back({close + reach(random), close - reach(random), close});
  }
  return prices;
}

// (highest high + lowest low) / 2 over bars i−w+1..i (1-based, cut at bar 1), done plainly.
int64_t SlowMidpoint(const std::vector<Prices>& prices, int i, int w) {
  std::vector<int64_t> highs, lows;
  for (int j = std::max(1, i - w + 1); j <= i; ++j) {
    highs.push_back(prices[j - 1].high);
    lows.push_back(prices[j - 1].low);
  }
  return (*std::max_element(highs.begin(), highs.end()) +
          *std::min_element(lows.begin(), lows.end())) /
         2;
}

ControlValues Periods(const std::string& a, const std::string& b, const std::string& c) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edIchi1", a);
  controls.Set("edIchi2", b);
  controls.Set("edIchi3", c);
  return controls;
}

ScreeningSeries Series(const std::vector<Prices>& prices) {
  ScreeningSeries series;
  for (int i = 1; i <= static_cast<int>(prices.size()); ++i) {
    series[i].open = prices[i - 1].close;
    series[i].high = prices[i - 1].high;
    series[i].low = prices[i - 1].low;
    series[i].close = prices[i - 1].close;
  }
  return series;
}

struct Slots {
  float s[6] = {};  // s[1]..s[5]
};

std::vector<Slots> Compute(ScreeningSeries& series, int bars, const ControlValues& controls) {
  CalcIchimoku(series, bars, controls);
  std::vector<Slots> result(bars + 1);
  for (int i = 1; i <= bars; ++i) {
    result[i].s[1] = series[i].s1;
    result[i].s[2] = series[i].s2;
    result[i].s[3] = series[i].s3;
    result[i].s[4] = series[i].s4;
    result[i].s[5] = series[i].s5;
  }
  return result;
}

TEST(IchimokuCalc, SlotsOfASmallSeriesByHand) {
  // high, low, close
  const std::vector<Prices> prices = {{110, 90, 105}, {120, 100, 118}, {119, 101, 102},
                                      {130, 99, 125}, {126, 95, 100},  {104, 80, 90},
                                      {95, 85, 93},   {100, 88, 97},   {101, 92, 99}};
  ScreeningSeries series = Series(prices);
  const std::vector<Slots> got = Compute(series, 9, Periods("2", "3", "4"));
  for (int i = 1; i <= 3; ++i) {
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(got[i].s[s], 0) << "bar " << i << " slot " << s;
  }
  // Bar 4: conversion over bars 3..4 = (130 + 99) div 2, truncated from 114.5; base over 2..4
  // the same; the lagging reference is the close of bar 2.
  EXPECT_EQ(got[4].s[1], 114);
  EXPECT_EQ(got[4].s[2], 114);
  EXPECT_EQ(got[4].s[5], 118);
  // The spans of bar 4 land on bar 6: (114 + 114) / 2 and the midpoint of bars 1..4.
  EXPECT_EQ(got[6].s[3], 114);
  EXPECT_EQ(got[6].s[4], 110);
  // Bar 7: conversion over 6..7 = (104 + 80) / 2, base over 5..7 = (126 + 80) / 2; the
  // lagging reference is the close of bar 5.
  EXPECT_EQ(got[7].s[1], 92);
  EXPECT_EQ(got[7].s[2], 103);
  EXPECT_EQ(got[7].s[5], 100);
  // Their span A on bar 9 keeps the half; span B is the midpoint of bars 4..7.
  EXPECT_EQ(got[9].s[3], 97.5f);
  EXPECT_EQ(got[9].s[4], 105);
  // Nothing has been shifted onto bars 4 and 5 yet.
  EXPECT_EQ(got[5].s[3], 0);
  EXPECT_EQ(got[5].s[4], 0);
}

TEST(IchimokuCalc, MatchesAStraightforwardVersion) {
  struct Case {
    int a, b, c, bars;
  };
  // Small periods; a span-B period shorter than the base period (the lagging reference then
  // reaches before bar 1); periods longer than the series.
  for (const Case& k : {Case{2, 3, 4, 60}, Case{3, 5, 2, 40}, Case{9, 26, 52, 300},
                        Case{4, 12, 30, 10}, Case{1, 1, 1, 20}}) {
    SCOPED_TRACE(::testing::Message() << k.a << "/" << k.b << "/" << k.c << " over " << k.bars);
    const std::vector<Prices> prices = RandomPrices(k.bars, 7u + k.bars);
    ScreeningSeries series = Series(prices);
    // What an earlier stock left in the slots must not survive.
    for (int i = 1; i <= k.bars; ++i) {
      series[i].s1 = series[i].s2 = series[i].s3 = series[i].s4 = series[i].s5 = 777;
    }
    const std::vector<Slots> got = Compute(
        series, k.bars, Periods(std::to_string(k.a), std::to_string(k.b), std::to_string(k.c)));

    std::vector<Slots> want(k.bars + 1);
    for (int i = k.c; i <= k.bars; ++i) {
      const int64_t t = SlowMidpoint(prices, i, k.a);
      const int64_t base = SlowMidpoint(prices, i, k.b);
      want[i].s[1] = static_cast<float>(t);
      want[i].s[2] = static_cast<float>(base);
      want[i].s[5] = static_cast<float>(prices[std::max(0, i - k.b)].close);
      const int target = i + k.b - 1;
      if (target <= k.bars) {
        want[target].s[3] = static_cast<float>((t + base) / 2.0);
        want[target].s[4] = static_cast<float>(SlowMidpoint(prices, i, k.c));
      }
    }
    for (int i = 1; i <= k.bars; ++i) {
      for (int s = 1; s <= 5; ++s)
        ASSERT_EQ(got[i].s[s], want[i].s[s]) << "bar " << i << " slot " << s;
    }
  }
}

TEST(IchimokuCalc, WarmUpAndEmptyBoxes) {
  ScreeningSeries untouched;
  EXPECT_EQ(CalcIchimoku(untouched, 0, Periods("2", "3", "4")), 5);
  EXPECT_EQ(CalcIchimoku(untouched, 0, Periods("9", "30", "60")), 88);
  // Empty boxes mean 9, 26 and 52, whatever the boxes' default texts are.
  const ControlValues empty = Periods("", "", "");
  EXPECT_EQ(CalcIchimoku(untouched, 0, empty), 76);

  const std::vector<Prices> prices = RandomPrices(200, 3);
  ScreeningSeries first = Series(prices);
  ScreeningSeries second = Series(prices);
  const std::vector<Slots> from_empty = Compute(first, 200, empty);
  const std::vector<Slots> explicit_periods = Compute(second, 200, Periods("9", "26", "52"));
  for (int i = 1; i <= 200; ++i) {
    for (int s = 1; s <= 5; ++s) ASSERT_EQ(from_empty[i].s[s], explicit_periods[i].s[s]);
  }
  EXPECT_NE(from_empty[200].s[4], 0);

  // A period below one bar counts as one bar instead of an empty window.
  ScreeningSeries zero = Series(prices);
  ScreeningSeries one = Series(prices);
  EXPECT_EQ(CalcIchimoku(zero, 0, Periods("0", "0", "-5")), 0);
  const std::vector<Slots> from_zero = Compute(zero, 50, Periods("0", "0", "-5"));
  const std::vector<Slots> from_one = Compute(one, 50, Periods("1", "1", "1"));
  for (int i = 1; i <= 50; ++i) {
    for (int s = 1; s <= 5; ++s) ASSERT_EQ(from_zero[i].s[s], from_one[i].s[s]);
  }
}

// A data set of daily bars on consecutive weekdays from Monday 8 January 2024.
DataSet DailyData(const std::vector<Prices>& prices, int first_shown) {
  DataSet data;
  DayNumber day = DayFromCivil(2024, 1, 8);
  for (const Prices& p : prices) {
    while (Weekday(day) <= 1) ++day;
    Bar bar;
    bar.date = DayToCompactInt(day);
    bar.open = p.close;
    bar.high = p.high;
    bar.low = p.low;
    bar.close = p.close;
    bar.volume = 100;
    data.bars.Append(bar);
    ++day;
  }
  data.first_shown = first_shown;
  data.loaded = true;
  data.chart_shown = true;
  return data;
}

// One drawing run with its canvas and the frame to work out where points belong.
struct Drawn {
  Drawn(const std::vector<Prices>& prices, int first_shown, const ControlValues& values,
        int64_t upper, int64_t lower, bool calendar = false)
      : data(DailyData(prices, first_shown)), controls(values) {
    scale.upper = upper;
    scale.lower = lower;
    scale.margin = 10;
    scale.from = 1;
    scale.to = 10;
    scale.calendar = calendar;
    EXPECT_EQ(DrawIchimoku(Context()).message, "");
  }
  IndicatorContext Context() {
    return IndicatorContext{data, controls, canvas, 1, scale, statistics};
  }
  IndicatorFrame Frame() { return IndicatorFrame(Context()); }
  std::vector<RecordingCanvas::LineCall> LinesIn(Color color) const {
    std::vector<RecordingCanvas::LineCall> lines;
    for (const auto& line : canvas.Lines()) {
      if (line.pen == color) lines.push_back(line);
    }
    return lines;
  }

  DataSet data;
  ControlValues controls;
  RecordingCanvas canvas;
  PriceScale scale;
  std::string statistics;
};

// The points of a recorded "polygon x,y x,y ..." call.
std::vector<Point> PolygonPoints(const std::string& text) {
  std::vector<Point> points;
  std::istringstream in(text.substr(std::string("polygon").size()));
  std::string pair;
  while (in >> pair) {
    const size_t comma = pair.find(',');
    points.push_back({std::stoi(pair.substr(0, comma)), std::stoi(pair.substr(comma + 1))});
  }
  return points;
}

TEST(IchimokuDraw, ColourOrderPerBarInCopyMode) {
  // Periods 2/3/4, bars 1..12 shown from bar 6: the loop starts at bar 4, the spans of bars
  // 5 and 6 fall inside the shown range, the two lines start at bar 7.
  const std::vector<Prices> prices = RandomPrices(12, 11);
  Drawn drawn(prices, 6, Periods("2", "3", "4"), 1200, 800);

  std::string want;
  for (int i = 5; i <= 12; ++i) want += i >= 7 ? "YGABR|" : "YGA|";
  std::string got;
  for (const auto& call : drawn.canvas.Calls()) {
    EXPECT_EQ(call.mode, PenMode::kCopy) << call.text;
    EXPECT_EQ(call.style, PenStyle::kSolid) << call.text;
    if (call.text.starts_with("polygon")) {
      if (!got.empty()) got += "|";
      EXPECT_EQ(call.pen, kYellow);
      EXPECT_EQ(call.brush, kYellow);
      got += "Y";
    } else if (call.text.starts_with("line")) {
      got += call.pen == kGreen    ? "G"
             : call.pen == kAqua   ? "A"
             : call.pen == kBlue   ? "B"
             : call.pen == kRed    ? "R"
             : call.pen == kPurple ? "P"
                                   : "?";
    }
  }
  // The lagging line comes last: positions 6..10 carry the closes of bars 8..12.
  EXPECT_EQ(got, want.substr(0, want.size() - 1) + "PPPP");
  const auto& calls = drawn.canvas.CallTexts();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[calls.size() - 2], "pen 000000 solid 1 copy");
  EXPECT_EQ(calls.back(), "brush FFFFFF");

  // Each cloud piece is bounded by the span segments drawn just after it.
  const auto green = drawn.LinesIn(kGreen);
  const auto aqua = drawn.LinesIn(kAqua);
  size_t piece = 0;
  for (const std::string& text : drawn.canvas.CallTexts()) {
    if (!text.starts_with("polygon")) continue;
    const std::vector<Point> points = PolygonPoints(text);
    ASSERT_EQ(points.size(), 4u);
    ASSERT_LT(piece, green.size());
    EXPECT_EQ(points[0], green[piece].from);
    EXPECT_EQ(points[1], aqua[piece].from);
    EXPECT_EQ(points[2], aqua[piece].to);
    EXPECT_EQ(points[3], green[piece].to);
    ++piece;
  }
  EXPECT_EQ(piece, 8u);
}

TEST(IchimokuDraw, ShortRangeRunsSpansIntoTheMarginAndStartsTheLaggingLineAtTheFirstBar) {
  const ControlValues periods = Periods("2", "4", "6");
  const int b = 4;
  {
    // Bars 10..12 shown, fewer than the base period: the spans of bars 7..12 are drawn at
    // positions 10..15, three past the last bar; no bar lies far enough ahead for a lagging
    // point.
    const std::vector<Prices> prices = RandomPrices(12, 5);
    Drawn drawn(prices, 10, periods, 1200, 800);
    const IndicatorFrame frame = drawn.Frame();
    const auto green = drawn.LinesIn(kGreen);
    ASSERT_EQ(green.size(), 5u);
    for (size_t k = 0; k < green.size(); ++k) {
      const int i = 8 + static_cast<int>(k);
      const auto span_a = [&](int bar) {
        return (SlowMidpoint(prices, bar, 2) + SlowMidpoint(prices, bar, b)) / 2;
      };
      EXPECT_EQ(green[k].from.x, frame.X(i + b - 2));
      EXPECT_EQ(green[k].from.y, frame.Y(span_a(i - 1)));
      EXPECT_EQ(green[k].to.x, frame.X(i + b - 1));
      EXPECT_EQ(green[k].to.y, frame.Y(span_a(i)));
    }
    EXPECT_EQ(green.back().to.x, frame.X(15));
    EXPECT_GT(green.back().to.x, frame.X(12));
    EXPECT_EQ(drawn.LinesIn(kAqua).size(), 5u);
    // The two lines stay inside the shown bars.
    const auto blue = drawn.LinesIn(kBlue);
    ASSERT_EQ(blue.size(), 2u);
    EXPECT_EQ(blue.front().from.x, frame.X(10));
    EXPECT_EQ(blue.back().to.x, frame.X(12));
    EXPECT_TRUE(drawn.LinesIn(kPurple).empty());
  }
  {
    // Bars 10..16 shown: the lagging line starts at the first shown bar with the close of
    // bar 13 and ends at bar 13 with the close of the last bar.
    const std::vector<Prices> prices = RandomPrices(16, 6);
    Drawn drawn(prices, 10, periods, 1200, 800);
    const IndicatorFrame frame = drawn.Frame();
    const auto purple = drawn.LinesIn(kPurple);
    ASSERT_EQ(purple.size(), 3u);
    EXPECT_EQ(purple.front().from, (Point{frame.X(10), frame.Y(prices[12].close)}));
    EXPECT_EQ(purple.front().to, (Point{frame.X(11), frame.Y(prices[13].close)}));
    EXPECT_EQ(purple.back().to, (Point{frame.X(13), frame.Y(prices[15].close)}));
  }
}

TEST(IchimokuDraw, CalendarSpacingPlacesSpansOnTheComingTradingDays) {
  // 20 daily bars from Monday 8 January 2024 end on Friday 2 February; base period 5 puts the
  // last span four trading days later, on Thursday 8 February, past the weekend.
  const std::vector<Prices> prices = RandomPrices(20, 9);
  Drawn drawn(prices, 15, Periods("3", "5", "7"), 1200, 800, true);
  ASSERT_EQ(drawn.data.bars[20].date, 20240202);
  const IndicatorFrame frame = drawn.Frame();
  const auto aqua = drawn.LinesIn(kAqua);
  ASSERT_FALSE(aqua.empty());
  const int64_t friday = CompactToDay("20240202");
  const int64_t coming[] = {friday + 3, friday + 4, friday + 5, friday + 6};  // Mon..Thu
  EXPECT_EQ(aqua.back().to.x, frame.X(coming[3]));
  EXPECT_EQ(aqua.back().from.x, frame.X(coming[2]));
  EXPECT_EQ(aqua[aqua.size() - 4].from.x, frame.X(friday));
  EXPECT_EQ(aqua[aqua.size() - 4].to.x, frame.X(coming[0]));
  // Bars inside the range stay on their own dates.
  EXPECT_EQ(aqua.front().from.x, frame.X(CompactToDay(std::to_string(drawn.data.bars[15].date))));
}

TEST(IchimokuDraw, CalendarSpacingPlacesSpansOnTheExchangesTradingDays) {
  // Weekday bars up to Monday 7 December 2026. The exchange closes on 31 December, 1 January
  // and Monday 11 January 2027, so the 25th trading day after the last bar, where the base
  // period of 26 puts the last leading span, is Thursday 14 January; weekdays alone give the 11th.
  const HolidayList holidays({"2026/12/31", "2027/01/01", "2027/01/11"});
  const std::vector<Prices> prices = RandomPrices(100, 12);
  DataSet data;
  for (DayNumber day = DayFromCivil(2026, 9, 1); day <= DayFromCivil(2026, 12, 7); ++day) {
    const Prices& p = prices[data.bars.Count()];
    if (Weekday(day) > 1) data.bars.Append({DayToCompactInt(day), p.close, p.high, p.low, p.close});
  }
  data.first_shown = 40;
  data.loaded = true;
  RecordingCanvas canvas;
  std::string statistics;
  const PriceScale scale{1200, 800, 1000, 40, 1, 10, true};
  const IndicatorContext context{data,     Periods("9", "26", "52"), canvas, 1, scale, statistics,
                                 &holidays};
  ASSERT_EQ(DrawIchimoku(context).message, "");
  int last_span_x = 0;
  for (const auto& line : canvas.Lines()) {
    if (line.pen == kGreen) last_span_x = std::max(last_span_x, line.to.x);
  }
  const IndicatorFrame frame(context);
  EXPECT_EQ(last_span_x, frame.X(CompactToDay("20270114")));
  EXPECT_NE(last_span_x, frame.X(CompactToDay("20270111")));
}

TEST(IchimokuDraw, LeadingSpansHeldOnTheBandEdgeWhileTheLinesAreNot) {
  // Prices climb from 1000 to 1390 under a scale of 1200..1250: the spans of the early bars lie
  // below it, the later ones above, and so do the conversion and base lines.
  std::vector<Prices> prices;
  for (int i = 0; i < 40; ++i) prices.push_back({1005 + 10 * i, 995 + 10 * i, 1000 + 10 * i});
  Drawn drawn(prices, 20, Periods("2", "4", "6"), 1250, 1200);
  const IndicatorFrame frame = drawn.Frame();
  const int top = frame.Y(1250);
  const int bottom = frame.Y(1200);
  bool on_top = false;
  bool on_bottom = false;
  for (Color color : {kGreen, kAqua}) {
    for (const auto& line : drawn.LinesIn(color)) {
      for (int y : {line.from.y, line.to.y}) {
        EXPECT_GE(y, top);
        EXPECT_LE(y, bottom);
        on_top |= y == top;
        on_bottom |= y == bottom;
      }
    }
  }
  EXPECT_TRUE(on_top);
  EXPECT_TRUE(on_bottom);
  for (const std::string& text : drawn.canvas.CallTexts()) {
    if (!text.starts_with("polygon")) continue;
    for (const Point& p : PolygonPoints(text)) {
      EXPECT_GE(p.y, top);
      EXPECT_LE(p.y, bottom);
    }
  }
  // The conversion line of bar 40 is (1395 + 1375) div 2 = 1385, far above the scale.
  for (Color color : {kBlue, kRed}) {
    const auto lines = drawn.LinesIn(color);
    ASSERT_FALSE(lines.empty());
    EXPECT_LT(lines.back().to.y, top - 50);
    EXPECT_GT(lines.front().from.y, bottom);
  }
  EXPECT_EQ(drawn.LinesIn(kBlue).back().to.y, frame.Y(1385));
}

TEST(IchimokuDraw, LinesAndSpansFollowTheMidpointsFromALateFirstBar) {
  // Shown from bar 70 of 120 with periods 3/5/9: the drawing starts at bar 66 and its windows
  // reach back to bar 58, far from bar 1. The scale spans every price, so nothing is held.
  const int a = 3, b = 5, c = 9, first = 70, count = 120;
  std::vector<Prices> prices = RandomPrices(count, 21);
  // Bar 58, the oldest any window reaches, carries the highest high, so that losing it shows.
  prices[57].high = 3000;
  int64_t upper = 0, lower = prices[0].low;
  for (const Prices& p : prices) {
    upper = std::max<int64_t>(upper, p.high);
    lower = std::min<int64_t>(lower, p.low);
  }
  Drawn drawn(prices, first, Periods("3", "5", "9"), upper, lower);
  const IndicatorFrame frame = drawn.Frame();
  const auto span_a = [&](int i) {
    return (SlowMidpoint(prices, i, a) + SlowMidpoint(prices, i, b)) / 2;
  };
  struct Expected {
    Color color;
    int from_bar;  // the bar of the first segment's end
    std::function<int64_t(int)> value;
  };
  for (const Expected& line :
       {Expected{kBlue, first + 1, [&](int i) { return SlowMidpoint(prices, i, a); }},
        Expected{kRed, first + 1, [&](int i) { return SlowMidpoint(prices, i, b); }},
        Expected{kGreen, first - b + 2, span_a},
        Expected{kAqua, first - b + 2, [&](int i) { return SlowMidpoint(prices, i, c); }}}) {
    const auto lines = drawn.LinesIn(line.color);
    ASSERT_EQ(static_cast<int>(lines.size()), count - line.from_bar + 1);
    for (int k = 0; k < static_cast<int>(lines.size()); ++k) {
      const int i = line.from_bar + k;
      EXPECT_EQ(lines[k].from.y, frame.Y(line.value(i - 1))) << "bar " << i;
      EXPECT_EQ(lines[k].to.y, frame.Y(line.value(i))) << "bar " << i;
    }
  }
}

TEST(IchimokuDraw, EmptyBoxesDrawAsNineTwentySixFiftyTwo) {
  const std::vector<Prices> prices = RandomPrices(150, 4);
  Drawn from_empty(prices, 60, Periods("", "", ""), 1400, 600);
  Drawn explicit_periods(prices, 60, Periods("9", "26", "52"), 1400, 600);
  EXPECT_EQ(from_empty.canvas.CallTexts(), explicit_periods.canvas.CallTexts());
  // Span B over 52 bars is drawn, so the defaults really are in use.
  EXPECT_FALSE(from_empty.LinesIn(kAqua).empty());
  EXPECT_EQ(from_empty.LinesIn(kPurple).size(), 150u - 25 - 60);
}

}  // namespace
}  // namespace varnolt
