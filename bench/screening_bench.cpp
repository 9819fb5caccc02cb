// A full-market screen of a 4,000-stock demo store with three technical conditions, against
// reading the same year-file slots bare in the same run: through the store's one-slot
// operations, and through one open file per year with nothing done to the bytes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "bench_folder.h"
#include "peak_rss.h"

#include "base/controls.h"
#include "demo/demo_data.h"
#include "screening/condition_list.h"
#include "screening/condition_pass.h"
#include "series/screening_loader.h"
#include "store/binary_file.h"
#include "store/catalogue.h"
#include "store/year_file.h"
#include "store/year_file_reader.h"

namespace {

using namespace varnolt;
using Clock = std::chrono::steady_clock;

constexpr int kStocks = 4000;
constexpr int32_t kToday = 20240315;  // early in the year: the spans reach back into 2023

// RSI at least 50, a golden cross of the moving averages within 7 days, above the cloud.
const Lines kConditions = {"14,0,0: 基本のRSIが[50]以上",
                           "12,7,0: 移動平均線２本が<7>日以内にｺﾞｰﾙﾃﾞﾝｸﾛｽ",
                           "71,0,0: 一目均衡の雲より上にある"};

class Store {
 public:
  Store() : folder_(root_.Path() / "home") {
    demo::DemoOptions options;
    options.stock_count = kStocks;
    options.first_year = 2022;
    options.today = kToday;
    demo::GenerateDemoFolder(folder_.Root(), options);
    items_ = ListRecords(LoadCatalogue(folder_.Root()), "");
    for (const std::string& item : items_) codes_.push_back(*CodeOfItem(item));
  }
  const ProgramFolder& Folder() const { return folder_; }
  const std::vector<std::string>& Items() const { return items_; }
  const std::vector<int>& Codes() const { return codes_; }

 private:
  bench::BenchFolder root_;
  ProgramFolder folder_;
  std::vector<std::string> items_;
  std::vector<int> codes_;
};

const Store& TheStore() {
  static const Store store;
  return store;
}

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

void BM_FullMarketScreen(benchmark::State& state) {
  const Store& store = TheStore();
  const ControlValues controls = ControlValues::Defaults();
  const Lines holdings;
  const DayNumber today = CompactToDay(std::to_string(kToday));
  const ScreeningScope scope{store.Folder(), controls, today, today, holdings};
  const ScreeningRun run{{}, nullptr, static_cast<int>(state.range(0))};

  // The years the longest condition's span touches: the slots a screen has to read.
  auto scratch = std::make_unique<ScreeningSeries>();
  int most_needed = 0;
  for (const std::string& line : kConditions) {
    most_needed = std::max(most_needed, PrepareCondition(line, scope, *scratch).needed);
  }
  const DayNumber span = static_cast<DayNumber>(ScreeningSpanDays(most_needed));
  const int first_year = CivilFromDay(today - span + 1).year;
  const int last_year = CivilFromDay(today).year;

  Clock::duration screen{}, store_reads{}, open_reads{};
  size_t passed = 0;
  SlotRecords slot;
  // One screen beforehand, so that every timed phase finds the slots in the page cache.
  {
    std::vector<std::string> stocks = store.Items();
    EvaluateConditionList(kConditions, stocks, scope, run);
  }
  for (auto _ : state) {
    std::vector<std::string> stocks = store.Items();
    const auto t0 = Clock::now();
    EvaluateConditionList(kConditions, stocks, scope, run);
    const auto t1 = Clock::now();
    for (int code : store.Codes()) {
      for (int year = first_year; year <= last_year; ++year) {
        const auto path = store.Folder().YearFile(year);
        ReadSlot(path, FindOrAllocateSlot(path, code), slot);
        benchmark::DoNotOptimize(slot);
      }
    }
    const auto t2 = Clock::now();
    {
      std::vector<std::unique_ptr<YearFileReader>> files;
      for (int year = first_year; year <= last_year; ++year) {
        files.push_back(YearFileReader::Open(store.Folder().YearFile(year)));
      }
      for (int code : store.Codes()) {
        for (auto& file : files) {
          file->Read(code, slot);
          benchmark::DoNotOptimize(slot);
        }
      }
    }
    const auto t3 = Clock::now();
    screen += t1 - t0;
    store_reads += t2 - t1;
    open_reads += t3 - t2;
    passed = stocks.size();
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["screen_ms"] = Seconds(screen) * 1000 / iterations;
  state.counters["passed"] = static_cast<double>(passed);
  // Everything the process held, the store generation included: an upper bound.
  state.counters["peak_rss_mb"] = bench::PeakResidentMegabytes();
  state.counters["years_read"] = last_year - first_year + 1;
  state.counters["entries_needed"] = most_needed;
  state.counters["per_store_reads"] = Seconds(screen) / Seconds(store_reads);
  state.counters["per_open_file_reads"] = Seconds(screen) / Seconds(open_reads);
}
// 0: one thread per core; 1: the calling thread alone.
BENCHMARK(BM_FullMarketScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
