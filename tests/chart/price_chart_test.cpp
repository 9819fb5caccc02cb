#include "chart/price_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using ::varnolt::testing::RecordingCanvas;

constexpr const char* kNotLoaded = "まずデータを選択して下さい";
constexpr const char* kNotInteger = "数値は整数を入力してください";
constexpr const char* kBadRegions = "表示領域を正しく設定して下さい";

Bar MakeBar(int32_t date, int32_t open, int32_t high, int32_t low, int32_t close, float split = 0) {
  Bar bar;
  bar.date = date;
  bar.open = open;
  bar.high = high;
  bar.low = low;
  bar.close = close;
  bar.volume = 100;
  bar.split = split;
  return bar;
}

DataSet Loaded(const std::vector<Bar>& bars, int first_shown = 1, DataUnit unit = DataUnit::kDay) {
  DataSet data_set;
  for (const Bar& bar : bars) data_set.bars.Append(bar);
  data_set.first_shown = first_shown;
  data_set.loaded = true;
  data_set.current_code = 7203;
  data_set.unit = unit;
  return data_set;
}

// One flat bar on the first of each month from year/month on.
std::vector<Bar> Monthly(int year, int month, int count) {
  std::vector<Bar> bars;
  for (int i = 0; i < count; ++i) {
    bars.push_back(MakeBar(year * 10000 + month * 100 + 1, 990, 1010, 980, 1000));
    if (++month == 13) {
      month = 1;
      ++year;
    }
  }
  return bars;
}

// A warm-up bar far outside the displayed range, then highs up to 1250 and lows down to 980.
DataSet AutoScaleSeries() {
  return Loaded(
      {MakeBar(20231229, 3000, 5000, 10, 3000), MakeBar(20240104, 1000, 1100, 990, 1050),
       MakeBar(20240105, 1050, 1250, 1040, 1200), MakeBar(20240108, 1200, 1210, 980, 1000),
       MakeBar(20240109, 1000, 1020, 990, 1000)},
      2);
}

PriceChartResult Show(DataSet& data_set, const PriceChartBoxes& boxes, Canvas& canvas,
                      bool zoom = false,
                      const std::optional<FinancialRecord>& financial = std::nullopt) {
  return ShowPriceChart(data_set, boxes, "7203 トヨタ", financial, zoom, canvas);
}

PriceChartBoxes Manual(const char* upper, const char* lower, const char* interval) {
  PriceChartBoxes boxes;
  boxes.automatic = false;
  boxes.upper = upper;
  boxes.lower = lower;
  boxes.interval = interval;
  return boxes;
}

// The scale labels: texts drawn left of the price axis.
std::vector<std::string> ScaleLabels(const RecordingCanvas& canvas) {
  std::vector<std::string> labels;
  for (const auto& call : canvas.TextCalls()) {
    if (call.x + static_cast<int>(call.text.size()) * RecordingCanvas::kCharWidth == 29) {
      labels.push_back(call.text);
    }
  }
  return labels;
}

// Dotted lines across the plot width.
std::vector<int> ScaleLineRows(const RecordingCanvas& canvas) {
  std::vector<int> rows;
  for (const auto& line : canvas.Lines()) {
    if (line.style == PenStyle::kDot && line.from.x == 30 && line.to.x == canvas.Width() - 30 &&
        line.from.y == line.to.y) {
      rows.push_back(line.from.y);
    }
  }
  return rows;
}

TEST(ShowPriceChartTest, RefusedCommandsDrawNothingAndChangeNothing) {
  struct Case {
    const char* name;
    void (*setup)(DataSet&, PriceChartBoxes&);
    const char* message;
  };
  const Case cases[] = {
      {"not loaded", [](DataSet& d, PriceChartBoxes&) { d.loaded = false; }, kNotLoaded},
      {"upper not digits", [](DataSet&, PriceChartBoxes& b) { b = Manual("12a", "900", "50"); },
       kNotInteger},
      {"negative lower", [](DataSet&, PriceChartBoxes& b) { b = Manual("1300", "-5", "50"); },
       kNotInteger},
      {"empty lower", [](DataSet&, PriceChartBoxes& b) { b = Manual("1300", "", "50"); },
       kNotInteger},
      {"interval not digits with scale lines",
       [](DataSet&, PriceChartBoxes& b) { b = Manual("1300", "900", "5x"); }, kNotInteger},
      {"margin not digits", [](DataSet&, PriceChartBoxes& b) { b.margin = "1.5"; }, kNotInteger},
      {"margin empty", [](DataSet&, PriceChartBoxes& b) { b.margin = ""; }, kNotInteger},
      {"margin not digits, manual",
       [](DataSet&, PriceChartBoxes& b) {
         b = Manual("1300", "900", "50");
         b.margin = "a";
       },
       kNotInteger},
      {"regions 0 and 5",
       [](DataSet&, PriceChartBoxes& b) {
         b.region_from = "0";
         b.region_to = "5";
       },
       kBadRegions},
      {"regions reversed",
       [](DataSet&, PriceChartBoxes& b) {
         b.region_from = "6";
         b.region_to = "5";
       },
       kBadRegions},
      {"region 11",
       [](DataSet&, PriceChartBoxes& b) {
         b.region_from = "1";
         b.region_to = "11";
       },
       kBadRegions},
      {"both regions empty",
       [](DataSet&, PriceChartBoxes& b) {
         b.region_from = "";
         b.region_to = "";
       },
       kBadRegions},
  };
  for (const Case& c : cases) {
    for (const bool shown_before : {false, true}) {
      SCOPED_TRACE(::testing::Message() << c.name << (shown_before ? ", shown before" : ""));
      DataSet data_set = AutoScaleSeries();
      data_set.chart_shown = shown_before;
      data_set.command_record = "4,3,7,10,";
      PriceChartBoxes boxes;
      c.setup(data_set, boxes);
      RecordingCanvas canvas;
      const PriceChartResult result = Show(data_set, boxes, canvas);
      EXPECT_EQ(result.message, c.message);
      EXPECT_TRUE(canvas.Calls().empty());
      EXPECT_EQ(data_set.chart_shown, shown_before);
      EXPECT_EQ(data_set.command_record, "4,3,7,10,");
      EXPECT_TRUE(result.caption.empty());
    }
  }
}

TEST(ShowPriceChartTest, ABadNumberLeavesTheScaleBoxesAsTyped) {
  DataSet data_set = AutoScaleSeries();
  RecordingCanvas canvas;
  const PriceChartResult result = Show(data_set, Manual("12a", "900", "50"), canvas);
  EXPECT_EQ(result.message, kNotInteger);
  EXPECT_EQ(result.boxes.upper, "12a");
  EXPECT_EQ(result.boxes.lower, "900");
  EXPECT_EQ(result.boxes.interval, "50");
}

TEST(ShowPriceChartTest, AnEmptyRegionBoxTakesTheOther) {
  for (const auto& [from, to] : {std::pair{"3", ""}, std::pair{"", "3"}}) {
    SCOPED_TRACE(::testing::Message() << "'" << from << "' '" << to << "'");
    DataSet data_set = AutoScaleSeries();
    PriceChartBoxes boxes;
    boxes.region_from = from;
    boxes.region_to = to;
    RecordingCanvas canvas;  // 660 × 400: region 3 runs from row 280 to row 320
    const PriceChartResult result = Show(data_set, boxes, canvas);
    ASSERT_EQ(result.message, "");
    EXPECT_EQ(result.scale.from, 3);
    EXPECT_EQ(result.scale.to, 3);
    EXPECT_EQ(data_set.command_record, "1,1,3,3,");
    EXPECT_TRUE(canvas.Contains("line 30,280-30,305"));
    EXPECT_TRUE(canvas.Contains("line 30,305-630,305"));
    for (const auto& call : canvas.TextCalls()) {
      EXPECT_GE(call.y + RecordingCanvas::kTextHeight / 2, 280) << call.text;
    }
  }
}

TEST(ShowPriceChartTest, AutomaticScaleCoversTheDisplayedBarsWithAnEighthToSpare) {
  DataSet data_set = AutoScaleSeries();
  PriceChartBoxes boxes;
  boxes.upper = "1";  // overwritten: the automatic setting computes the scale
  RecordingCanvas canvas;
  const PriceChartResult result = Show(data_set, boxes, canvas);
  ASSERT_EQ(result.message, "");
  EXPECT_EQ(result.boxes.upper, "1283");
  EXPECT_EQ(result.boxes.lower, "947");
  EXPECT_EQ(result.boxes.interval, "50");
  EXPECT_EQ(result.scale.upper, 1283);
  EXPECT_EQ(result.scale.lower, 947);
  EXPECT_EQ(result.scale.interval, 50);
  EXPECT_EQ(result.scale.margin, 10);

  const std::vector<std::string> labels = ScaleLabels(canvas);
  EXPECT_EQ(labels,
            (std::vector<std::string>{"950", "1000", "1050", "1100", "1150", "1200", "1250"}));
  // Each label is centred on its dotted scale line, and the lines climb the band.
  const std::vector<int> rows = ScaleLineRows(canvas);
  ASSERT_EQ(rows.size(), labels.size());
  const RegionFrame frame = PriceFrame(data_set, result.scale, 660, 400);
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i], RegionY(frame, 950 + 50 * static_cast<int>(i)));
    if (i > 0) {
      EXPECT_LT(rows[i], rows[i - 1]);
    }
  }
  EXPECT_EQ(rows.front(), 381);
  for (const auto& call : canvas.TextCalls()) {
    const auto at = std::find(labels.begin(), labels.end(), call.text);
    if (at == labels.end()) continue;
    EXPECT_EQ(call.y, rows[at - labels.begin()] - RecordingCanvas::kTextHeight / 2);
    EXPECT_EQ(call.brush, kWhite);
  }
}

TEST(ShowPriceChartTest, ManualScaleIsUsedAsTyped) {
  DataSet data_set = AutoScaleSeries();
  RecordingCanvas canvas;
  const PriceChartResult result = Show(data_set, Manual("1300", "900", "100"), canvas);
  ASSERT_EQ(result.message, "");
  EXPECT_EQ(result.boxes.upper, "1300");
  EXPECT_EQ(result.boxes.lower, "900");
  EXPECT_EQ(result.boxes.interval, "100");
  EXPECT_EQ(ScaleLabels(canvas), (std::vector<std::string>{"1000", "1100", "1200"}));
}

TEST(ShowPriceChartTest, AnIntervalOfZeroOrNotDigitsUsesAThousand) {
  DataSet zero_series = AutoScaleSeries();
  RecordingCanvas zero_canvas;
  const PriceChartResult zero = Show(zero_series, Manual("3500", "0", "0"), zero_canvas);
  ASSERT_EQ(zero.message, "");
  EXPECT_EQ(zero.scale.interval, 1000);
  EXPECT_EQ(ScaleLabels(zero_canvas), (std::vector<std::string>{"1000", "2000", "3000"}));

  // Without scale lines the interval box is not checked.
  PriceChartBoxes boxes = Manual("3500", "0", "x");
  boxes.auxiliary = false;
  DataSet data_set = AutoScaleSeries();
  RecordingCanvas canvas;
  const PriceChartResult result = Show(data_set, boxes, canvas);
  ASSERT_EQ(result.message, "");
  EXPECT_EQ(result.scale.interval, 1000);
  EXPECT_EQ(ScaleLabels(canvas), (std::vector<std::string>{"1000", "2000", "3000"}));
  EXPECT_TRUE(ScaleLineRows(canvas).empty());
}

TEST(ShowPriceChartTest, AFlatSeriesWidensTheScaleByAYenEachSide) {
  DataSet data_set =
      Loaded({MakeBar(20240104, 500, 500, 500, 500), MakeBar(20240105, 500, 500, 500, 500)});
  RecordingCanvas canvas;
  const PriceChartResult result = Show(data_set, PriceChartBoxes{}, canvas);
  ASSERT_EQ(result.message, "");
  EXPECT_EQ(result.boxes.upper, "501");
  EXPECT_EQ(result.boxes.lower, "499");
  EXPECT_EQ(result.boxes.interval, "1");
  EXPECT_EQ(ScaleLabels(canvas), (std::vector<std::string>{"500"}));
  EXPECT_TRUE(data_set.chart_shown);

  // A manual scale with equal ends is widened too, and the boxes take the scale the chart
  // used, so that the indicators drawn over it map with the same, non-empty scale.
  DataSet manual_set = Loaded({MakeBar(20240104, 500, 500, 500, 500)});
  RecordingCanvas manual_canvas;
  const PriceChartResult manual = Show(manual_set, Manual("500", "500", "1"), manual_canvas);
  ASSERT_EQ(manual.message, "");
  EXPECT_EQ(manual.scale.upper, 501);
  EXPECT_EQ(manual.scale.lower, 499);
  EXPECT_EQ(manual.boxes.upper, "501");
  EXPECT_EQ(manual.boxes.lower, "499");
}

TEST(ShowPriceChartTest, SixDigitPricesAreLabelledInThousandsOnCandlesticks) {
  const std::vector<Bar> bars = {MakeBar(20240104, 100000, 110000, 95000, 105000),
                                 MakeBar(20240105, 105000, 120000, 100000, 118000)};
  {
    DataSet data_set = Loaded(bars);
    RecordingCanvas canvas;
    ASSERT_EQ(Show(data_set, Manual("123456", "90000", "5000"), canvas).message, "");
    EXPECT_TRUE(canvas.Contains("text 5,385 単位千"));
    EXPECT_EQ(ScaleLabels(canvas),
              (std::vector<std::string>{"95", "100", "105", "110", "115", "120"}));
  }
  {
    // The unit mark is only for candlesticks; the other chart types label in yen.
    DataSet data_set = Loaded(bars);
    PriceChartBoxes boxes = Manual("123456", "90000", "5000");
    boxes.type = ChartType::kCloseBars;
    RecordingCanvas canvas;
    ASSERT_EQ(Show(data_set, boxes, canvas).message, "");
    const std::vector<std::string> texts = canvas.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "単位千"), 0);
    EXPECT_EQ(ScaleLabels(canvas).front(), "95000");
  }
  {
    // Five digits stay in yen.
    DataSet data_set = Loaded(bars);
    RecordingCanvas canvas;
    ASSERT_EQ(Show(data_set, Manual("99999", "90000", "5000"), canvas).message, "");
    const std::vector<std::string> texts = canvas.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "単位千"), 0);
    EXPECT_EQ(ScaleLabels(canvas), (std::vector<std::string>{"95000"}));
  }
}

TEST(ShowPriceChartTest, AppendsItsItemToTheCommandRecordAndSetsTheShownFlag) {
  const struct {
    ChartType type;
    const char* record;
  } cases[] = {{ChartType::kCandles, "4,3,7,10,1,1,1,6,"},
               {ChartType::kCloseBars, "4,3,7,10,1,2,1,6,"},
               {ChartType::kCloseLine, "4,3,7,10,1,3,1,6,"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record);
    DataSet data_set = AutoScaleSeries();
    data_set.command_record = "4,3,7,10,";
    PriceChartBoxes boxes;
    boxes.region_from = "1";
    boxes.region_to = "6";
    boxes.type = c.type;
    RecordingCanvas canvas;
    ASSERT_EQ(Show(data_set, boxes, canvas).message, "");
    EXPECT_EQ(data_set.command_record, c.record);
    EXPECT_TRUE(data_set.chart_shown);
  }
}

TEST(ShowPriceChartTest, CaptionAtTheTopOfTheBandWithUnitAndFinancialSummary) {
  PriceChartBoxes boxes;
  boxes.region_from = "1";
  boxes.region_to = "6";  // the band of regions 1..6 starts at row 160 of 400
  {
    DataSet data_set = AutoScaleSeries();
    RecordingCanvas canvas;
    const PriceChartResult result = Show(data_set, boxes, canvas);
    const std::string expected =
        "7203 トヨタ  日足　 PER: - PBR: - ROE: - ROA: - 配当利回り: - 単元株数: - ";
    EXPECT_EQ(result.caption, expected);
    const auto texts = canvas.TextCalls();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, expected);
    EXPECT_EQ(texts.back().x, 31);
    EXPECT_EQ(texts.back().y, 160);
    EXPECT_EQ(texts.back().brush, kWhite);
  }
  {
    DataSet data_set = AutoScaleSeries();
    RecordingCanvas canvas;
    const PriceChartResult result = Show(data_set, boxes, canvas, /*zoom=*/true);
    EXPECT_EQ(result.caption,
              "7203 トヨタ  日足　 PER: - PBR: - ROE: - ROA: - 配当利回り: - 単元株数: -  "
              "(ズーム画面)");
    EXPECT_EQ(canvas.Texts().back(), result.caption);
  }
  {
    // The figures are worked out at the last bar's close of 1000 yen.
    FinancialRecord record;
    record.earnings = 50;
    record.book_value = 500;
    record.roe = 8.5f;
    record.roa = 3.25f;
    record.dividend = 30;
    record.unit_shares = 100;
    DataSet data_set = AutoScaleSeries();
    data_set.unit = DataUnit::kWeek;
    RecordingCanvas canvas;
    const PriceChartResult result = Show(data_set, boxes, canvas, false, record);
    EXPECT_EQ(result.caption,
              "7203 トヨタ  週足　 PER: 20 PBR: 2 ROE: 8.5 ROA: 3.25 配当利回り: 3 単元株数: 100 ");
  }
}

TEST(PriceChartUnitCaptionTest, NameBoxFollowedByTheDataUnit) {
  EXPECT_EQ(UnitCaption("1301", DataUnit::kDay), "1301  日足　");
  EXPECT_EQ(UnitCaption("1301", DataUnit::kWeek), "1301  週足　");
  EXPECT_EQ(UnitCaption("1301", DataUnit::kMonth), "1301  月足　");
  EXPECT_EQ(UnitCaption("1301", DataUnit::kQuarter), "1301  四半期足　");
  EXPECT_EQ(UnitCaption("1301", DataUnit::kYear), "1301  年足　");
}

TEST(ShowPriceChartTest, CalendarSpacingPlacesDailyBarsByTheirDates) {
  // Monday and Friday of one week; with no margin the week has five slots of 120 pixels.
  const std::vector<Bar> bars = {MakeBar(20240108, 1000, 1100, 900, 1050),
                                 MakeBar(20240112, 1050, 1150, 950, 1100)};
  PriceChartBoxes boxes;
  boxes.margin = "0";
  boxes.calendar = true;
  {
    DataSet data_set = Loaded(bars);
    RecordingCanvas canvas;
    ASSERT_EQ(Show(data_set, boxes, canvas).message, "");
    const auto rects = canvas.Rects();
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].from.x, 50);  // x 90, half body 40
    EXPECT_EQ(rects[0].to.x, 130);
    EXPECT_EQ(rects[1].from.x, 530);  // x 570
    EXPECT_EQ(rects[1].to.x, 610);
  }
  {
    // Calendar spacing exists only for daily bars: weekly bars stay one slot apart.
    DataSet data_set = Loaded(bars, 1, DataUnit::kWeek);
    RecordingCanvas canvas;
    ASSERT_EQ(Show(data_set, boxes, canvas).message, "");
    const auto rects = canvas.Rects();
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].from.x, 80);   // x 180, half body 100
    EXPECT_EQ(rects[1].from.x, 380);  // x 480
  }
}

// 660 × 215 pixels: the band of all ten regions is rows 0..200, so with a scale of 1100..900
// a price p sits on row 1100 − p. Three bars without margin sit at x = 130, 330 and 530 with a
// half body of 66 pixels.
constexpr int kWidth = 660;
constexpr int kHeight = 215;

PriceScale SmallScale() {
  PriceScale scale;
  scale.upper = 1100;
  scale.lower = 900;
  scale.interval = 50;
  scale.margin = 0;
  return scale;
}

DataSet ThreeBars() {
  return Loaded({MakeBar(20240104, 1000, 1050, 950, 1040),    // rising
                 MakeBar(20240105, 1040, 1060, 990, 1000),    // falling
                 MakeBar(20240108, 1000, 1200, 800, 1000)});  // open = close, wick off scale
}

const std::vector<std::string> kSmallScale = {
    "line 30,0-30,200",    "line 30,200-630,200", "line 30,150-630,150", "text 11,144 950",
    "line 30,100-630,100", "text 5,94 1000",      "line 30,50-630,50",   "text 5,44 1050"};

std::vector<std::string> WithScale(std::vector<std::string> bars) {
  std::vector<std::string> all = kSmallScale;
  all.insert(all.end(), bars.begin(), bars.end());
  return all;
}

TEST(PriceChartDrawingTest, Candlesticks) {
  RecordingCanvas canvas(kWidth, kHeight);
  DrawCandles(ThreeBars(), SmallScale(), true, canvas);
  EXPECT_EQ(canvas.DrawingTexts(), WithScale({
                                       "line 130,150-130,50",
                                       "rect 64,100-196,60",
                                       "line 64,100-196,100",
                                       "line 64,60-196,60",
                                       "line 330,110-330,40",
                                       "rect 264,60-396,100",
                                       "line 264,60-396,60",
                                       "line 264,100-396,100",
                                       "line 530,200-530,0",
                                       "rect 464,100-596,100",
                                       "line 464,100-596,100",
                                       "line 464,100-596,100",
                                   }));
  const auto rects = canvas.Rects();
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[0].pen, kRed);
  EXPECT_EQ(rects[0].brush, kRed);
  EXPECT_EQ(rects[1].pen, kBlack);
  EXPECT_EQ(rects[1].brush, kBlack);
  EXPECT_EQ(rects[2].pen, kRed);
  for (const auto& line : canvas.Lines()) {
    if (line.from.x >= 64) {
      EXPECT_EQ(line.style, PenStyle::kSolid);
    }
  }
  EXPECT_EQ(canvas.CallTexts().back(), "brush FFFFFF");
}

TEST(PriceChartDrawingTest, CloseBarsStartAtTheSecondBarFromThePreviousClose) {
  RecordingCanvas canvas(kWidth, kHeight);
  DrawCloseBars(ThreeBars(), SmallScale(), true, canvas);
  EXPECT_EQ(canvas.DrawingTexts(), WithScale({
                                       "rect 264,60-396,100",
                                       "line 264,60-396,60",
                                       "line 264,100-396,100",
                                       "rect 464,100-596,100",
                                       "line 464,100-596,100",
                                       "line 464,100-596,100",
                                   }));
  const auto rects = canvas.Rects();
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].brush, kBlack);  // 1000 after 1040
  EXPECT_EQ(rects[1].brush, kRed);    // unchanged counts as rising
  EXPECT_EQ(canvas.CallTexts().back(), "brush FFFFFF");
}

TEST(PriceChartDrawingTest, CloseLineStartsAtTheSecondBar) {
  RecordingCanvas canvas(kWidth, kHeight);
  DrawCloseLine(ThreeBars(), SmallScale(), true, canvas);
  EXPECT_EQ(canvas.DrawingTexts(), WithScale({
                                       "rect 328,98-332,102",
                                       "line 130,60-330,100",
                                       "rect 528,98-532,102",
                                       "line 530,100-330,100",
                                   }));
  const auto rects = canvas.Rects();
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].brush, kBlack);
  EXPECT_EQ(rects[1].brush, kRed);
  EXPECT_EQ(canvas.CallTexts().back(), "brush FFFFFF");
}

TEST(PriceChartDrawingTest, CloseLineIsCutAtTheBandAndLeftOutBelowIt) {
  // Five slots of 120 pixels: x = 90, 210, 330, 450, 570. Closes at rows 100, −200 (far above),
  // 100, 400 and 450 (both below the axis at 200).
  const DataSet data_set =
      Loaded({MakeBar(20240104, 1000, 1000, 1000, 1000), MakeBar(20240105, 1300, 1300, 1300, 1300),
              MakeBar(20240108, 1000, 1000, 1000, 1000), MakeBar(20240109, 700, 700, 700, 700),
              MakeBar(20240110, 650, 650, 650, 650)});
  RecordingCanvas canvas(kWidth, kHeight);
  DrawCloseLine(data_set, SmallScale(), true, canvas);
  EXPECT_EQ(canvas.DrawingTexts(), WithScale({
                                       "line 130,0-90,100",
                                       "rect 328,98-332,102",
                                       "line 290,0-330,100",
                                       "line 330,100-370,200",
                                   }));
}

TEST(PriceChartDrawingTest, OneDisplayedBarGivesNoCloseBarsOrLine) {
  DataSet data_set = ThreeBars();
  data_set.first_shown = 3;
  for (const ChartType type : {ChartType::kCloseBars, ChartType::kCloseLine}) {
    SCOPED_TRACE(static_cast<int>(type));
    PriceChartBoxes boxes;
    boxes.type = type;
    RecordingCanvas canvas;
    ASSERT_EQ(Show(data_set, boxes, canvas).message, "");
    EXPECT_TRUE(canvas.Rects().empty());
    EXPECT_TRUE(data_set.chart_shown);
  }
}

TEST(PriceChartDrawingTest, SplitMarkerIsDottedAtTheLeftEdgeOfTheSlot) {
  DataSet data_set = ThreeBars();
  data_set.bars[2].split = 0.5f;
  RecordingCanvas canvas(kWidth, kHeight);
  DrawCandles(data_set, SmallScale(), true, canvas);
  // Bar 2 at x 330 owns the slot from 230; the marker runs from below the top to above the dates.
  std::vector<RecordingCanvas::LineCall> markers;
  for (const auto& line : canvas.Lines()) {
    if (line.style == PenStyle::kDot && line.from.x == line.to.x) markers.push_back(line);
  }
  ASSERT_EQ(markers.size(), 1u);
  EXPECT_EQ(markers[0].from, (Point{230, 1}));
  EXPECT_EQ(markers[0].to, (Point{230, 199}));
  EXPECT_EQ(markers[0].pen, kBlack);

  // Without auxiliary lines there are neither scale lines nor split markers.
  RecordingCanvas plain(kWidth, kHeight);
  DrawCandles(data_set, SmallScale(), false, plain);
  for (const auto& line : plain.Lines()) EXPECT_EQ(line.style, PenStyle::kSolid);
  EXPECT_EQ(ScaleLabels(plain), (std::vector<std::string>{"950", "1000", "1050"}));
}

struct MonthLabel {
  int x;
  std::string text;
  Color brush;
  bool operator==(const MonthLabel&) const = default;
};

void PrintTo(const MonthLabel& label, std::ostream* out) {
  *out << label.text << "@" << label.x << (label.brush == kYellow ? " yellow" : "");
}

// Labels under the time axis of a 400-row image drawn over all ten regions; each must stand on
// its tick mark.
std::vector<MonthLabel> MonthLabels(const RecordingCanvas& canvas) {
  std::vector<MonthLabel> labels;
  for (const auto& call : canvas.TextCalls()) {
    if (call.y != 400 - 14) continue;
    labels.push_back({call.x, call.text, call.brush});
    const auto lines = canvas.Lines();
    const bool ticked = std::any_of(lines.begin(), lines.end(), [&](const auto& line) {
      return line.from == Point{call.x, 385} && line.to == Point{call.x, 380} &&
             line.style == PenStyle::kSolid && line.pen == kBlack;
    });
    EXPECT_TRUE(ticked) << call.text;
  }
  return labels;
}

PriceScale MonthScale() {
  PriceScale scale;
  scale.upper = 1100;
  scale.lower = 900;
  scale.interval = 1000;
  scale.margin = 10;
  return scale;
}

TEST(PriceChartMonthLabelTest, EveryMonthChangeWithJanuaryAsYearAndMonthOnYellow) {
  // A warm-up bar in May 2001, then June 2001 to May 2003 on show.
  const DataSet data_set = Loaded(Monthly(2001, 5, 25), 2, DataUnit::kMonth);
  RecordingCanvas canvas;
  DrawCandles(data_set, MonthScale(), true, canvas);
  const RegionFrame frame = PriceFrame(data_set, MonthScale(), 660, 400);
  std::vector<MonthLabel> expected;
  const char* texts[] = {"07", "08", "09", "10", "11", "12", "0201", "02", "03", "04", "05", "06",
                         "07", "08", "09", "10", "11", "12", "0301", "02", "03", "04", "05"};
  for (int i = 0; i < 23; ++i) {
    const std::string text = texts[i];
    expected.push_back({RegionX(frame, 3 + i), text, text.size() == 4 ? kYellow : kWhite});
  }
  EXPECT_EQ(MonthLabels(canvas), expected);
}

TEST(PriceChartMonthLabelTest, FourYearsOrMoreLabelOnlyJanuaryWithTheYear) {
  {
    const DataSet data_set = Loaded(Monthly(1999, 1, 72), 1, DataUnit::kMonth);
    RecordingCanvas canvas;
    DrawCandles(data_set, MonthScale(), true, canvas);
    const RegionFrame frame = PriceFrame(data_set, MonthScale(), 660, 400);
    EXPECT_EQ(MonthLabels(canvas), (std::vector<MonthLabel>{{RegionX(frame, 13), "00", kYellow},
                                                            {RegionX(frame, 25), "01", kYellow},
                                                            {RegionX(frame, 37), "02", kYellow},
                                                            {RegionX(frame, 49), "03", kYellow},
                                                            {RegionX(frame, 61), "04", kYellow}}));
  }
  {
    // June 1999 to May 2003: the years are four apart.
    const DataSet data_set = Loaded(Monthly(1999, 6, 48), 1, DataUnit::kMonth);
    RecordingCanvas canvas;
    DrawCandles(data_set, MonthScale(), true, canvas);
    std::vector<std::string> texts;
    for (const MonthLabel& label : MonthLabels(canvas)) texts.push_back(label.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"00", "01", "02", "03"}));
  }
  {
    // January 2000 to December 2003: three years apart, every month is labelled.
    const DataSet data_set = Loaded(Monthly(2000, 1, 48), 1, DataUnit::kMonth);
    RecordingCanvas canvas;
    DrawCandles(data_set, MonthScale(), true, canvas);
    const std::vector<MonthLabel> labels = MonthLabels(canvas);
    EXPECT_EQ(labels.size(), 47u);
    EXPECT_EQ(labels.front().text, "02");
    EXPECT_EQ(labels[10].text, "12");
    EXPECT_EQ(labels[11].text, "0101");
  }
}

TEST(PriceChartMonthLabelTest, TheFirstDisplayedBarHasNoLabel) {
  // The warm-up bar is in December, the first displayed bar in January: no "0001" for it.
  const DataSet data_set =
      Loaded({MakeBar(19991230, 990, 1010, 980, 1000), MakeBar(20000104, 990, 1010, 980, 1000),
              MakeBar(20000105, 990, 1010, 980, 1000)},
             2);
  for (const auto draw : {&DrawCandles, &DrawCloseBars, &DrawCloseLine}) {
    RecordingCanvas canvas;
    draw(data_set, MonthScale(), true, canvas);
    EXPECT_TRUE(MonthLabels(canvas).empty());
  }
}

}  // namespace
}  // namespace varnolt
