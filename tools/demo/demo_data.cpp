// The folder writer: ties the catalogue, the price walks and the financial data into a
// program folder.

#include "demo/demo_data.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "base/file_error.h"
#include "base/program_folder.h"
#include "demo/finance_file.h"
#include "demo/installed_files.h"
#include "demo/japan_holidays.h"
#include "demo/market_factor.h"
#include "demo/price_walk.h"
#include "demo/random.h"
#include "demo/stock_plan.h"
#include "series/calendar.h"
#include "store/year_file.h"

namespace varnolt::demo {
namespace {

void RequireEmptyFolder(const std::filesystem::path& root) {
  std::error_code error;
  if (!std::filesystem::exists(root, error)) return;
  if (!std::filesystem::is_directory(root, error)) {
    throw FileError(DisplayName(root) + " はフォルダではありません");
  }
  if (!std::filesystem::is_empty(root, error) || error) {
    throw FileError("フォルダ " + DisplayName(root) +
                    " は空ではありません。デモデータは新しいフォルダか空のフォルダに作ります");
  }
}

}  // namespace

DemoSummary GenerateDemoFolder(const std::filesystem::path& root, const DemoOptions& options) {
  const int today_year = options.today / 10000;
  if (!IsValidCivil(today_year, options.today / 100 % 100, options.today % 100)) {
    throw std::invalid_argument("not a valid date: " + std::to_string(options.today));
  }
  const int last_year = options.last_year != 0 ? options.last_year : today_year;
  if (options.first_year < kFirstHolidayYear || last_year > kLastHolidayYear ||
      options.first_year > last_year) {
    throw std::invalid_argument("years out of range: " + std::to_string(options.first_year) + "–" +
                                std::to_string(last_year));
  }
  const DayNumber first_day = DayFromCivil(options.first_year, 1, 1);
  const DayNumber today = DayFromCivil(today_year, options.today / 100 % 100, options.today % 100);
  if (today < first_day) throw std::invalid_argument("today lies before the first year");
  const std::vector<DemoStock> stocks = DemoCatalogue(options.seed, options.stock_count);
  RequireEmptyFolder(root);

  const ProgramFolder folder(root);
  folder.EnsureDataDir();
  WriteLines(folder.File("codedata.txt"), CatalogueLines(stocks));
  const Lines holiday_lines =
      HolidayFileLines(std::min(1990, options.first_year), std::max(2035, last_year));
  WriteLines(folder.File("holidays.txt"), holiday_lines);
  WriteInstalledFiles(folder);

  const HolidayList holidays(holiday_lines);
  std::vector<DayNumber> days;
  for (DayNumber d = first_day; d <= std::min(today, DayFromCivil(last_year, 12, 31)); ++d) {
    if (IsTradingDay(d, holidays)) days.push_back(d);
  }
  const int day_count = static_cast<int>(days.size());
  const int years = last_year - options.first_year + 1;

  std::vector<StockPlan> plans;
  std::vector<Walk> walks;
  for (const DemoStock& stock : stocks) {
    plans.push_back(StockTraits(options.seed, stock));
    walks.emplace_back(Stream(options.seed, kWalk, static_cast<uint64_t>(stock.code)));
  }
  PlanEvents(options.seed, stocks, day_count, years, plans);

  Random market_random = Stream(options.seed, kMarket);
  double market = 0;
  DemoSummary summary{static_cast<int>(stocks.size()), options.first_year, last_year, 0};
  int t = 0;
  std::vector<DayRow> rows;
  for (int year = options.first_year; year <= last_year; ++year) {
    rows.clear();
    const DayNumber new_year = DayFromCivil(year, 1, 1);
    for (; t < day_count && CivilFromDay(days[t]).year == year; ++t) {
      if (t > 0) market += MarketStep(year, market_random);
      const int day_index = days[t] - new_year + 1;
      for (size_t i = 0; i < plans.size(); ++i) {
        auto row = StepStock(plans[i], walks[i], t, market);
        // The store has no record for 31 December of a leap year; the exchange is closed then.
        if (!row || day_index > kDaysPerSlot) continue;
        row->day_index = day_index;
        rows.push_back(*row);
      }
    }
    WriteDayRecords(folder.YearFile(year), rows);
    summary.rows += static_cast<int64_t>(rows.size());
  }

  WriteBytesAtomically(folder.DataDir() / "finance.dat",
                       FinanceFile(options.seed, stocks, plans, walks));
  return summary;
}

}  // namespace varnolt::demo
