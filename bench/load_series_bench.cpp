// LoadSeries against the bare reads it cannot avoid: the same 20 year slots of one stock read
// with FindOrAllocateSlot and ReadSlot. The ratio printed is what the loader adds on top.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "bench_folder.h"

#include "base/text_file.h"
#include "series/series_loader.h"
#include "store/year_file.h"

namespace {

using namespace varnolt;

constexpr int kFirstYear = 2005;
constexpr int kLastYear = 2024;
constexpr int kCode = 7203;

// A program folder with 20 years of daily prices for one stock among 400 catalogue records.
class Store {
 public:
  Store() : folder_(root_.Path()) {
    folder_.EnsureDataDir();
    Lines catalogue;
    for (int i = 0; i < 400; ++i) {
      catalogue.push_back(std::to_string(1301 + i * 20));
      catalogue.push_back("銘柄" + std::to_string(i));
      catalogue.push_back("●業種●○東証一部○");
    }
    catalogue.push_back(std::to_string(kCode));
    catalogue.push_back("ベンチ自動車");
    catalogue.push_back("●輸送用機器●○東証一部○");
    WriteLines(folder_.File("codedata.txt"), catalogue);
    Lines holidays;
    for (int year = 1990; year <= 2035; ++year) {
      for (const char* day :
           {"/01/01", "/01/02", "/01/03", "/05/03", "/05/04", "/05/05", "/12/31"}) {
        holidays.push_back(std::to_string(year) + day);
      }
    }
    WriteLines(folder_.File("holidays.txt"), holidays);
    int32_t price = 3000;
    for (int year = kFirstYear; year <= kLastYear; ++year) {
      std::vector<DayRow> rows;
      for (int d = 1; d <= kDaysPerSlot; ++d) {
        const DayNumber day = DayFromCivil(year, 1, 1) + d - 1;
        if (Weekday(day) < 2) continue;
        price += (d * 7919 % 61) - 30;
        if (price < 100) price = 100;
        DayRow row{kCode, d, price, price + 20, price - 20, price + 5, 1'500'000 + d * 100, {}};
        if (d == 100 && year % 7 == 0) row.split = 2.0f;
        rows.push_back(row);
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

const DayNumber kToday = DayFromCivil(kLastYear, 12, 28);

void ReadBareSlots(const ProgramFolder& folder) {
  SlotRecords slot;
  for (int year = kFirstYear; year <= kLastYear; ++year) {
    const auto path = folder.YearFile(year);
    ReadSlot(path, FindOrAllocateSlot(path, kCode), slot);
    benchmark::DoNotOptimize(slot);
  }
}

void BM_BareSlotReads(benchmark::State& state) {
  const ProgramFolder& folder = TheStore().Folder();
  for (auto _ : state) ReadBareSlots(folder);
}
BENCHMARK(BM_BareSlotReads)->Unit(benchmark::kMicrosecond);

void BM_LoadSeries(benchmark::State& state) {
  const ProgramFolder& folder = TheStore().Folder();
  LoadRequest request;
  request.code_or_name = std::to_string(kCode);
  // 160 days of warm-up before 2005-06-20 (daily) or 80 weeks before 2006-07-03 (weekly) keep
  // the load inside the 20 stored years.
  request.unit = static_cast<DataUnit>(state.range(0));
  request.start = request.unit == DataUnit::kDay ? "20050620" : "20060703";
  request.end = "20241227";
  // Each iteration also times the bare reads, so the ratio compares the two under the same
  // machine load.
  using Clock = std::chrono::steady_clock;
  Clock::duration load_time{}, bare_time{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    LoadedSeries data_set;
    const LoadOutcome outcome = LoadSeries(data_set, request, folder, kToday);
    const auto t1 = Clock::now();
    ReadBareSlots(folder);
    const auto t2 = Clock::now();
    load_time += t1 - t0;
    bare_time += t2 - t1;
    if (!data_set.loaded) state.SkipWithError(outcome.message.c_str());
    benchmark::DoNotOptimize(outcome);
  }
  state.counters["load_per_bare"] =
      std::chrono::duration<double>(load_time) / std::chrono::duration<double>(bare_time);
}
BENCHMARK(BM_LoadSeries)->Arg(0)->Arg(1)->ArgName("unit")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
