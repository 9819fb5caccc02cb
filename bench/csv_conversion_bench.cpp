// Converting one year of 4,000 stocks (1,000,000 CSV lines) against merely reading the same
// file and splitting its lines into fields, measured in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bench_folder.h"

#include "base/fields.h"
#include "base/text_file.h"
#include "series/calendar.h"
#include "store/csv_conversion.h"

namespace {

using namespace varnolt;

constexpr int kYear = 2015;
constexpr int kStocks = 4000;

// One line per stock and weekday of the year, 250 days × 4,000 stocks ≈ 1,000,000 lines.
struct CsvYear {
  bench::BenchFolder folder;
  std::filesystem::path root = folder.Path();
  std::filesystem::path csv = root / "prices.csv";
  CsvYear() {
    std::ofstream out(csv, std::ios::binary);
    int days = 0;
    for (DayNumber day = DayFromCivil(kYear, 1, 1);
         day <= DayFromCivil(kYear, 12, 31) && days < 250; ++day) {
      if (Weekday(day) < 2) continue;
      ++days;
      const CivilDate date = CivilFromDay(day);
      for (int i = 0; i < kStocks; ++i) {
        const int code = 1300 + i * 2;
        const int price = 500 + (code * 31 + days * 7) % 4000;
        out << date.year << '/' << date.month << '/' << date.day << ',' << code << ',' << price
            << ',' << price + 15 << ',' << price - 12 << ',' << price + 3 << ','
            << (code * 977 + days * 131) % 5'000'000 << "\r\n";
      }
    }
  }
};

const CsvYear& TheCsv() {
  static const CsvYear csv;
  return csv;
}

size_t ReadAndSplit(const std::filesystem::path& file) {
  size_t fields = 0;
  for (const auto& line : ReadLines(file)) {
    std::string rest = line;
    while (!rest.empty()) {
      benchmark::DoNotOptimize(SplitField(rest, ","));
      ++fields;
    }
  }
  return fields;
}

void BM_ConvertYear(benchmark::State& state) {
  const CsvYear& csv = TheCsv();
  using Clock = std::chrono::steady_clock;
  Clock::duration convert_time{}, read_time{};
  for (auto _ : state) {
    const auto data_dir = csv.root / "data";
    std::filesystem::remove_all(data_dir);
    std::filesystem::create_directories(data_dir);
    const auto t0 = Clock::now();
    ConvertCsvFiles({csv.csv}, data_dir, Grouping::kEveryLine);
    const auto t1 = Clock::now();
    benchmark::DoNotOptimize(ReadAndSplit(csv.csv));
    const auto t2 = Clock::now();
    convert_time += t1 - t0;
    read_time += t2 - t1;
  }
  state.counters["convert_per_read_split"] =
      std::chrono::duration<double>(convert_time) / std::chrono::duration<double>(read_time);
}
BENCHMARK(BM_ConvertYear)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
