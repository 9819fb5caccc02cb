// A trading simulation over a 4,000-stock demo store with two buy conditions and one sell
// condition, against one bare read of the slots the same days' screens need, in the same run.
// Reported as evaluated stock-days per second and as the ratio to the bare read.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "bench_folder.h"
#include "peak_rss.h"

#include "base/controls.h"
#include "demo/demo_data.h"
#include "series/calendar.h"
#include "simulation/fee_plan.h"
#include "simulation/simulation_run.h"
#include "store/catalogue.h"
#include "store/year_file_reader.h"

namespace {

using namespace varnolt;
using Clock = std::chrono::steady_clock;

constexpr int kStocks = 4000;
constexpr int32_t kToday = 20240315;

class Store {
 public:
  Store() : folder_(root_.Path() / "home") {
    demo::DemoOptions options;
    options.stock_count = kStocks;
    options.first_year = 2022;
    options.today = kToday;
    demo::GenerateDemoFolder(folder_.Root(), options);
    for (const std::string& item : ListRecords(LoadCatalogue(folder_.Root()), "")) {
      codes_.push_back(*CodeOfItem(item));
    }
    buy_ = (folder_.DataDir() / "bench_buy.ini").string();
    sell_ = (folder_.DataDir() / "bench_sell.ini").string();
    WriteLines(buy_, {"---screening---,0,0", "14,0,0: 基本のRSIが[70]以上",
                      "12,7,0: 移動平均線２本が<7>日以内にｺﾞｰﾙﾃﾞﾝｸﾛｽ"});
    WriteLines(sell_, {"---screening---,0,0", "15,0,0: 基本のRSIが[50]以下"});
  }
  const ProgramFolder& Folder() const { return folder_; }
  const std::vector<int>& Codes() const { return codes_; }
  const std::string& Buy() const { return buy_; }
  const std::string& Sell() const { return sell_; }

 private:
  bench::BenchFolder root_;
  ProgramFolder folder_;
  std::vector<int> codes_;
  std::string buy_, sell_;
};

const Store& TheStore() {
  static const Store store;
  return store;
}

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Argument: the simulated calendar days, ending on 29 February 2024.
void BM_Simulation(benchmark::State& state) {
  const Store& store = TheStore();
  const ControlValues controls = ControlValues::Defaults();
  const DayNumber today = CompactToDay(std::to_string(kToday));
  const auto plan = MakeFeePlan(0, ScheduleOf(DefaultChargeTexts()));
  const SimulationScope scope{store.Folder(), controls, today, *plan};
  SimulationJob job;
  job.end = CompactToDay("20240229");
  job.start = job.end - static_cast<DayNumber>(state.range(0)) + 1;
  job.budget = 30000000;
  job.upper = 1000000;
  job.lower = 100000;
  job.buy = {store.Buy()};
  job.sell = {store.Sell()};
  const HolidayList holidays = LoadHolidayList(store.Folder().File("holidays.txt"));
  int trading_days = 0;
  for (DayNumber t = job.start; t <= job.end; ++t) trading_days += IsTradingDay(t, holidays);

  Clock::duration simulation{}, bare{};
  size_t lines = 0;
  SlotRecords slot;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    lines = RunJob(job, scope).size();
    const auto t1 = Clock::now();
    // The bare read: every trading day, each stock's slot of the day's year and the year before
    // (the span an indicator's warm-up reaches), from files opened once per day.
    for (DayNumber t = job.start; t <= job.end; ++t) {
      if (!IsTradingDay(t, holidays)) continue;
      const int year = CivilFromDay(t).year;
      std::vector<std::unique_ptr<YearFileReader>> files;
      for (int y = year - 1; y <= year; ++y) {
        files.push_back(YearFileReader::Open(store.Folder().YearFile(y)));
      }
      for (int code : store.Codes()) {
        for (auto& file : files) {
          if (file) file->Read(code, slot);
          benchmark::DoNotOptimize(slot);
        }
      }
    }
    const auto t2 = Clock::now();
    simulation += t1 - t0;
    bare += t2 - t1;
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["simulation_s"] = Seconds(simulation) / iterations;
  state.counters["report_lines"] = static_cast<double>(lines);
  // Everything the process held, the store generation included: an upper bound.
  state.counters["peak_rss_mb"] = bench::PeakResidentMegabytes();
  state.counters["trading_days"] = trading_days;
  state.counters["stock_days_per_s"] =
      static_cast<double>(trading_days) * kStocks * iterations / Seconds(simulation);
  state.counters["ratio_to_bare_read"] = Seconds(simulation) / Seconds(bare);
}
BENCHMARK(BM_Simulation)->Arg(30)->Arg(366)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
