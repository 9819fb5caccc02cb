// Every registered indicator computation over 300 entries (the screening's usual length) and over
// 999 entries (the series' capacity) for 4,000 stocks, one full-market screening pass, against a
// plain loop that only sums the closes of the same entries.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "base/controls.h"
#include "indicators/computation.h"

namespace {

using namespace varnolt;

constexpr int kStocks = 4000;
constexpr int kEntries = kScreeningCapacity;

struct Prices {
  int32_t open, high, low, close;
};

// Random walks with a deterministic generator, so every run measures the same data.
const std::vector<Prices>& Market() {
  static const std::vector<Prices> market = [] {
    std::vector<Prices> prices(static_cast<size_t>(kStocks) * kEntries);
    uint64_t state = 0x9E3779B97F4A7C15u;
    auto next = [&state] {
      state ^= state << 13;
      state ^= state >> 7;
      state ^= state << 17;
      return state;
    };
    for (int s = 0; s < kStocks; ++s) {
      int32_t close = 500 + static_cast<int32_t>(next() % 3000);
      for (int i = 0; i < kEntries; ++i) {
        const int32_t open = close;
        close = std::max<int32_t>(10, close + static_cast<int32_t>(next() % 61) - 30);
        const int32_t high = std::max(open, close) + static_cast<int32_t>(next() % 20);
        const int32_t low =
            std::max<int32_t>(1, std::min(open, close) - static_cast<int32_t>(next() % 20));
        prices[static_cast<size_t>(s) * kEntries + i] = {open, high, low, close};
      }
    }
    return prices;
  }();
  return market;
}

void Fill(ScreeningSeries& series, int stock, int entries) {
  const Prices* prices = &Market()[static_cast<size_t>(stock) * kEntries];
  for (int i = 0; i < entries; ++i) {
    ScreeningEntry& entry = series[i + 1];
    entry.open = prices[i].open;
    entry.high = prices[i].high;
    entry.low = prices[i].low;
    entry.close = prices[i].close;
  }
}

void BM_FullMarketPass(benchmark::State& state, const ComputationInfo* info) {
  const int entries = static_cast<int>(state.range(0));
  const ControlValues controls = ControlValues::Defaults();
  ScreeningSeries series;
  using Clock = std::chrono::steady_clock;
  Clock::duration compute_time{}, baseline_time{};
  int failures = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (int s = 0; s < kStocks; ++s) {
      Fill(series, s, entries);
      failures +=
          RunComputation(*info, series, entries, controls) == static_cast<int>(kFailureCode);
    }
    const auto t1 = Clock::now();
    int64_t sum = 0;
    for (int s = 0; s < kStocks; ++s) {
      Fill(series, s, entries);
      for (int i = 1; i <= entries; ++i) sum += series[i].close;
    }
    benchmark::DoNotOptimize(sum);
    const auto t2 = Clock::now();
    compute_time += t1 - t0;
    baseline_time += t2 - t1;
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["pass_ms"] =
      std::chrono::duration<double, std::milli>(compute_time).count() / iterations;
  state.counters["per_stock_us"] =
      std::chrono::duration<double, std::micro>(compute_time).count() / iterations / kStocks;
  state.counters["per_sum_loop"] =
      std::chrono::duration<double>(compute_time) / std::chrono::duration<double>(baseline_time);
  state.counters["failed_stocks"] = failures / iterations;
}

}  // namespace

int main(int argc, char** argv) {
  for (const ComputationInfo& info : Computations()) {
    benchmark::RegisterBenchmark(std::string(info.name).c_str(), BM_FullMarketPass, &info)
        ->Arg(300)
        ->Arg(kScreeningCapacity)
        ->ArgName("entries")
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
