#include "indicators/macd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "base/numbers.h"
#include "indicators/oscillator_frame.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::RecordingCanvas;

const std::vector<int32_t> kSmall = {10, 12, 11, 14, 8};

std::vector<int32_t> RandomCloses(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> step(-40, 40);
  std::vector<int32_t> closes;
  int32_t close = 3000;
  for (int i = 0; i < count; ++i) {
    close = std::max(100, close + step(random));
    closes.push_back(close);
  }
  return closes;
}

ControlValues MacdControls(const std::string& fast, const std::string& slow,
                           const std::string& signal) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edmacd1", fast);
  controls.Set("edmacd2", slow);
  controls.Set("edmacd3", signal);
  return controls;
}

ScreeningSeries SeriesOf(const std::vector<int32_t>& closes) {
  return testing::SeriesWithLeftovers(closes, {-1, -1});
}

// Slots 1 and 2 indexed by bar number (entry 0 unused).
struct Slots {
  std::vector<double> macd{0.0};
  std::vector<double> signal{0.0};
};

Slots Calc(const std::vector<int32_t>& closes, const ControlValues& controls) {
  ScreeningSeries series = SeriesOf(closes);
  EXPECT_EQ(CalcMACD(series, static_cast<int>(closes.size()), controls), 0);
  Slots slots;
  for (int bar = 1; bar <= static_cast<int>(closes.size()); ++bar) {
    slots.macd.push_back(series[bar].s1);
    slots.signal.push_back(series[bar].s2);
  }
  return slots;
}

// An exponential average from its closed form: the seed mean of the first n closes weighted
// by (1 − a)^(i − n), plus every later close weighted by a (1 − a)^(i − j).
double SlowEma(const std::vector<int32_t>& closes, int n, int bar) {
  const double a = 2.0 / (n + 1);
  double seed = 0;
  for (int j = 1; j <= n; ++j) seed += closes[j - 1];
  double value = seed / n * std::pow(1 - a, bar - n);
  for (int j = n + 1; j <= bar; ++j) value += a * std::pow(1 - a, bar - j) * closes[j - 1];
  return value;
}

Slots SlowMacd(const std::vector<int32_t>& closes, int fast, int slow, int signal) {
  const int count = static_cast<int>(closes.size());
  const int start = std::max(fast, slow);
  Slots r{std::vector<double>(count + 1), std::vector<double>(count + 1)};
  for (int bar = start; bar <= count; ++bar) {
    r.macd[bar] = SlowEma(closes, fast, bar) - SlowEma(closes, slow, bar);
  }
  if (signal > 0) {
    for (int bar = start + signal - 1; bar <= count; ++bar) {
      double sum = 0;
      for (int j = bar - signal + 1; j <= bar; ++j) sum += r.macd[j];
      r.signal[bar] = sum / signal;
    }
  }
  return r;
}

TEST(MacdComputation, HandChecked) {
  // Fast 1 follows the close; slow 2 starts at (10 + 12) / 2 = 11 and moves 2/3 of the way:
  // 11, 13, 9.667. Signal 2 from bar 3.
  const Slots slots = Calc(kSmall, MacdControls("1", "2", "2"));
  const std::vector<float> macd = {0, 1, 0, 1, 8 - (13 - 10.0f / 3)};
  const std::vector<float> signal = {0, 0, 0.5f, 0.5f, (1 + macd[4]) / 2};
  for (int bar = 1; bar <= 5; ++bar) {
    EXPECT_FLOAT_EQ(slots.macd[bar], macd[bar - 1]) << bar;
    EXPECT_FLOAT_EQ(slots.signal[bar], signal[bar - 1]) << bar;
  }
}

TEST(MacdComputation, WarmUpAndStartBars) {
  ScreeningSeries series = SeriesOf(kSmall);
  EXPECT_EQ(CalcMACD(series, 0, MacdControls("5", "20", "9")), 27);
  EXPECT_EQ(CalcMACD(series, 0, MacdControls("20", "5", "1")), 19);
  EXPECT_EQ(CalcMACD(series, 0, MacdControls("", "", "")), 19);  // 5, 20, no signal
  EXPECT_EQ(CalcMACD(series, 0, MacdControls("0", "0", "0")), 0);

  // 5/20/9: MACD from bar 20, signal from bar 28.
  const std::vector<int32_t> closes = RandomCloses(60, 5);
  const Slots slots = Calc(closes, MacdControls("5", "20", "9"));
  for (int bar = 1; bar <= 60; ++bar) {
    EXPECT_EQ(slots.macd[bar] != 0, bar >= 20) << bar;
    EXPECT_EQ(slots.signal[bar] != 0, bar >= 28) << bar;
  }
  // An empty signal box: slot 2 is 0 on every bar, over what was there before.
  EXPECT_EQ(Calc(closes, MacdControls("5", "20", "")).signal, std::vector<double>(61, 0.0));
  EXPECT_EQ(Calc(closes, MacdControls("5", "20", "-3")).signal, std::vector<double>(61, 0.0));

  // Fewer bars than the slow period: all 0.
  const Slots short_series = Calc(kSmall, MacdControls("5", "20", "9"));
  EXPECT_EQ(short_series.macd, std::vector<double>(6, 0.0));
  EXPECT_EQ(short_series.signal, std::vector<double>(6, 0.0));
}

TEST(MacdComputation, MatchesClosedFormOnRandomData) {
  const std::vector<int32_t> closes = RandomCloses(999, 41);
  const int periods[][3] = {{5, 20, 9}, {12, 26, 9}, {20, 5, 3},
                            {1, 1, 1},  {3, 3, 0},   {50, 200, 30}};
  for (const auto& [fast, slow, signal] : periods) {
    SCOPED_TRACE(std::to_string(fast) + "/" + std::to_string(slow) + "/" + std::to_string(signal));
    const Slots slots = Calc(
        closes, MacdControls(std::to_string(fast), std::to_string(slow), std::to_string(signal)));
    const Slots r = SlowMacd(closes, fast, slow, signal);
    // The averages are kept in single precision at prices near 3000.
    for (int bar = 1; bar <= 999; ++bar) {
      ASSERT_NEAR(slots.macd[bar], r.macd[bar], 0.02) << bar;
      ASSERT_NEAR(slots.signal[bar], r.signal[bar], 0.02) << bar;
    }
  }
}

TEST(MacdComputation, Failures) {
  const ComputationInfo& info = *FindComputation("CalcMACD");
  for (const auto& [fast, slow] : {std::pair{"0", "20"}, {"5", "0"}, {"-5", "20"}}) {
    ScreeningSeries series = SeriesOf(RandomCloses(40, 3));
    EXPECT_EQ(RunComputation(info, series, 40, MacdControls(fast, slow, "9")), kFailureCode);
  }
}

// Closes on consecutive days from 2024-01-01 with volume 100, on a 660 × 400 image, regions
// 1..10.
struct MacdDrawing : testing::DrawingBench {
  MacdDrawing(const std::vector<int32_t>& closes, int first)
      : DrawingBench(testing::DailyDataOf(closes, first, CompactToDay("20240101"), 100)) {
    controls.SetChecked("cbshowosci", true);
  }
  std::string Run() { return DrawMACD(Context()).message; }

  // The solid not-xor segments in the colour of a label.
  std::vector<std::string> Drawn(const std::string& label) const {
    std::vector<std::string> segments;
    for (const RecordingCanvas::Call& call : canvas.Calls()) {
      if (call.text.starts_with("line ") && call.style == PenStyle::kSolid &&
          call.pen == controls.ColorOf(label)) {
        EXPECT_EQ(call.mode, PenMode::kNotXor) << call.text;
        segments.push_back(call.text);
      }
    }
    return segments;
  }
  // The segments of values[from..to] on a scale upper … lower.
  std::vector<std::string> Expected(int64_t upper, int64_t lower, int from, int to,
                                    const std::vector<double>& values) {
    const IndicatorFrame frame = OscillatorFrame(Context(), upper, lower);
    std::vector<std::string> segments;
    for (int bar = from + 1; bar <= to; ++bar) {
      const PixelPoint a = OscillatorPoint(frame, bar - 1, values[bar - 1]);
      const PixelPoint b = OscillatorPoint(frame, bar, values[bar]);
      segments.push_back(testing::LineText(a, b));
    }
    return segments;
  }
};

std::string Listing(const DataSet& data, const Slots& slots) {
  std::string text = "MACD , 第１線（２周期の乖離） , 第2線（第１線の移動平均）\r\n";
  for (int bar = data.first_shown; bar <= data.bars.Count(); ++bar) {
    text += std::to_string(data.bars[bar].date) + " , " + ListingNumber(slots.macd[bar]) + " , " +
            ListingNumber(slots.signal[bar]) + "\r\n";
  }
  return text;
}

TEST(MacdDrawing, HandChecked) {
  // MACD 1, 0, 1, −1.667 from bar 2; signal 0.5, 0.5, −0.333 from bar 3. Scale: a tenth of the
  // range 2.667 rounds to 0, so 1 … −2, row = 400 × (1 − v) div 3; five bars at x = 90, 210, …
  MacdDrawing drawing(kSmall, 1);
  drawing.controls = MacdControls("1", "2", "2");
  drawing.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(drawing.Run(), "");
  std::vector<std::string> drawn = drawing.canvas.DrawingTexts();
  ASSERT_GE(drawn.size(), 6u);
  drawn.resize(6);
  EXPECT_EQ(drawn,
            (std::vector<std::string>{"line 30,133-630,133", "text 631,127 0", "line 30,0-630,0",
                                      "text 631,-6 1", "line 30,400-630,400", "text 631,394 -2"}));
  EXPECT_EQ(
      drawing.Drawn("lbmacd1"),
      (std::vector<std::string>{"line 210,0-330,133", "line 330,133-450,0", "line 450,0-570,400"}));
  // 0.5 rounds to the even 0.
  EXPECT_EQ(drawing.Drawn("lbmacd2"),
            (std::vector<std::string>{"line 330,133-450,133", "line 450,133-570,133"}));
  EXPECT_EQ(drawing.statistics,
            "MACD , 第１線（２周期の乖離） , 第2線（第１線の移動平均）\r\n"
            "20240101 , 0 , 0\r\n"
            "20240102 , 1 , 0\r\n"
            "20240103 , 0 , 0.5\r\n"
            "20240104 , 1 , 0.5\r\n"
            "20240105 , -1.67 , -0.33\r\n");
  for (const RecordingCanvas::Call& call : drawing.canvas.Calls()) {
    if (call.style == PenStyle::kDot) {
      EXPECT_EQ(call.mode, PenMode::kCopy) << call.text;
    }
  }
  EXPECT_EQ(drawing.canvas.Calls().back().mode, PenMode::kCopy);
  EXPECT_EQ(drawing.canvas.CallTexts().back(), "brush FFFFFF");
}

TEST(MacdDrawing, StartBarsAndScaleFromAllBars) {
  const std::vector<int32_t> closes = RandomCloses(60, 9);
  const ControlValues controls = MacdControls("5", "20", "9");
  const Slots slots = Calc(closes, controls);
  const auto [low, high] = std::minmax_element(slots.macd.begin() + 20, slots.macd.end());
  const int64_t spare = RoundHalfEven((*high - *low) / 10);
  const int64_t upper = RoundHalfEven(*high + spare);
  const int64_t lower = RoundHalfEven(*low - spare);

  // From bar 1: MACD from bar 20, signal from bar 28.
  MacdDrawing drawing(closes, 1);
  drawing.controls = controls;
  drawing.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(drawing.Run(), "");
  EXPECT_EQ(drawing.Drawn("lbmacd1"), drawing.Expected(upper, lower, 20, 60, slots.macd));
  EXPECT_EQ(drawing.Drawn("lbmacd2"), drawing.Expected(upper, lower, 28, 60, slots.signal));
  EXPECT_TRUE(drawing.Drawn("lbmacd1")[0].starts_with("line 225,"));  // 10 pixels a bar
  EXPECT_TRUE(drawing.Drawn("lbmacd2")[0].starts_with("line 305,"));
  EXPECT_EQ(drawing.canvas.Texts(),
            (std::vector<std::string>{"0", std::to_string(RoundHalfEven(*high)),
                                      std::to_string(RoundHalfEven(*low))}));
  EXPECT_EQ(drawing.statistics, Listing(drawing.data, slots));

  // A jump at bars 21–22 makes the largest MACD; shown from bar 30 the scale still takes it.
  std::vector<int32_t> jump(60, 1000);
  jump[20] = jump[21] = 2000;
  const Slots jump_slots = Calc(jump, controls);
  const double jump_high = *std::max_element(jump_slots.macd.begin() + 20, jump_slots.macd.end());
  const double shown_high = *std::max_element(jump_slots.macd.begin() + 30, jump_slots.macd.end());
  ASSERT_NE(RoundHalfEven(jump_high), RoundHalfEven(shown_high));
  MacdDrawing later(jump, 30);
  later.controls = controls;
  later.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(later.Run(), "");
  ASSERT_EQ(later.canvas.Texts().size(), 3u);
  EXPECT_EQ(later.canvas.Texts()[1], std::to_string(RoundHalfEven(jump_high)));
  // Both lines start at the first shown bar; the listing too.
  const double jump_low = *std::min_element(jump_slots.macd.begin() + 20, jump_slots.macd.end());
  const int64_t jump_spare = RoundHalfEven((jump_high - jump_low) / 10);
  EXPECT_EQ(later.Drawn("lbmacd1"),
            later.Expected(RoundHalfEven(jump_high + jump_spare),
                           RoundHalfEven(jump_low - jump_spare), 30, 60, jump_slots.macd));
  EXPECT_EQ(later.Drawn("lbmacd2").size(), 30u);
  EXPECT_EQ(later.statistics, Listing(later.data, jump_slots));
}

TEST(MacdDrawing, EmptySignalBoxAndShortSeries) {
  const std::vector<int32_t> closes = RandomCloses(40, 13);
  MacdDrawing drawing(closes, 1);
  drawing.controls = MacdControls("5", "20", "");
  drawing.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(drawing.Run(), "");
  EXPECT_EQ(drawing.Drawn("lbmacd1").size(), 20u);
  EXPECT_TRUE(drawing.Drawn("lbmacd2").empty());
  Slots slots = Calc(closes, MacdControls("5", "20", "9"));
  std::fill(slots.signal.begin(), slots.signal.end(), 0.0);
  EXPECT_EQ(drawing.statistics, Listing(drawing.data, slots));

  // Fewer bars than the slow period: no line, the reference lines at 0.
  MacdDrawing short_series(kSmall, 1);
  EXPECT_EQ(short_series.Run(), "");
  EXPECT_TRUE(short_series.Drawn("lbmacd1").empty());
  EXPECT_TRUE(short_series.Drawn("lbmacd2").empty());
  EXPECT_EQ(short_series.canvas.Texts(), (std::vector<std::string>{"0", "0", "0"}));
}

TEST(MacdDrawing, FlatMacdAndBadPeriods) {
  // Unchanged closes: MACD 0 everywhere; the scale widens to 1 … −1 and the line runs through
  // the middle row.
  MacdDrawing flat(std::vector<int32_t>(30, 1500), 1);
  flat.controls = MacdControls("5", "20", "9");
  EXPECT_EQ(flat.Run(), "");
  const std::vector<std::string> macd = flat.Drawn("lbmacd1");
  ASSERT_EQ(macd.size(), 10u);
  for (const std::string& segment : macd) {
    EXPECT_TRUE(segment.ends_with(",200")) << segment;
    EXPECT_NE(segment.find(",200-"), std::string::npos) << segment;
  }
  EXPECT_EQ(flat.Drawn("lbmacd2").size(), 2u);
  EXPECT_TRUE(flat.canvas.Contains("line 30,200-630,200"));

  // A period below 1 has no average: nothing drawn, no listing.
  for (const auto& [fast, slow] : {std::pair{"0", "20"}, {"5", "-1"}}) {
    MacdDrawing bad(RandomCloses(30, 1), 1);
    bad.controls = MacdControls(fast, slow, "9");
    bad.controls.SetChecked("cbshowosci", true);
    EXPECT_EQ(bad.Run(), kSkewedDataMessage);
    EXPECT_TRUE(bad.canvas.DrawingTexts().empty());
    EXPECT_EQ(bad.statistics, "earlier listing");
  }
}

}  // namespace
}  // namespace varnolt
