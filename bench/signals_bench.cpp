// The signal marks of a daily chart of 2,000 displayed bars with two buy sets and a sell set,
// against evaluating every set bar by bar through the one-stock condition list evaluator in the
// same run, and against building the bars' series alone (a set without conditions). The marks
// must come out the same both ways.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_folder.h"

#include "base/controls.h"
#include "demo/demo_data.h"
#include "screening/signals.h"
#include "series/series_loader.h"

namespace {

using namespace varnolt;
using Clock = std::chrono::steady_clock;

constexpr int32_t kToday = 20181228;

const SignalSets kSets = {
    {{"14,0,0: 基本のRSIが[50]以上", "12,7,0: 移動平均線２本が<7>日以内にｺﾞｰﾙﾃﾞﾝｸﾛｽ"},
     {"69,9,0: 一目均衡の「基準線」「転換線」が<9>日以内にｺﾞｰﾙﾃﾞﾝｸﾛｽ",
      "71,0,0: 一目均衡の雲より上にある"}},
    {{"45,10,0: MACDとシグナルが<10>日以内にﾃﾞｯﾄﾞｸﾛｽ", "15,0,0: 基本のRSIが[60]以下"}},
};

class Chart {
 public:
  Chart() : folder_(root_.Path() / "home") {
    demo::DemoOptions options;
    options.stock_count = 40;
    options.first_year = 2010;
    options.today = kToday;
    demo::GenerateDemoFolder(folder_.Root(), options);
    const LoadRequest request{"20101001", std::to_string(kToday), "1301", DataUnit::kDay, true};
    LoadSeries(data_, request, folder_, CompactToDay(std::to_string(kToday)));
  }
  const ProgramFolder& Folder() const { return folder_; }
  const LoadedSeries& Data() const { return data_; }

 private:
  bench::BenchFolder root_;
  ProgramFolder folder_;
  LoadedSeries data_;
};

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

void BM_DailyChartSignals(benchmark::State& state) {
  static const Chart chart;
  const ControlValues controls = ControlValues::Defaults();
  const SignalScope scope{chart.Folder(), controls, CompactToDay(std::to_string(kToday))};
  const LoadedSeries& data = chart.Data();

  const SignalSets series_only = {{Lines{}}, {}};
  Clock::duration shared{}, bar_by_bar{}, series{};
  size_t marks = 0;
  bool same = true;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    const std::vector<SignalMark> fast = FindSignals(data, kSets, scope);
    const auto t1 = Clock::now();
    const std::vector<SignalMark> plain = FindSignalsBarByBar(data, kSets, scope);
    const auto t2 = Clock::now();
    benchmark::DoNotOptimize(FindSignals(data, series_only, scope));
    const auto t3 = Clock::now();
    shared += t1 - t0;
    bar_by_bar += t2 - t1;
    series += t3 - t2;
    marks = fast.size();
    same = same && fast == plain;
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["bars_shown"] = data.bars.Count() - data.first_shown + 1;
  state.counters["marks"] = static_cast<double>(marks);
  state.counters["same_marks"] = same ? 1 : 0;
  state.counters["signals_ms"] = Seconds(shared) * 1000 / iterations;
  state.counters["bar_by_bar_ms"] = Seconds(bar_by_bar) * 1000 / iterations;
  state.counters["per_bar_by_bar"] = Seconds(shared) / Seconds(bar_by_bar);
  state.counters["per_series_alone"] = Seconds(shared) / Seconds(series);
  if (!same) state.SkipWithError("the two ways gave different marks");
}
BENCHMARK(BM_DailyChartSignals)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
