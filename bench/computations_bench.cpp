// Every registered indicator computation over 300 entries (the screening's usual length) and over
// 999 entries (the series' capacity) for 4,000 stocks, one full-market screening pass, against a
// plain loop that only sums the closes of the same entries.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "random_walk_market.h"

#include "base/controls.h"
#include "indicators/computation.h"

namespace {

using namespace varnolt;

constexpr int kStocks = 4000;
constexpr int kEntries = kScreeningCapacity;

using Prices = bench::WalkDay;

const std::vector<Prices>& Market() {
  static const std::vector<Prices> market = bench::RandomWalkMarket(kStocks, kEntries, false);
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
