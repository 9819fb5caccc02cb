#include "indicators/stochastics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "indicators/oscillator_frame.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::DrawnSegments;
using testing::Hlc;
using testing::LineText;
using testing::RecordingCanvas;

// k = 3: raw values (3, 6), (6, 7), (3, 7), (6, 6) at bars 3–6.
const std::vector<Hlc> kSmall = {
    {10, 6, 8}, {12, 8, 11}, {11, 7, 9}, {14, 9, 13}, {13, 10, 10}, {15, 11, 15},
};

std::vector<Hlc> RandomBars(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> step(-40, 40);
  std::uniform_int_distribution<int> reach(0, 30);
  std::vector<Hlc> bars;
  int32_t close = 3000;
  for (int i = 0; i < count; ++i) {
    const int32_t open = close;
    close = std::max(100, close + step(random));
    // At least one pixel of range, so that no window is flat.
    bars.push_back(
        {std::max(open, close) + reach(random) + 1, std::min(open, close) - reach(random), close});
  }
  return bars;
}

ScreeningSeries SeriesOf(const std::vector<Hlc>& bars) {
  return testing::SeriesWithLeftovers(bars, {-1, -1, -1});
}

ControlValues StochasticsControls(const std::string& k, const std::string& d,
                                  const std::string& s) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edstk", k);
  controls.Set("edstd", d);
  controls.Set("edstsd", s);
  return controls;
}

struct Slots {
  std::vector<float> k, d, slow;
};

Slots Calc(const std::vector<Hlc>& bars, const ControlValues& controls) {
  ScreeningSeries series = SeriesOf(bars);
  EXPECT_EQ(CalcStochastics(series, static_cast<int>(bars.size()), controls), 0);
  Slots slots;
  for (int bar = 1; bar <= static_cast<int>(bars.size()); ++bar) {
    slots.k.push_back(series[bar].s1);
    slots.d.push_back(series[bar].s2);
    slots.slow.push_back(series[bar].s3);
  }
  return slots;
}

// Every value from its own whole window, indexed by bar number; 0 before a line starts.
struct Reference {
  std::vector<double> k, d, slow;
};

Reference SlowStochastics(const std::vector<Hlc>& bars, int k, int d, int s) {
  const int n = static_cast<int>(bars.size());
  Reference r{std::vector<double>(n + 1), std::vector<double>(n + 1), std::vector<double>(n + 1)};
  auto raw = [&](int bar, bool numerator) {
    int32_t high = bars[bar - 1].high;
    int32_t low = bars[bar - 1].low;
    for (int j = bar - k + 1; j <= bar; ++j) {
      high = std::max(high, bars[j - 1].high);
      low = std::min(low, bars[j - 1].low);
    }
    return static_cast<double>(numerator ? bars[bar - 1].close - low : high - low);
  };
  for (int bar = k; bar <= n; ++bar) r.k[bar] = 100 * raw(bar, true) / raw(bar, false);
  for (int bar = k + d - 1; bar <= n; ++bar) {
    double numerator = 0, denominator = 0;
    for (int j = bar - d + 1; j <= bar; ++j) {
      numerator += raw(j, true);
      denominator += raw(j, false);
    }
    r.d[bar] = 100 * numerator / denominator;
  }
  if (s > 0) {
    for (int bar = k + d + s - 2; bar <= n; ++bar) {
      double sum = 0;
      for (int j = bar - s + 1; j <= bar; ++j) sum += r.d[j];
      r.slow[bar] = sum / s;
    }
  }
  return r;
}

TEST(StochasticsComputation, HandChecked) {
  const Slots slots = Calc(kSmall, StochasticsControls("3", "2", "2"));
  const std::vector<float> k = {0, 0, 50, 600.0f / 7, 300.0f / 7, 100};
  for (size_t i = 0; i < k.size(); ++i) EXPECT_FLOAT_EQ(slots.k[i], k[i]) << i;
  // %D from bar k + d − 1 = 4: 9/13, 9/14, 9/13; slow %D from bar 5.
  const std::vector<float> d = {0, 0, 0, 900.0f / 13, 900.0f / 14, 900.0f / 13};
  const float slow = (900.0f / 13 + 900.0f / 14) / 2;
  for (size_t i = 0; i < d.size(); ++i) EXPECT_FLOAT_EQ(slots.d[i], d[i]) << i;
  EXPECT_EQ(slots.slow[3], 0);
  EXPECT_FLOAT_EQ(slots.slow[4], slow);
  EXPECT_FLOAT_EQ(slots.slow[5], slow);

  // Slow %D off: slot 3 is 0 on every bar.
  EXPECT_EQ(Calc(kSmall, StochasticsControls("3", "2", "0")).slow, std::vector<float>(6, 0));
}

TEST(StochasticsComputation, WarmUpLengths) {
  ScreeningSeries series = SeriesOf(kSmall);
  EXPECT_EQ(CalcStochastics(series, 0, StochasticsControls("5", "3", "0")), 6);
  EXPECT_EQ(CalcStochastics(series, 0, StochasticsControls("5", "3", "4")), 9);
  // Empty boxes: 9, 3 and no slow %D.
  EXPECT_EQ(CalcStochastics(series, 0, StochasticsControls("", "", "")), 10);
  EXPECT_EQ(series[6].s1, -1);  // the warm-up call computes nothing
}

TEST(StochasticsComputation, MatchesWholeWindowsOnRandomData) {
  const std::vector<Hlc> bars = RandomBars(999, 17);
  const int periods[][3] = {{9, 3, 0}, {5, 3, 3}, {1, 1, 1}, {14, 5, 7}, {200, 10, 30}};
  for (const auto& [k, d, s] : periods) {
    SCOPED_TRACE(std::to_string(k) + "/" + std::to_string(d) + "/" + std::to_string(s));
    const Slots slots =
        Calc(bars, StochasticsControls(std::to_string(k), std::to_string(d), std::to_string(s)));
    const Reference r = SlowStochastics(bars, k, d, s);
    for (int bar = 1; bar <= 999; ++bar) {
      ASSERT_FLOAT_EQ(slots.k[bar - 1], static_cast<float>(r.k[bar])) << bar;
      ASSERT_FLOAT_EQ(slots.d[bar - 1], static_cast<float>(r.d[bar])) << bar;
      ASSERT_NEAR(slots.slow[bar - 1], r.slow[bar], 1e-4) << bar;
    }
  }
}

TEST(StochasticsComputation, FailureCodes) {
  const ComputationInfo& info = *FindComputation("CalcStochastics");
  // A zero range is reported by the computation itself.
  std::vector<Hlc> bars = RandomBars(20, 2);
  bars.resize(30, {500, 500, 500});
  ScreeningSeries series = SeriesOf(bars);
  EXPECT_EQ(CalcStochastics(series, 30, StochasticsControls("3", "3", "0")), kFailureCode);
  EXPECT_NE(series[22].s1, -1);  // bars before the flat window were computed
  EXPECT_EQ(series[23].s1, -1);

  // Periods below 1 leave empty windows.
  for (const auto& [k, d, s] : {std::tuple{"0", "3", "0"}, {"5", "0", "0"}, {"5", "3", "-1"}}) {
    ScreeningSeries any = SeriesOf(RandomBars(30, 3));
    EXPECT_EQ(RunComputation(info, any, 30, StochasticsControls(k, d, s)), kFailureCode);
  }
  ScreeningSeries any = SeriesOf(kSmall);
  EXPECT_THROW(CalcStochastics(any, 6, StochasticsControls("5", "three", "0")), ConversionError);
}

// The bars on consecutive days from 2024-01-01, shown from `first`.
struct Drawing : testing::DrawingBench {
  Drawing(const std::vector<Hlc>& bars, int first)
      : DrawingBench(testing::DailyDataOf(bars, first, CompactToDay("20240101"))) {}
  std::string Run() { return DrawStochastics(Context()).message; }
  void SetPeriods(const std::string& k, const std::string& d, const std::string& s) {
    controls.Set("edstk", k);
    controls.Set("edstd", d);
    controls.Set("edstsd", s);
  }
  // The solid not-xor segments in the colour of a label.
  std::vector<RecordingCanvas::Call> Segments(const std::string& label) const {
    std::vector<RecordingCanvas::Call> segments;
    for (const RecordingCanvas::Call& call : canvas.Calls()) {
      if (call.text.starts_with("line ") && call.pen == controls.ColorOf(label) &&
          call.style == PenStyle::kSolid && call.mode == PenMode::kNotXor) {
        segments.push_back(call);
      }
    }
    return segments;
  }
  // The segments of a line over bars from..to, as the canvas records them.
  std::vector<std::string> Expected(int from, int to, const std::vector<double>& values) {
    const IndicatorFrame frame = OscillatorFrame(Context(), 110, -10);
    std::vector<std::string> segments;
    for (int bar = from + 1; bar <= to; ++bar) {
      const PixelPoint a = OscillatorPoint(frame, bar - 1, values[bar - 1]);
      const PixelPoint b = OscillatorPoint(frame, bar, values[bar]);
      segments.push_back(LineText(a, b));
    }
    return segments;
  }
  std::vector<std::string> Drawn(const std::string& label) const {
    return DrawnSegments(canvas, controls.ColorOf(label));
  }
};

std::string Listing(const DataSet& data, const Reference& r) {
  std::string text = "ｽﾄｷｬｽﾄﾃｲｸｽ , %K , %D , ｽﾛｰ%D \r\n";
  for (int bar = data.first_shown; bar <= data.bars.Count(); ++bar) {
    text += std::to_string(data.bars[bar].date);
    for (const double value : {r.k[bar], r.d[bar], r.slow[bar]}) {
      text += " , " + ListingNumber(value);
    }
    text += "\r\n";
  }
  return text;
}

TEST(StochasticsDrawing, HandCheckedListing) {
  Drawing drawing(kSmall, 1);
  drawing.SetPeriods("3", "2", "2");
  drawing.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(drawing.Run(), "");
  EXPECT_EQ(drawing.statistics,
            "ｽﾄｷｬｽﾄﾃｲｸｽ , %K , %D , ｽﾛｰ%D \r\n"
            "20240101 , 0 , 0 , 0\r\n"
            "20240102 , 0 , 0 , 0\r\n"
            "20240103 , 50 , 0 , 0\r\n"
            "20240104 , 85.71 , 69.23 , 0\r\n"
            "20240105 , 42.86 , 64.29 , 66.76\r\n"
            "20240106 , 100 , 69.23 , 66.76\r\n");

  // Shown from bar 5, the bars before it still feed %D at bar 5 and the slow %D.
  for (const char* slow : {"2", "0"}) {
    Drawing later(kSmall, 5);
    later.controls = drawing.controls;
    later.controls.Set("edstsd", slow);
    EXPECT_EQ(later.Run(), "");
    EXPECT_EQ(later.statistics,
              Listing(later.data, SlowStochastics(kSmall, 3, 2, std::stoi(slow))));
    EXPECT_EQ(later.Drawn("lbstd"), later.Expected(5, 6, {0, 0, 0, 0, 0, 900.0 / 14, 900.0 / 13}));
  }
}

TEST(StochasticsDrawing, MatchesWholeWindowsOnRandomData) {
  const std::vector<Hlc> bars = RandomBars(200, 23);
  const int cases[][4] = {{5, 3, 0, 1},   {5, 3, 0, 40},  {9, 3, 4, 1}, {9, 3, 4, 40},
                          {14, 5, 7, 12}, {1, 1, 1, 100}, {3, 2, 5, 2}};
  for (const auto& [k, d, s, first] : cases) {
    SCOPED_TRACE(std::to_string(k) + "/" + std::to_string(d) + "/" + std::to_string(s) + " from " +
                 std::to_string(first));
    Drawing drawing(bars, first);
    drawing.SetPeriods(std::to_string(k), std::to_string(d), std::to_string(s));
    drawing.controls.SetChecked("cbshowosci", true);
    ASSERT_EQ(drawing.Run(), "");
    const Reference r = SlowStochastics(bars, k, d, s);
    EXPECT_EQ(drawing.statistics, Listing(drawing.data, r));
    EXPECT_EQ(drawing.Drawn("lbstk"), drawing.Expected(std::max(first, k), 200, r.k));
    EXPECT_EQ(drawing.Drawn("lbstd"), drawing.Expected(std::max(first, k + d - 1), 200, r.d));
    if (s > 0) {
      EXPECT_EQ(drawing.Drawn("lbstsd"),
                drawing.Expected(std::max(first, k + d + s - 2), 200, r.slow));
    }
  }
}

TEST(StochasticsDrawing, DefaultsAndSwitches) {
  const std::vector<Hlc> bars = RandomBars(40, 29);
  // An empty %K box means 9: %K from bar 9, %D from bar 11; slow %D 0 is off.
  Drawing drawing(bars, 1);
  drawing.SetPeriods("", "3", "0");
  drawing.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(drawing.Run(), "");
  const Reference r = SlowStochastics(bars, 9, 3, 0);
  EXPECT_EQ(drawing.Drawn("lbstk"), drawing.Expected(9, 40, r.k));
  EXPECT_EQ(drawing.Drawn("lbstd"), drawing.Expected(11, 40, r.d));
  EXPECT_TRUE(drawing.Segments("lbstsd").empty());
  EXPECT_EQ(drawing.statistics, Listing(drawing.data, r));  // its slow %D column is all 0

  // %K unchecked: no %K line, its column 0; %D as before.
  Drawing without_k(bars, 1);
  without_k.controls = drawing.controls;
  without_k.controls.SetChecked("cbstk", false);
  EXPECT_EQ(without_k.Run(), "");
  EXPECT_TRUE(without_k.Segments("lbstk").empty());
  EXPECT_EQ(without_k.Drawn("lbstd"), drawing.Drawn("lbstd"));
  Reference no_k = r;
  std::fill(no_k.k.begin(), no_k.k.end(), 0.0);
  EXPECT_EQ(without_k.statistics, Listing(without_k.data, no_k));

  // cbshowosci unchecked leaves the statistics page alone.
  Drawing quiet(bars, 1);
  EXPECT_EQ(quiet.Run(), "");
  EXPECT_EQ(quiet.statistics, "earlier listing");
}

TEST(StochasticsDrawing, ReferenceLinesAndPens) {
  Drawing drawing(kSmall, 1);
  drawing.SetPeriods("3", "2", "2");
  drawing.controls.Set("edstup", "80");
  drawing.controls.Set("edstdown", "");  // empty: 30
  EXPECT_EQ(drawing.Run(), "");
  // 400 rows for 110 … −10: row 400 × (110 − v) / 120.
  const std::vector<std::string> expected = {
      "line 30,366-630,366", "text 631,360 0",  "line 30,33-630,33",   "text 631,27 100",
      "line 30,200-630,200", "text 631,194 50", "line 30,100-630,100", "text 631,94 80",
      "line 30,266-630,266", "text 631,260 30",
  };
  std::vector<std::string> drawn = drawing.canvas.DrawingTexts();
  ASSERT_GT(drawn.size(), expected.size());
  drawn.resize(expected.size());
  EXPECT_EQ(drawn, expected);
  for (const RecordingCanvas::Call& call : drawing.canvas.Calls()) {
    if (!call.text.starts_with("line ")) continue;
    if (call.style == PenStyle::kDot) {
      EXPECT_EQ(call.pen, kBlack);
      EXPECT_EQ(call.mode, PenMode::kCopy);
    } else {
      EXPECT_EQ(call.mode, PenMode::kNotXor) << call.text;
    }
  }
  // %K 50 → 85.71 (plotted 86) from bar 3 to bar 4.
  ASSERT_FALSE(drawing.Segments("lbstk").empty());
  EXPECT_EQ(drawing.Segments("lbstk")[0].text, "line " + std::to_string(30 + 600 * 2 / 6 + 50) +
                                                   ",200-" + std::to_string(30 + 600 * 3 / 6 + 50) +
                                                   "," + std::to_string(400 * (110 - 86) / 120));
  EXPECT_EQ(drawing.canvas.Calls().back().mode, PenMode::kCopy);
  EXPECT_EQ(drawing.canvas.CallTexts().back(), "brush FFFFFF");
}

TEST(StochasticsDrawing, ZeroRangeStopsAtThatBar) {
  // Twelve moving bars, then a flat price: with k = 3 the range of bar 15 is 0.
  std::vector<Hlc> bars = RandomBars(12, 31);
  bars.resize(20, {500, 500, 500});
  const Reference r = SlowStochastics(std::vector<Hlc>(bars.begin(), bars.begin() + 14), 3, 3, 0);

  Drawing drawing(bars, 1);
  drawing.SetPeriods("3", "3", "2");
  drawing.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(drawing.Run(), "データの偏りが大きいため演算不適当");
  // %K up to bar 14; nothing after it, no listing.
  EXPECT_EQ(drawing.Drawn("lbstk"), drawing.Expected(3, 14, r.k));
  EXPECT_TRUE(drawing.Segments("lbstd").empty());
  EXPECT_TRUE(drawing.Segments("lbstsd").empty());
  EXPECT_EQ(drawing.statistics, "earlier listing");
  EXPECT_EQ(drawing.canvas.Calls().back().mode, PenMode::kCopy);

  // Without %K, %D runs on until three ranges in a row are 0, at bar 17; its last segment
  // ends at bar 16.
  const Reference prefix =
      SlowStochastics(std::vector<Hlc>(bars.begin(), bars.begin() + 16), 3, 3, 0);
  Drawing without_k(bars, 1);
  without_k.controls = drawing.controls;
  without_k.controls.SetChecked("cbstk", false);
  EXPECT_EQ(without_k.Run(), "データの偏りが大きいため演算不適当");
  EXPECT_EQ(without_k.Drawn("lbstd"), without_k.Expected(5, 16, prefix.d));
  EXPECT_EQ(without_k.statistics, "earlier listing");

  // Periods below 1.
  Drawing zero(kSmall, 1);
  zero.SetPeriods("3", "0", "0");
  EXPECT_EQ(zero.Run(), "データの偏りが大きいため演算不適当");
  EXPECT_TRUE(zero.Segments("lbstk").empty());
}

}  // namespace
}  // namespace varnolt
