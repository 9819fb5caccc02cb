#include "indicators/kagi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "indicators/kagi_construction.h"
#include "series/calendar.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::Drawn;
using testing::RecordingCanvas;

DataSet MakeData(const std::vector<int32_t>& closes, int first_shown = 1) {
  return testing::DailyDataOf(closes, first_shown, DayFromCivil(2024, 1, 4));
}

ScreeningSeries MakeSeries(const std::vector<int32_t>& closes) {
  return testing::SeriesWithLeftovers(closes, {42});
}

std::vector<KagiLine> Lines(const std::vector<int32_t>& closes, KagiWidth width) {
  const BarTable bars = MakeData(closes).bars;
  return KagiLines(bars, 1, bars.Count(), width);
}

// Rows on the default 660 × 400 recording canvas over regions 1..10: the band is 385 rows high
// from row 0, so with upper − lower = 385 a price P sits on row 1100 − P.
PriceScale RowScale() {
  PriceScale scale;
  scale.upper = 1100;
  scale.lower = 715;
  scale.margin = 1;
  return scale;
}

void Draw(Drawn& drawn, testing::IndicatorDrawing drawing, const DataSet& data,
          const ControlValues& controls, const PriceScale& scale = RowScale()) {
  drawn.Run(drawing, data, controls, scale);
}

std::vector<std::string> LineTexts(const RecordingCanvas& canvas) {
  std::vector<std::string> texts;
  for (const auto& line : canvas.Lines()) {
    texts.push_back(std::to_string(line.from.x) + "," + std::to_string(line.from.y) + "-" +
                    std::to_string(line.to.x) + "," + std::to_string(line.to.y) +
                    (line.pen == kRed     ? " red"
                     : line.pen == kBlack ? " black"
                                          : " other"));
  }
  return texts;
}

TEST(KagiTest, LinesRunOnUntilTheCloseMovesBackByTheAmount) {
  // Fixed 10 from 1000: 1005 and 1020 extend line 1, 1011 is a fall of only 9, 1010 turns.
  EXPECT_EQ(Lines({1000, 1005, 1020, 1011, 1010}, {10, false}),
            (std::vector<KagiLine>{{1000, 1020, 3}, {1020, 1010, 5}}));

  // Percent 5: the amount is 5 % of the line's end, 60 at 1200, so 1141 stays and 1140 turns.
  EXPECT_EQ(Lines({1000, 1200, 1141, 1140}, {5, true}),
            (std::vector<KagiLine>{{1000, 1200, 2}, {1200, 1140, 4}}));

  // Line 1 waits for the first changed close; a falling start gives a falling line 1, and a
  // new end moves the line's bar with it.
  EXPECT_EQ(Lines({1000, 1000, 990, 985, 1000, 980}, {10, false}),
            (std::vector<KagiLine>{{1000, 985, 4}, {985, 1000, 5}, {1000, 980, 6}}));

  // Without any change, line 1 is the flat close up to the last bar; one bar has no line.
  EXPECT_EQ(Lines({1000, 1000, 1000}, {10, false}), (std::vector<KagiLine>{{1000, 1000, 3}}));
  EXPECT_TRUE(Lines({1000}, {10, false}).empty());

  // An amount of zero turns on any move back, but never on an unchanged close.
  EXPECT_EQ(Lines({1000, 1010, 1010, 1009, 1009}, {0, false}),
            (std::vector<KagiLine>{{1000, 1010, 2}, {1010, 1009, 4}}));
}

TEST(KagiTest, ComputationGivesYangAboveTheLastShoulderAndYinBelowTheLastWaist) {
  ControlValues controls = ControlValues::Defaults();
  ScreeningSeries series = MakeSeries({1000, 1000, 1020, 1030, 1015, 995, 1010, 1025, 1031, 1021});
  EXPECT_EQ(CalcKagi(series, 0, controls), 250);

  CalcKagi(series, 10, controls);
  // 1..3: flat, then line 1 forms (up, yang). 5 turns down but stays above the waist 1000;
  // 6 falls below it: yin. 7 turns up, 8 is still under the shoulder 1030, 9 passes it: yang.
  // 10 turns down again above the waist 995.
  const float expected[] = {0, 0, 0, 1, 1, -1, -1, -1, 1, 1};
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(series[i].s1, expected[i - 1]) << i;
  EXPECT_EQ(series[11].s1, 0) << "nothing past the bar count";

  // A series that never changes keeps every slot at 0.
  ScreeningSeries flat = MakeSeries({500, 500, 500});
  CalcKagi(flat, 3, controls);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(flat[i].s1, 0) << i;
}

TEST(KagiTest, ComputationTakesTheVariableScaleAtTheLastClose) {
  // The last close 405 is under 500, so the default variable scale gives 15.
  //   box 10: 400→430, 419 turns (11), 431 turns (12), 405 turns below the waist 419: yin;
  //   box 15: 419 and 431 only carry line 1 to 431, 405 turns but stays above 400: yang.
  const std::vector<int32_t> closes = {400, 430, 419, 431, 405};
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edKagi", "10");
  ScreeningSeries fixed = MakeSeries(closes);
  CalcKagi(fixed, 5, controls);
  controls.SetChecked("cbKagi", true);
  ScreeningSeries variable = MakeSeries(closes);
  CalcKagi(variable, 5, controls);
  const float expected_fixed[] = {0, 0, 1, 1, -1};
  const float expected_variable[] = {0, 0, 1, 1, 1};
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(fixed[i].s1, expected_fixed[i - 1]) << i;
    EXPECT_EQ(variable[i].s1, expected_variable[i - 1]) << i;
  }
}

// Straightforward per-bar version: rebuild the chart from bar 1 up to each bar and read the
// state off its last two lines.
std::vector<float> SlowStates(const std::vector<int32_t>& closes, const KagiWidth& width) {
  const BarTable bars = MakeData(closes).bars;
  std::vector<float> states(closes.size() + 1, 0);
  float state = 0;
  int first_change = 0;
  for (int i = 2; i <= bars.Count(); ++i) {
    if (first_change == 0 && bars[i].close != bars[1].close) first_change = i;
    if (first_change == 0) continue;
    const std::vector<KagiLine> lines = KagiLines(bars, 1, i, width);
    const KagiLine& current = lines.back();
    const bool up = current.end > current.start;
    if (i == first_change) {
      state = up ? 1 : -1;
      continue;
    }
    if (lines.size() > 1) {
      const int32_t turn = lines[lines.size() - 2].start;
      if (up && state < 0 && bars[i].close > turn) state = 1;
      if (!up && state > 0 && bars[i].close < turn) state = -1;
    }
    states[i] = state;
  }
  return states;
}

TEST(KagiTest, ComputationMatchesTheChartRebuiltBarByBar) {
  std::mt19937 random(20240104);
  std::uniform_int_distribution<int> move(-40, 40);
  int turns_to_yin = 0;
  for (const bool percent : {false, true}) {
    ControlValues controls = ControlValues::Defaults();
    controls.Set("rgKagi", percent ? "1" : "0");
    controls.Set("edKagi", percent ? "2.5" : "25");
    for (int run = 0; run < 20; ++run) {
      std::vector<int32_t> closes;
      int32_t close = 1000;
      for (int i = 0; i < 300; ++i) {
        if (i % 7 != 3) close = std::max(100, close + move(random));  // some unchanged closes
        closes.push_back(close);
      }
      ScreeningSeries series = MakeSeries(closes);
      CalcKagi(series, 300, controls);
      const std::vector<float> slow = SlowStates(closes, {percent ? 2.5 : 25, percent});
      for (int i = 1; i <= 300; ++i) {
        ASSERT_EQ(series[i].s1, slow[i]) << percent << " " << i;
        if (i > 1 && series[i - 1].s1 > 0 && series[i].s1 < 0) ++turns_to_yin;
      }
    }
  }
  EXPECT_GT(turns_to_yin, 40) << "the walks should change state often";
}

TEST(KagiTest, ColumnsTurnYinAndYangExactlyAtTheLastWaistAndShoulder) {
  // Lines 1000→1050, 1050→1030, 1030→1060, 1060→990, 990→1070 on rows 1100 − P, five columns
  // of 10 pixels (600 / 5 = 120, clamped) at x = 35, 45, 55, 65, 75.
  ControlValues controls = ControlValues::Defaults();
  Drawn drawn;
  Draw(drawn, DrawKagi, MakeData({1000, 1050, 1030, 1060, 990, 1070}), controls);
  EXPECT_EQ(drawn.message, "");
  EXPECT_EQ(LineTexts(drawn.canvas), (std::vector<std::string>{
                                         "35,100-35,50 red", "35,50-45,50 red",
                                         "45,50-45,70 red",  // stays above the waist 1000
                                         "45,70-55,70 red", "55,70-55,40 red", "55,40-65,40 red",
                                         "65,40-65,70 red",     // down to the waist 1030 …
                                         "65,70-65,110 black",  // … and yin below it
                                         "65,110-75,110 black",
                                         "75,110-75,40 black",  // up to the shoulder 1060 …
                                         "75,40-75,30 red",     // … and yang above it
                                     }));
  // Thick lines in copy mode; the pen goes back to width 1 and the brush to white.
  std::vector<std::string> pens;
  for (const std::string& text : drawn.canvas.CallTexts()) {
    if (text.starts_with("pen ") || text.starts_with("brush ")) pens.push_back(text);
  }
  EXPECT_EQ(pens, (std::vector<std::string>{"pen 0000FF solid 2 copy", "pen 000000 solid 2 copy",
                                            "pen 0000FF solid 2 copy", "pen 000000 solid 1 copy",
                                            "brush FFFFFF"}));

  // A falling line 1 starts black with its start as the shoulder: the rise to 1040 stays
  // under it, the rise to 1060 passes the newer shoulder 1040.
  Drawn falling;
  Draw(falling, DrawKagi, MakeData({1050, 1000, 1040, 1020, 1060}), controls);
  EXPECT_EQ(LineTexts(falling.canvas), (std::vector<std::string>{
                                           "35,50-35,100 black",
                                           "35,100-45,100 black",
                                           "45,100-45,60 black",
                                           "45,60-55,60 black",
                                           "55,60-55,80 black",
                                           "55,80-65,80 black",
                                           "65,80-65,60 black",
                                           "65,60-65,40 red",
                                       }));
}

TEST(KagiTest, ColumnWidthIsClampedToOneToTenPixels) {
  ControlValues controls = ControlValues::Defaults();
  // 700 alternating closes: 699 lines in 600 pixels, so 1 pixel each, from x = 30 + k.
  std::vector<int32_t> closes;
  for (int i = 0; i < 700; ++i) closes.push_back(i % 2 == 0 ? 1000 : 1020);
  Drawn narrow;
  Draw(narrow, DrawKagi, MakeData(closes), controls);
  const auto lines = narrow.canvas.Lines();
  EXPECT_EQ(lines.front().from.x, 30);  // 30 + 1 div 2
  EXPECT_EQ(lines.back().from.x, 30 + 699);
  EXPECT_GT(lines.back().from.x, narrow.canvas.Width()) << "lines past the edge are drawn off";

  // 60 lines would have 10 pixels each, 61 lines 9.
  closes.resize(62);
  Drawn wide;
  Draw(wide, DrawKagi, MakeData(closes), controls);
  EXPECT_EQ(wide.canvas.Lines().back().from.x, 30 + 61 * 9 - 4);
}

TEST(KagiTest, TimeAxisJoinsTheTurningPointsFromTheFirstDisplayedBar) {
  // Bar 1 is warm-up. From bar 2 (1000): 1020 forms line 1, 1005 turns, 1000 extends the
  // falling line to bar 5, 1006 is a rise of 6 and changes nothing.
  // Positions 2..6 plus a margin of 1 share 600 pixels, 100 each: x = 80 + 100 · (bar − 2).
  ControlValues controls = ControlValues::Defaults();
  Drawn drawn;
  Draw(drawn, DrawKagiTimeSeries, MakeData({900, 1000, 1020, 1005, 1000, 1006}, 2), controls);
  EXPECT_EQ(drawn.message, "");
  std::vector<std::string> drawing = drawn.canvas.DrawingTexts();
  EXPECT_EQ(drawing, (std::vector<std::string>{"line 80,100-180,80", "line 180,80-380,100"}));
  for (const auto& line : drawn.canvas.Lines()) EXPECT_EQ(line.pen, Color::Rgb(0, 128, 0));
  // Not-xor, so a second run takes it away again; copy mode and a white brush afterwards.
  EXPECT_TRUE(drawn.canvas.Contains("pen 008000 solid 1 notxor"));
  EXPECT_EQ(drawn.canvas.Calls().back().mode, PenMode::kCopy);
  EXPECT_EQ(drawn.canvas.Calls().back().brush, kWhite);
}

TEST(KagiTest, NothingIsDrawnWithoutASecondBarOrOnAFlatScale) {
  ControlValues controls = ControlValues::Defaults();
  controls.SetChecked("cbshowosci", true);
  for (const auto drawing : {DrawKagi, DrawKagiTimeSeries}) {
    Drawn one_bar;
    Draw(one_bar, drawing, MakeData({1000, 1010, 1030}, 3), controls);
    EXPECT_TRUE(one_bar.canvas.Calls().empty());
    EXPECT_EQ(one_bar.statistics, "");

    // A scale with upper = lower maps no row; the listing still comes.
    PriceScale flat = RowScale();
    flat.lower = flat.upper;
    Drawn flat_scale;
    Draw(flat_scale, drawing, MakeData({1000, 1030, 1010}), controls, flat);
    EXPECT_TRUE(flat_scale.canvas.Lines().empty());
    EXPECT_NE(flat_scale.statistics, "");
  }
}

TEST(KagiTest, ParametersComeFromTheBoxesAndTheVariableScale) {
  ControlValues controls = ControlValues::Defaults();
  const DataSet data = MakeData({1000, 1050, 1030});
  // An empty box is 10: the fall of 20 turns.
  controls.Set("edKagi", "");
  Drawn empty;
  Draw(empty, DrawKagi, data, controls);
  EXPECT_EQ(empty.canvas.Lines().size(), 3u);
  // 25 does not.
  controls.Set("edKagi", "25");
  Drawn wider;
  Draw(wider, DrawKagi, data, controls);
  EXPECT_EQ(wider.canvas.Lines().size(), 1u);

  // A box that does not read ends the command before anything is drawn.
  controls.Set("edKagi", "1O");
  Drawn bad;
  EXPECT_THROW(Draw(bad, DrawKagi, data, controls), ConversionError);
  EXPECT_TRUE(bad.canvas.Calls().empty());
  ScreeningSeries series = MakeSeries({1000, 1050, 1030});
  EXPECT_THROW(CalcKagi(series, 3, controls), ConversionError);

  // With cbKagi the variable scale decides (25 for closes from 500 to 999 … 30 at 1030, so no
  // turn); a table that does not read gives its message and the box 10.
  controls.Set("edKagi", "10");
  controls.SetChecked("cbKagi", true);
  Drawn scaled;
  Draw(scaled, DrawKagi, data, controls);
  EXPECT_EQ(scaled.message, "");
  EXPECT_EQ(scaled.canvas.Lines().size(), 1u);
  controls.Set("edscale3", "x");
  Drawn fallback;
  Draw(fallback, DrawKagi, data, controls);
  EXPECT_EQ(fallback.message, "変動スケールが正しく設定されていません");
  EXPECT_EQ(fallback.canvas.Lines().size(), 3u);
}

TEST(KagiTest, StatisticsAreAppendedToThePage) {
  ControlValues controls = ControlValues::Defaults();
  const DataSet data = MakeData({1000, 1050, 1030, 1060, 1040});

  // Unchecked: nothing is written.
  Drawn quiet;
  quiet.statistics = "earlier\r\n";
  Draw(quiet, DrawKagi, data, controls);
  EXPECT_EQ(quiet.statistics, "earlier\r\n");

  controls.SetChecked("cbshowosci", true);
  Drawn listed;
  listed.statistics = "earlier\r\n";
  Draw(listed, DrawKagi, data, controls);
  EXPECT_TRUE(listed.statistics.starts_with("earlier\r\n  日足　　20240104  ～ 20240108 \r\n"))
      << listed.statistics;
  EXPECT_NE(listed.statistics.find("現在のカギ足：　1060　→　1040　値幅　20.00\r\n"),
            std::string::npos)
      << listed.statistics;
  // The non-time-series listing has no periods and no closing empty line.
  EXPECT_EQ(listed.statistics.find("ﾀｲﾑ"), std::string::npos);
  EXPECT_FALSE(listed.statistics.ends_with("\r\n\r\n"));

  // Off the time axis a single line gives no listing; on it, it does.
  const DataSet single = MakeData({1000, 1050, 1060});
  Drawn off_axis;
  Draw(off_axis, DrawKagi, single, controls);
  EXPECT_EQ(off_axis.statistics, "");
  Drawn on_axis;
  Draw(on_axis, DrawKagiTimeSeries, single, controls);
  EXPECT_NE(on_axis.statistics.find("現在のカギ足：　1000　→　1060"), std::string::npos);

  // Too fine a box: only the message, checked or not, and the chart is still drawn.
  controls.SetChecked("cbshowosci", false);
  controls.Set("edKagi", "0.01");
  Drawn fine;
  Draw(fine, DrawKagi, data, controls);
  EXPECT_EQ(fine.statistics, "間隔が小刻みすぎます。\r\n");
  EXPECT_FALSE(fine.canvas.Lines().empty());
}

}  // namespace
}  // namespace varnolt
