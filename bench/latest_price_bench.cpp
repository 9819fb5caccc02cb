// LatestPrice for every code of a 4,000-stock store, as the stock browser values the whole
// catalogue, against one bare slot read per code in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "bench_folder.h"

#include "base/program_folder.h"
#include "series/latest_price.h"
#include "store/year_file.h"

namespace {

using namespace varnolt;

constexpr int kStocks = 4000;
constexpr int kYear = 2024;

int CodeOf(int i) {
  return 1300 + i * 2;
}

class Store {
 public:
  Store() : folder_(root_.Path()) {
    folder_.EnsureDataDir();
    for (int year : {kYear - 1, kYear}) {
      std::vector<DayRow> rows;
      for (int d = 1; d <= kDaysPerSlot; ++d) {
        if (Weekday(DayFromCivil(year, 1, 1) + d - 1) < 2) continue;
        for (int i = 0; i < kStocks; ++i) {
          const int32_t price = 500 + (i * 37 + d * 11) % 3000;
          DayRow row{CodeOf(i), d, price, price + 10, price - 10, price + 2, 10000 + d, {}};
          if (year == kYear && d == 200 && i % 50 == 0) row.split = 2.0f;
          rows.push_back(row);
        }
      }
      WriteDayRecords(folder_.YearFile(year), rows);
    }
  }
  const ProgramFolder& Folder() const { return folder_; }

 private:
  bench::BenchFolder root_;
  ProgramFolder folder_;
};

const Store& TheStore() {
  static const Store store;
  return store;
}

void BM_LatestPriceWholeCatalogue(benchmark::State& state) {
  const ProgramFolder& folder = TheStore().Folder();
  // A Sunday in spring: the search steps back two days; the split scan reads the current year.
  const DayNumber date = DayFromCivil(kYear, 3, 10);
  const DayNumber today = DayFromCivil(kYear, 12, 20);
  using Clock = std::chrono::steady_clock;
  Clock::duration latest_time{}, bare_time{};
  SlotRecords slot;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (int i = 0; i < kStocks; ++i) {
      benchmark::DoNotOptimize(LatestPrice(folder, CodeOf(i), date, today));
    }
    const auto t1 = Clock::now();
    for (int i = 0; i < kStocks; ++i) {
      const auto path = folder.YearFile(kYear);
      ReadSlot(path, FindOrAllocateSlot(path, CodeOf(i)), slot);
      benchmark::DoNotOptimize(slot);
    }
    const auto t2 = Clock::now();
    latest_time += t1 - t0;
    bare_time += t2 - t1;
  }
  state.counters["per_stock_us"] =
      benchmark::Counter(std::chrono::duration<double, std::micro>(latest_time).count() / kStocks,
                         benchmark::Counter::kAvgIterations);
  state.counters["latest_per_bare_read"] =
      std::chrono::duration<double>(latest_time) / std::chrono::duration<double>(bare_time);
}
BENCHMARK(BM_LatestPriceWholeCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
