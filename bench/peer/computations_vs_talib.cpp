// The screening computations against TA-Lib's C functions on the screening's shape: 4,000
// stocks × 999 entries, one call per stock, both sides in one run and interleaved, median of 7
// passes after a warm-up. Prints nanoseconds per bar for each side and their ratio; the
// target is a ratio of 0.8 or less.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include "random_walk_market.h"

#include "base/controls.h"
#include "indicators/computation.h"
extern "C" {
#include "ta_libc.h"
}

namespace {

using namespace varnolt;
using Clock = std::chrono::steady_clock;

constexpr int kStocks = 4000;
constexpr int kEntries = kScreeningCapacity;

using Prices = bench::WalkDay;

std::vector<Prices> Market() {
  return bench::RandomWalkMarket(kStocks, kEntries, true);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  const std::vector<Prices> market = Market();
  TA_Initialize();
  const ControlValues controls = ControlValues::Defaults();
  ScreeningSeries series;
  constexpr int n = kEntries;
  std::vector<double> open(n), high(n), low(n), close(n), volume(n), out1(n), out2(n), out3(n);
  int begin = 0, count = 0;
  const auto fill_series = [&](int stock) {
    const Prices* prices = &market[static_cast<size_t>(stock) * kEntries];
    for (int i = 0; i < n; ++i) {
      ScreeningEntry& entry = series[i + 1];
      entry.open = prices[i].open;
      entry.high = prices[i].high;
      entry.low = prices[i].low;
      entry.close = prices[i].close;
    }
  };
  const auto fill_arrays = [&](int stock) {
    const Prices* prices = &market[static_cast<size_t>(stock) * kEntries];
    for (int i = 0; i < n; ++i) {
      open[i] = prices[i].open;
      high[i] = prices[i].high;
      low[i] = prices[i].low;
      close[i] = prices[i].close;
      volume[i] = prices[i].volume;
    }
  };
  const double* h = high.data();
  const double* l = low.data();
  const double* c = close.data();
  struct Pair {
    const char* label;
    const char* computation;
    std::function<void()> peer;  // with the built-in parameters of the computation
  };
  const Pair pairs[] = {
      {"RSI", "CalcRSI", [&] { TA_RSI(0, n - 1, c, 9, &begin, &count, out1.data()); }},
      {"MACD", "CalcMACD",
       [&] {
         TA_MACD(0, n - 1, c, 5, 20, 9, &begin, &count, out1.data(), out2.data(), out3.data());
       }},
      {"Bollinger", "CalcBollinger",
       [&] {
         TA_BBANDS(0, n - 1, c, 15, 2, 2, TA_MAType_SMA, &begin, &count, out1.data(), out2.data(),
                   out3.data());
       }},
      {"Stochastics", "CalcStochastics",
       [&] {
         TA_STOCH(0, n - 1, h, l, c, 5, 3, TA_MAType_SMA, 3, TA_MAType_SMA, &begin, &count,
                  out1.data(), out2.data());
       }},
      {"DMI/ADX", "CalcDMI",
       [&] {
         TA_ADX(0, n - 1, h, l, c, 14, &begin, &count, out1.data());
         TA_PLUS_DI(0, n - 1, h, l, c, 14, &begin, &count, out2.data());
         TA_MINUS_DI(0, n - 1, h, l, c, 14, &begin, &count, out3.data());
       }},
      {"Parabolic/SAR", "CalcParabolic",
       [&] { TA_SAR(0, n - 1, h, l, 0.02, 0.2, &begin, &count, out1.data()); }},
      {"%R/WILLR", "CalcPercentR",
       [&] { TA_WILLR(0, n - 1, h, l, c, 20, &begin, &count, out1.data()); }},
      {"Ichimoku/3xMIDPRICE", "CalcIchimoku",
       [&] {
         TA_MIDPRICE(0, n - 1, h, l, 9, &begin, &count, out1.data());
         TA_MIDPRICE(0, n - 1, h, l, 26, &begin, &count, out2.data());
         TA_MIDPRICE(0, n - 1, h, l, 52, &begin, &count, out3.data());
       }},
      {"MovingAverages/3xSMA", "CalcMovingAverages:averages",
       [&] {
         TA_SMA(0, n - 1, c, 6, &begin, &count, out1.data());
         TA_SMA(0, n - 1, c, 12, &begin, &count, out2.data());
         TA_SMA(0, n - 1, c, 24, &begin, &count, out3.data());
       }},
  };
  const auto per_bar = [](Clock::duration time) {
    return std::chrono::duration<double, std::nano>(time).count() / (double{kStocks} * kEntries);
  };
  std::printf("| computation | Varnolt ns/bar | TA-Lib ns/bar | ratio |\n|---|---:|---:|---:|\n");
  for (const Pair& pair : pairs) {
    const ComputationInfo* info = FindComputation(pair.computation);
    if (info == nullptr) {
      std::printf("| %s | missing | | |\n", pair.label);
      continue;
    }
    std::vector<double> ours, theirs;
    for (int pass = 0; pass < 8; ++pass) {
      const auto t0 = Clock::now();
      for (int s = 0; s < kStocks; ++s) {
        fill_series(s);
        RunComputation(*info, series, kEntries, controls);
      }
      const auto t1 = Clock::now();
      for (int s = 0; s < kStocks; ++s) {
        fill_arrays(s);
        pair.peer();
      }
      const auto t2 = Clock::now();
      if (pass == 0) continue;  // warm-up
      ours.push_back(per_bar(t1 - t0));
      theirs.push_back(per_bar(t2 - t1));
    }
    const double a = Median(ours), b = Median(theirs);
    std::printf("| %s | %.1f | %.1f | %.2f |\n", pair.label, a, b, a / b);
  }
  TA_Shutdown();
  return 0;
}
