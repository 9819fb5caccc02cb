#include "indicators/dmi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "indicators/oscillator_frame.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::Hlc;
using testing::RecordingCanvas;

// Rises +2, falls −2, rises +2, no directional move, rises +2 (see the hand checks below).
const std::vector<Hlc> kSmall = {
    {10, 8, 9}, {12, 9, 11}, {11, 7, 8}, {13, 8, 12}, {12, 10, 11}, {14, 11, 13},
};

// A random walk whose bars always have a range, so no window sums to nothing.
std::vector<Hlc> RandomBars(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> step(-40, 40);
  std::uniform_int_distribution<int> reach(1, 30);
  std::vector<Hlc> bars;
  int32_t close = 3000;
  for (int i = 0; i < count; ++i) {
    const int32_t open = close;
    close = std::max(100, close + step(random));
    bars.push_back(
        {std::max(open, close) + reach(random), std::min(open, close) - reach(random), close});
  }
  return bars;
}

ScreeningSeries SeriesOf(const std::vector<Hlc>& bars) {
  return testing::SeriesWithLeftovers(bars, {-1, -1, -1, -1});
}

ControlValues DmiControls(const std::string& period, const std::string& adx_period, bool cumulative,
                          bool adxr = true) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edpmdi", period);
  controls.Set("edadx", adx_period);
  controls.SetChecked("cbrsi", cumulative);
  controls.SetChecked("cbadxr", adxr);
  return controls;
}

// Slots 1–4 of every bar, per slot.
struct Slots {
  std::vector<float> plus_di, minus_di, adx, adxr;
};

Slots Calc(const std::vector<Hlc>& bars, const ControlValues& controls) {
  ScreeningSeries series = SeriesOf(bars);
  EXPECT_EQ(CalcDMI(series, static_cast<int>(bars.size()), controls), 0);
  Slots slots;
  for (int bar = 1; bar <= static_cast<int>(bars.size()); ++bar) {
    slots.plus_di.push_back(series[bar].s1);
    slots.minus_di.push_back(series[bar].s2);
    slots.adx.push_back(series[bar].s3);
    slots.adxr.push_back(series[bar].s4);
  }
  return slots;
}

// The textbook form, bar by bar with whole windows: ±DM and TR per bar, ±DI from the sums
// over the last w bars (or Wilder's smoothing), ADX the mean or smoothed DX over A bars.
// Indexed by bar number; 0 where a value has not started.
struct Reference {
  std::vector<double> plus_di, minus_di, adx, adxr;
};

Reference SlowDmi(const std::vector<Hlc>& bars, int w, int a, bool cumulative_di,
                  bool cumulative_adx) {
  const int n = static_cast<int>(bars.size());
  auto at = [&](int bar) { return bars[bar - 1]; };
  std::vector<double> pdm(n + 1), mdm(n + 1), tr(n + 1);
  for (int bar = 2; bar <= n; ++bar) {
    const double up = at(bar).high - at(bar - 1).high;
    const double down = at(bar - 1).low - at(bar).low;
    pdm[bar] = up > down && up > 0 ? up : 0;
    mdm[bar] = down > up && down > 0 ? down : 0;
    const double previous = at(bar - 1).close;
    tr[bar] = std::max({at(bar).high - previous, previous - at(bar).low,
                        static_cast<double>(at(bar).high - at(bar).low)});
  }
  Reference r{std::vector<double>(n + 1), std::vector<double>(n + 1), std::vector<double>(n + 1),
              std::vector<double>(n + 1)};
  std::vector<double> dx(n + 1);
  double sp = 0, sm = 0, st = 0;
  for (int bar = w + 1; bar <= n; ++bar) {
    if (bar == w + 1 || !cumulative_di) {
      sp = sm = st = 0;
      for (int j = bar - w + 1; j <= bar; ++j) {
        sp += pdm[j];
        sm += mdm[j];
        st += tr[j];
      }
    } else {
      sp = sp - sp / w + pdm[bar];
      sm = sm - sm / w + mdm[bar];
      st = st - st / w + tr[bar];
    }
    r.plus_di[bar] = 100 * sp / st;
    r.minus_di[bar] = 100 * sm / st;
    dx[bar] = 100 * std::fabs(sp - sm) / (sp + sm);
  }
  double smoothed = 0;
  for (int bar = w + a; bar <= n; ++bar) {
    if (bar == w + a || !cumulative_adx) {
      double sum = 0;
      for (int j = bar - a + 1; j <= bar; ++j) sum += dx[j];
      smoothed = sum / a;
    } else {
      smoothed = (smoothed * (a - 1) + dx[bar]) / a;
    }
    r.adx[bar] = smoothed;
  }
  for (int bar = w + 2 * a; bar <= n; ++bar) r.adxr[bar] = (r.adx[bar - a] + r.adx[bar]) / 2;
  return r;
}

TEST(DmiComputation, HandCheckedCumulativeAndMovingSums) {
  // w = A = 2. ±DM and TR of bars 2–6: (+2, 0, 3), (0, 2, 4), (+2, 0, 5), (0, 0, 2), (+2, 0, 3).
  const Slots cumulative = Calc(kSmall, DmiControls("2", "2", true));
  // Bar 3: sums 2, 2, 7. Bar 4: 2/2 + 2 = 3, 1, 3.5 + 5 = 8.5. Bar 5: 1.5, 0.5, 6.25. Bar 6:
  // 2.75, 0.25, 6.125.
  const std::vector<float> plus = {0, 0, 200.0f / 7, 300 / 8.5f, 150 / 6.25f, 275 / 6.125f};
  const std::vector<float> minus = {0, 0, 200.0f / 7, 100 / 8.5f, 50 / 6.25f, 25 / 6.125f};
  for (size_t i = 0; i < plus.size(); ++i) {
    EXPECT_FLOAT_EQ(cumulative.plus_di[i], plus[i]) << i;
    EXPECT_FLOAT_EQ(cumulative.minus_di[i], minus[i]) << i;
  }
  // DX 0, 50, 50, 250/3. ADX from bar 4: (0 + 50)/2; W = 50/2 + 50 = 75; W = 75/2 + 250/3.
  EXPECT_FLOAT_EQ(cumulative.adx[3], 25);
  EXPECT_FLOAT_EQ(cumulative.adx[4], 37.5);
  EXPECT_FLOAT_EQ(cumulative.adx[5], (37.5f + 250.0f / 3) / 2);
  EXPECT_EQ(cumulative.adx[2], 0);
  // ADXR from bar 2A + w = 6: ADX of bars 4 and 6.
  EXPECT_EQ(cumulative.adxr, (std::vector<float>{0, 0, 0, 0, 0, (25 + cumulative.adx[5]) / 2}));

  // Moving sums: windows (2,3) (3,4) (4,5) (5,6): DX 0, 0, 100, 100; ADX 0, 50, 100.
  const Slots moving = Calc(kSmall, DmiControls("2", "2", false));
  EXPECT_FLOAT_EQ(moving.plus_di[3], 200.0f / 9);
  EXPECT_FLOAT_EQ(moving.plus_di[4], 200.0f / 7);
  EXPECT_EQ(moving.minus_di[4], 0);
  EXPECT_FLOAT_EQ(moving.plus_di[5], 40);
  EXPECT_EQ(moving.adx, (std::vector<float>{0, 0, 0, 0, 50, 100}));
  EXPECT_EQ(moving.adxr, (std::vector<float>{0, 0, 0, 0, 0, 50}));

  // Without ADXR slot 4 stays 0.
  EXPECT_EQ(Calc(kSmall, DmiControls("2", "2", false, false)).adxr, std::vector<float>(6, 0));
}

TEST(DmiComputation, WarmUpLengths) {
  ScreeningSeries series = SeriesOf(kSmall);
  EXPECT_EQ(CalcDMI(series, 0, DmiControls("14", "14", true, false)), 27);
  EXPECT_EQ(CalcDMI(series, 0, DmiControls("14", "14", true, true)), 41);
  EXPECT_EQ(CalcDMI(series, 0, DmiControls("", "", true, true)), 41);  // empty boxes: 14
  EXPECT_EQ(CalcDMI(series, 0, DmiControls("10", "5", false, true)), 19);

  // Fewer bars than a first ±DI needs: zeros, no failure.
  const Slots slots = Calc(kSmall, DmiControls("6", "2", true));
  EXPECT_EQ(slots.plus_di, std::vector<float>(6, 0));
  EXPECT_EQ(slots.adx, std::vector<float>(6, 0));
}

TEST(DmiComputation, MatchesTextbookFormOnRandomData) {
  const std::vector<Hlc> bars = RandomBars(999, 7);
  for (const auto& [w, a] : {std::pair{14, 14}, std::pair{9, 1}, std::pair{5, 20}, {30, 3}}) {
    for (const bool cumulative : {true, false}) {
      SCOPED_TRACE(std::to_string(w) + "/" + std::to_string(a) + (cumulative ? " cum" : " mov"));
      const Slots slots = Calc(bars, DmiControls(std::to_string(w), std::to_string(a), cumulative));
      const Reference r = SlowDmi(bars, w, a, cumulative, cumulative);
      for (int bar = 1; bar <= 999; ++bar) {
        const auto near = [](double expected) { return 1e-4 * std::max(1.0, expected); };
        ASSERT_NEAR(slots.plus_di[bar - 1], r.plus_di[bar], near(r.plus_di[bar])) << bar;
        ASSERT_NEAR(slots.minus_di[bar - 1], r.minus_di[bar], near(r.minus_di[bar])) << bar;
        ASSERT_NEAR(slots.adx[bar - 1], r.adx[bar], near(r.adx[bar])) << bar;
        ASSERT_NEAR(slots.adxr[bar - 1], r.adxr[bar], near(r.adxr[bar])) << bar;
      }
    }
  }
}

TEST(DmiComputation, FailureCodes) {
  const ComputationInfo& info = *FindComputation("CalcDMI");
  // A flat series: no true range at all, a zero divisor.
  ScreeningSeries flat = SeriesOf(std::vector<Hlc>(20, {100, 100, 100}));
  EXPECT_THROW(CalcDMI(flat, 20, DmiControls("5", "5", true)), ComputationFault);
  EXPECT_EQ(RunComputation(info, flat, 20, DmiControls("5", "5", true)), kFailureCode);

  // The same bar every day: a range but no directional movement, which the computation
  // reports itself.
  ScreeningSeries still = SeriesOf(std::vector<Hlc>(20, {110, 90, 100}));
  EXPECT_EQ(CalcDMI(still, 20, DmiControls("5", "5", true)), kFailureCode);

  // Eight rising bars, then the last one again: the moving window holds no movement from bar
  // 13 on, the smoothed sums only decay.
  std::vector<Hlc> fading;
  for (int i = 1; i <= 8; ++i) fading.push_back({100 + 10 * i, 90 + 10 * i, 95 + 10 * i});
  fading.resize(30, fading.back());
  ScreeningSeries moving = SeriesOf(fading);
  EXPECT_EQ(CalcDMI(moving, 30, DmiControls("5", "5", false)), kFailureCode);
  EXPECT_FLOAT_EQ(moving[12].s1, 1000.0f / 55);  // one rise of 10 in true ranges 15 + 4 × 10
  EXPECT_EQ(moving[13].s1, 0);
  EXPECT_GT(Calc(fading, DmiControls("5", "5", true)).plus_di[29], 0);

  // Periods below 1 have no window to sum.
  for (const auto& [w, a] : {std::pair{"0", "14"}, std::pair{"14", "0"}, std::pair{"-2", "3"}}) {
    ScreeningSeries series = SeriesOf(RandomBars(60, 1));
    EXPECT_EQ(RunComputation(info, series, 60, DmiControls(w, a, true)), kFailureCode) << w << a;
  }
}

// The bars on consecutive days from 2024-01-01, shown from `first`.
struct Drawing : testing::DrawingBench {
  Drawing(const std::vector<Hlc>& bars, int first)
      : DrawingBench(testing::DailyDataOf(bars, first, CompactToDay("20240101"))) {}
  std::string Run() { return DrawDMI(Context()).message; }
  IndicatorFrame Frame() { return OscillatorFrame(Context(), 55, -10); }
  Color ColorOf(const std::string& name) { return controls.ColorOf(name); }
};

// The solid not-xor segments drawn in a colour.
std::vector<RecordingCanvas::LineCall> Segments(const RecordingCanvas& canvas, Color colour) {
  std::vector<RecordingCanvas::LineCall> segments;
  for (const RecordingCanvas::LineCall& line : canvas.Lines()) {
    if (line.pen == colour && line.style == PenStyle::kSolid) segments.push_back(line);
  }
  return segments;
}

// The first bar of a line drawn segment by segment to the last bar, checked by its x
// positions: one segment per bar after the first.
void ExpectLineFrom(Drawing& drawing, Color colour, int bar) {
  const std::vector<RecordingCanvas::LineCall> segments = Segments(drawing.canvas, colour);
  const int last = drawing.data.bars.Count();
  ASSERT_EQ(static_cast<int>(segments.size()), last - bar);
  const IndicatorFrame frame = drawing.Frame();
  for (int i = 0; i < last - bar; ++i) {
    EXPECT_EQ(segments[i].from.x, frame.X(bar + i));
    EXPECT_EQ(segments[i].to.x, frame.X(bar + i + 1));
  }
}

TEST(DmiDrawing, LinesStartAfterTheirWindows) {
  const std::vector<Hlc> bars = RandomBars(70, 11);
  {
    // From bar 1: ±DI at w + 1, ADX A − 1 bars later, ADXR A bars after that.
    Drawing drawing(bars, 1);
    EXPECT_EQ(drawing.Run(), "");
    ExpectLineFrom(drawing, drawing.ColorOf("lbpdi"), 15);
    ExpectLineFrom(drawing, drawing.ColorOf("lbmdi"), 15);
    ExpectLineFrom(drawing, drawing.ColorOf("lbadx"), 28);
    ExpectLineFrom(drawing, drawing.ColorOf("cbadxr.color"), 42);
  }
  {
    // With history before the first displayed bar, ±DI starts there; ADX and ADXR follow it.
    Drawing drawing(bars, 20);
    EXPECT_EQ(drawing.Run(), "");
    ExpectLineFrom(drawing, drawing.ColorOf("lbpdi"), 20);
    ExpectLineFrom(drawing, drawing.ColorOf("lbadx"), 33);
    ExpectLineFrom(drawing, drawing.ColorOf("cbadxr.color"), 47);
  }
  {
    Drawing drawing(bars, 1);
    drawing.controls.SetChecked("cbadxr", false);
    drawing.controls.Set("edpmdi", "");  // empty boxes: 14
    drawing.controls.Set("edadx", "5");
    EXPECT_EQ(drawing.Run(), "");
    ExpectLineFrom(drawing, drawing.ColorOf("lbpdi"), 15);
    ExpectLineFrom(drawing, drawing.ColorOf("lbadx"), 19);
    EXPECT_TRUE(Segments(drawing.canvas, drawing.ColorOf("cbadxr.color")).empty());
  }
  {
    // Too few bars for a first ±DI: only the reference lines.
    Drawing drawing(std::vector<Hlc>(bars.begin(), bars.begin() + 14), 1);
    EXPECT_EQ(drawing.Run(), "");
    for (const RecordingCanvas::LineCall& line : drawing.canvas.Lines()) {
      EXPECT_EQ(line.style, PenStyle::kDot);
    }
  }
}

TEST(DmiDrawing, ReferenceLinesOnAScaleOfTheUpperLevel) {
  Drawing drawing(kSmall, 1);
  drawing.controls.Set("edpmdi", "2");
  drawing.controls.Set("edadx", "2");
  drawing.controls.Set("eddmisup", "");  // empty boxes: 20 and 50
  drawing.controls.Set("eddmisup2", "");
  EXPECT_EQ(drawing.Run(), "");
  // 400 rows for 55 … −10 with no date-label reserve: row 400 × (55 − v) / 65.
  const std::vector<std::string> expected = {
      "line 30,338-630,338", "text 631,332 0",    "line 30,215-630,215",
      "text 631,209 20",     "line 30,30-630,30", "text 631,24 50",
  };
  std::vector<std::string> drawn = drawing.canvas.DrawingTexts();
  ASSERT_GT(drawn.size(), expected.size());
  drawn.resize(expected.size());
  EXPECT_EQ(drawn, expected);
  for (const RecordingCanvas::Call& call : drawing.canvas.Calls()) {
    if (!call.text.starts_with("line ")) continue;
    // Reference lines black, dotted, copied; indicator lines solid and not-xor.
    if (call.style == PenStyle::kDot) {
      EXPECT_EQ(call.pen, kBlack);
      EXPECT_EQ(call.mode, PenMode::kCopy);
    } else {
      EXPECT_EQ(call.mode, PenMode::kNotXor) << call.text;
    }
  }
  EXPECT_EQ(drawing.canvas.Calls().back().mode, PenMode::kCopy);
  EXPECT_EQ(drawing.canvas.CallTexts().back(), "brush FFFFFF");

  // The +DI line of bar 3 → 4 (28.57 → 35.29, plotted 29 → 35).
  const std::vector<RecordingCanvas::LineCall> plus =
      Segments(drawing.canvas, drawing.ColorOf("lbpdi"));
  ASSERT_EQ(plus.size(), 3u);
  EXPECT_EQ(plus[0].from.y, 400 * (55 - 29) / 65);
  EXPECT_EQ(plus[0].to.y, 400 * (55 - 35) / 65);

  // An upper level of 100 stretches the scale to 110.
  Drawing wide(kSmall, 1);
  wide.controls.Set("eddmisup", "25");
  wide.controls.Set("eddmisup2", "100");
  EXPECT_EQ(wide.Run(), "");
  EXPECT_TRUE(wide.canvas.Contains("line 30,366-630,366"));  // 0: 400 × 110 / 120
  EXPECT_TRUE(wide.canvas.Contains("line 30,283-630,283"));  // 25
  EXPECT_TRUE(wide.canvas.Contains("line 30,33-630,33"));    // 100
  EXPECT_TRUE(wide.canvas.Contains("text 631,27 100"));
}

TEST(DmiDrawing, ListingWithCumulativeAndMovingSums) {
  Drawing drawing(kSmall, 1);
  drawing.controls.Set("edpmdi", "2");
  drawing.controls.Set("edadx", "2");
  drawing.controls.SetChecked("cbshowosci", true);
  EXPECT_EQ(drawing.Run(), "");
  // Cumulative: the values of the hand check of the computation.
  EXPECT_EQ(drawing.statistics,
            "ﾃﾞｨﾚｸｼｮﾅﾙ･ﾑｰﾌﾞﾒﾝﾄ , -DI , +DI , ADX , ADXR \r\n"
            "20240101 , 0 , 0 , 0 , 0\r\n"
            "20240102 , 0 , 0 , 0 , 0\r\n"
            "20240103 , 28.57 , 28.57 , 0 , 0\r\n"
            "20240104 , 11.76 , 35.29 , 25 , 0\r\n"
            "20240105 , 8 , 24 , 37.5 , 0\r\n"
            "20240106 , 4.08 , 44.9 , 60.42 , 42.71\r\n");

  // Moving sums change ±DI (DX 0, 0, 100, 100), but the drawn ADX stays smoothed: 0,
  // 0/2 + 100 → 50, 100/2 + 100 → 75, where the computation's moving ADX reaches 100.
  Drawing moving(kSmall, 1);
  moving.controls = drawing.controls;
  moving.controls.SetChecked("cbrsi", false);
  EXPECT_EQ(moving.Run(), "");
  EXPECT_EQ(moving.statistics,
            "ﾃﾞｨﾚｸｼｮﾅﾙ･ﾑｰﾌﾞﾒﾝﾄ , -DI , +DI , ADX , ADXR \r\n"
            "20240101 , 0 , 0 , 0 , 0\r\n"
            "20240102 , 0 , 0 , 0 , 0\r\n"
            "20240103 , 28.57 , 28.57 , 0 , 0\r\n"
            "20240104 , 22.22 , 22.22 , 0 , 0\r\n"
            "20240105 , 0 , 28.57 , 50 , 0\r\n"
            "20240106 , 0 , 40 , 75 , 37.5\r\n");

  // Shown from bar 4: the first window is bars 3–4 and ADX starts a bar later, at 4 + A − 1.
  Drawing later(kSmall, 4);
  later.controls = moving.controls;
  EXPECT_EQ(later.Run(), "");
  EXPECT_EQ(later.statistics,
            "ﾃﾞｨﾚｸｼｮﾅﾙ･ﾑｰﾌﾞﾒﾝﾄ , -DI , +DI , ADX , ADXR \r\n"
            "20240104 , 22.22 , 22.22 , 0 , 0\r\n"
            "20240105 , 0 , 28.57 , 50 , 0\r\n"
            "20240106 , 0 , 40 , 75 , 0\r\n");
}

TEST(DmiDrawing, MatchesTextbookFormOnRandomData) {
  const std::vector<Hlc> bars = RandomBars(300, 5);
  for (const bool cumulative : {true, false}) {
    Drawing drawing(bars, 1);
    drawing.controls.SetChecked("cbshowosci", true);
    drawing.controls.SetChecked("cbrsi", cumulative);
    ASSERT_EQ(drawing.Run(), "");
    const Reference r = SlowDmi(bars, 14, 14, cumulative, true);
    std::string expected = "ﾃﾞｨﾚｸｼｮﾅﾙ･ﾑｰﾌﾞﾒﾝﾄ , -DI , +DI , ADX , ADXR \r\n";
    for (int bar = 1; bar <= 300; ++bar) {
      expected += std::to_string(drawing.data.bars[bar].date);
      for (const double value : {r.minus_di[bar], r.plus_di[bar], r.adx[bar], r.adxr[bar]}) {
        expected += " , " + ListingNumber(value);
      }
      expected += "\r\n";
    }
    EXPECT_EQ(drawing.statistics, expected) << cumulative;
  }
}

TEST(DmiDrawing, ZeroSumsStopBeforeAnyLine) {
  // Eight rising bars, then the last one again: the moving window holds no movement from
  // bar 13 on, while the smoothed sums keep the rise.
  std::vector<Hlc> fading;
  for (int i = 1; i <= 8; ++i) fading.push_back({100 + 10 * i, 90 + 10 * i, 95 + 10 * i});
  fading.resize(30, fading.back());
  const std::vector<std::vector<Hlc>> failing = {
      std::vector<Hlc>(30, {100, 100, 100}),  // no true range
      std::vector<Hlc>(30, {110, 90, 100}),   // range, no movement
      fading,
  };
  for (const std::vector<Hlc>& bars : failing) {
    Drawing drawing(bars, 1);
    drawing.controls.Set("edpmdi", "5");
    drawing.controls.Set("edadx", "5");
    drawing.controls.SetChecked("cbrsi", false);
    drawing.controls.SetChecked("cbshowosci", true);
    EXPECT_EQ(drawing.Run(), "データの偏りが大きいため演算不適当");
    // The reference lines and their labels alone; the listing is left as it was.
    for (const RecordingCanvas::LineCall& line : drawing.canvas.Lines()) {
      EXPECT_EQ(line.style, PenStyle::kDot);
    }
    EXPECT_EQ(drawing.canvas.Texts(), (std::vector<std::string>{"0", "20", "50"}));
    EXPECT_EQ(drawing.statistics, "earlier listing");
    EXPECT_EQ(drawing.canvas.Calls().back().mode, PenMode::kCopy);
  }

  Drawing smoothed(fading, 1);
  smoothed.controls.Set("edpmdi", "5");
  smoothed.controls.Set("edadx", "5");
  EXPECT_EQ(smoothed.Run(), "");
  ExpectLineFrom(smoothed, smoothed.ColorOf("lbpdi"), 6);

  for (const char* period : {"0", "-1"}) {
    Drawing drawing(fading, 1);
    drawing.controls.Set("edadx", period);
    EXPECT_EQ(drawing.Run(), "データの偏りが大きいため演算不適当");
    EXPECT_TRUE(Segments(drawing.canvas, drawing.ColorOf("lbpdi")).empty());
  }
}

}  // namespace
}  // namespace varnolt
