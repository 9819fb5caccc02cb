#include "simulation/simulation_run.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "base/numbers.h"
#include "screening/condition_list.h"
#include "screening/condition_pass.h"
#include "screening/condition_set_file.h"
#include "screening/stock_browser.h"
#include "series/latest_price.h"
#include "simulation/report_lines.h"
#include "store/catalogue.h"
#include "store/financial_table.h"

namespace varnolt {
namespace {

// Cash that a purchase never touches.
constexpr int64_t kReserve = 10000;

struct Holding {
  int code = 0;
  std::string name;
  int64_t paid = 0;
  int64_t shares = 0;
};

struct Candidate {
  int code = 0;
  std::string name;
};

// A buy condition set with the stocks its selection lists.
struct BuySet {
  Lines conditions;
  std::vector<std::string> stocks;
};

// A file without the condition-set mark selects nothing: taking its lines as conditions could
// pass every stock, or sell every holding.
std::optional<ConditionSet> ReadSet(const std::string& path) {
  return ReadConditionSetFile(Utf8Path(path));
}

class Simulation {
 public:
  Simulation(const SimulationJob& job, const SimulationScope& scope,
             const SimulationProgress& progress)
      : job_(job),
        scope_(scope),
        progress_(progress),
        holidays_(LoadHolidayList(scope.folder.File("holidays.txt"))),
        financial_(FinancialTable::ReadOrEmpty(scope.folder.DataDir())),
        cash_(job.budget) {
    const Lines catalogue = LoadCatalogue(scope.folder.Root());
    const std::vector<std::string> sectors = SectorFilterList(catalogue);
    for (const std::string& path : job.buy) {
      auto read = ReadSet(path);
      if (!read) continue;
      ConditionSet& set = *read;
      std::string filter = set.selection.Filter(sectors);
      // A check selection without a group lists every checked stock.
      if (set.selection.checked && filter.empty()) filter = kCheckMark;
      buy_sets_.push_back({std::move(set.conditions), ListRecords(catalogue, filter)});
    }
    for (const std::string& path : job.sell) {
      if (auto set = ReadSet(path)) sell_sets_.push_back(std::move(set->conditions));
    }
    ReadHistory();
  }

  Lines Run() {
    month_ = CivilFromDay(job_.start).month;
    if (const auto fee = scope_.plan.MonthlyFee()) {
      cash_ -= *fee;
      report_.push_back(MonthlyFeeLine(month_, *fee, cash_, cash_));
    }
    DayNumber valued = job_.end;
    for (DayNumber t = job_.start; t <= job_.end; ++t) {
      if (progress_.day) progress_.day(t);
      if (Cancelled()) {
        valued = t;
        break;
      }
      if (!IsTradingDay(t, holidays_)) continue;
      Sell(t);
      Buy(t);
      ChargeDay(t);
      ChargeMonth(t);
      ChooseSales(t);
      ChooseBuys(t);
    }
    ReportHoldings(valued);
    return std::move(report_);
  }

  bool Cancelled() const { return progress_.cancel != nullptr && progress_.cancel->load(); }

 private:
  LatestQuote Quote(int code, DayNumber t) const {
    if (history_) {
      if (const auto quote = history_->Quote(code, t, quote_slot_)) return *quote;
    }
    return LatestPrice(scope_.folder, code, t, scope_.today);
  }

  // Every day screens the same stocks over nearly the same span and quotes the same holdings:
  // their stored days are read once for the whole period, with the span of the most demanding
  // condition of any set.
  void ReadHistory() {
    if (job_.start > job_.end) return;
    const Lines no_holdings;
    const ScreeningScope first_day{scope_.folder, scope_.controls, job_.start, scope_.today,
                                   no_holdings};
    int most_needed = 0;
    for (const BuySet& set : buy_sets_)
      most_needed = std::max(most_needed, MostEntriesNeeded(set.conditions, first_day));
    for (const Lines& conditions : sell_sets_)
      most_needed = std::max(most_needed, MostEntriesNeeded(conditions, first_day));
    history_ = std::make_unique<ScreeningHistory>(scope_.folder, most_needed, true, job_.start,
                                                  job_.end, scope_.today);
  }

  std::vector<Holding>::iterator Held(int code) {
    return std::find_if(holdings_.begin(), holdings_.end(),
                        [code](const Holding& h) { return h.code == code; });
  }

  void Sell(DayNumber t) {
    std::vector<int> kept;
    for (const int code : sales_) {
      const LatestQuote quote = Quote(code, t);
      const auto held = Held(code);
      if (quote.date != t || quote.close == 0 || held == holdings_.end()) {
        if (held != holdings_.end()) kept.push_back(code);
        continue;
      }
      const int64_t proceeds = held->shares * quote.close;
      cash_ += proceeds;
      amounts_.push_back(proceeds);
      report_.push_back(TradeHeadLine(true, t, std::to_string(code), held->name));
      report_.push_back(
          SaleLine(held->shares, quote.close, proceeds, cash_, proceeds - held->paid));
      holdings_.erase(held);
    }
    sales_ = std::move(kept);
  }

  void Buy(DayNumber t) {
    for (const Candidate& candidate : buys_) {
      const LatestQuote quote = Quote(candidate.code, t);
      if (quote.date != t || quote.close == 0) continue;
      const auto record = financial_.Find(candidate.code);
      const int64_t unit = record ? Trunc(record->unit_shares) : 0;
      const int64_t price = unit * quote.close;  // one trading unit
      if (price <= 0) continue;
      // The fewest whole units above the lower amount.
      int64_t amount = price * (job_.lower / price + 1);
      if (amount > job_.upper || amount > cash_ - kReserve) continue;
      if (job_.over) amount = price * (std::min(job_.upper, cash_ - kReserve) / price);
      cash_ -= amount;
      amounts_.push_back(amount);
      const int64_t shares = amount / quote.close;
      const auto held = Held(candidate.code);
      if (held == holdings_.end()) {
        holdings_.push_back({candidate.code, candidate.name, amount, shares});
      } else {
        held->paid += amount;
        held->shares += shares;
      }
      report_.push_back(TradeHeadLine(false, t, std::to_string(candidate.code), candidate.name));
      report_.push_back(PurchaseLine(shares, quote.close, amount, cash_));
    }
    buys_.clear();
  }

  int64_t HoldingsValue(DayNumber t) const {
    int64_t value = 0;
    for (const Holding& holding : holdings_) value += Quote(holding.code, t).close * holding.shares;
    return value;
  }

  void ChargeDay(DayNumber t) {
    if (amounts_.empty()) return;
    const auto fee = scope_.plan.DayFee(amounts_);
    amounts_.clear();
    if (!fee) return;
    cash_ -= *fee;
    report_.push_back(DayFeeLine(*fee, cash_, HoldingsValue(t) + cash_));
  }

  void ChargeMonth(DayNumber t) {
    const auto fee = scope_.plan.MonthlyFee();
    const int month = CivilFromDay(t).month;
    if (!fee || month == month_) return;
    month_ = month;
    cash_ -= *fee;
    report_.push_back(MonthlyFeeLine(month, *fee, cash_, HoldingsValue(t) + cash_));
  }

  // The holdings list the evaluator reads the average purchase prices from.
  Lines HoldingsLines() const {
    Lines lines;
    for (const Holding& holding : holdings_) {
      lines.push_back(std::to_string(holding.code));
      lines.push_back("*" + std::to_string(holding.paid));
      lines.push_back("*" + std::to_string(holding.shares));
      lines.push_back(holding.name);
    }
    return lines;
  }

  std::vector<std::string> Evaluate(const Lines& conditions, std::vector<std::string> stocks,
                                    DayNumber t, const Lines& holdings) const {
    ScreeningScope scope{scope_.folder, scope_.controls, t, scope_.today, holdings};
    scope.sources = {history_.get(), &financial_};
    ScreeningRun run;
    run.threads = progress_.threads;
    EvaluateConditionList(conditions, stocks, scope, run);
    return stocks;
  }

  bool ToBeSold(int code) const {
    return std::find(sales_.begin(), sales_.end(), code) != sales_.end();
  }

  void ChooseSales(DayNumber t) {
    if (holdings_.empty()) return;
    const Lines holdings = HoldingsLines();
    std::vector<std::string> held;
    for (const Holding& holding : holdings_)
      held.push_back(std::to_string(holding.code) + " : " + holding.name);
    for (const Lines& conditions : sell_sets_) {
      for (const std::string& item : Evaluate(conditions, held, t, holdings)) {
        const auto code = CodeOfItem(item);
        if (code && !ToBeSold(*code)) sales_.push_back(*code);
      }
    }
  }

  void ChooseBuys(DayNumber t) {
    buys_.clear();
    const Lines holdings = HoldingsLines();
    for (const BuySet& set : buy_sets_) {
      for (const std::string& item : Evaluate(set.conditions, set.stocks, t, holdings)) {
        const auto code = CodeOfItem(item);
        if (!code || ToBeSold(*code)) continue;
        const bool chosen = std::any_of(buys_.begin(), buys_.end(),
                                        [&](const Candidate& c) { return c.code == *code; });
        if (chosen || (!job_.multi && Held(*code) != holdings_.end())) continue;
        buys_.push_back({*code, NameOfItem(item)});
      }
    }
  }

  void ReportHoldings(DayNumber valued) {
    report_.emplace_back();
    report_.emplace_back(kHoldingsHead);
    report_.emplace_back();
    int64_t total = 0;
    for (const Holding& holding : holdings_) {
      const LatestQuote quote = Quote(holding.code, valued);
      const int64_t value = holding.shares * quote.close;
      total += value;
      report_.push_back(HoldingHeadLine(std::to_string(holding.code), holding.name));
      report_.push_back(
          HoldingLine(holding.shares, holding.paid, value, quote.date, ToBeSold(holding.code)));
    }
    report_.emplace_back(kTotalsRule);
    report_.push_back(TotalLine("資　　　　　　 　金 :", cash_));
    report_.push_back(TotalLine("資   金  ＋  評価額 :", total + cash_));
    report_.push_back(TotalLine("総　　　損　　　益  :", total + cash_ - job_.budget));
  }

  const SimulationJob& job_;
  const SimulationScope& scope_;
  const SimulationProgress& progress_;
  HolidayList holidays_;
  FinancialTable financial_;
  std::unique_ptr<ScreeningHistory> history_;
  mutable SlotRecords quote_slot_;  // room for the history's first read of a stock
  std::vector<BuySet> buy_sets_;
  std::vector<Lines> sell_sets_;
  int64_t cash_;
  int month_ = 0;
  std::vector<Holding> holdings_;  // in order of first purchase
  std::vector<Candidate> buys_;    // chosen at the end of the previous trading day
  std::vector<int> sales_;         // chosen on earlier days, not yet sold
  std::vector<int64_t> amounts_;   // the day's trade amounts
  Lines report_;
};

}  // namespace

Lines RunJob(const SimulationJob& job, const SimulationScope& scope,
             const SimulationProgress& progress) {
  if (progress.cancel != nullptr && progress.cancel->load()) return {};
  return Simulation(job, scope, progress).Run();
}

void RunReservations(const Lines& reservations, const SimulationScope& scope,
                     const SimulationProgress& progress,
                     const std::function<void(int, const Lines&)>& save) {
  Lines lines(reservations.begin() + (reservations.empty() ? 0 : 1), reservations.end());
  for (int number = 1; !lines.empty(); ++number) {
    const SimulationJob job = TakeJob(lines);
    if (!lines.empty()) lines.erase(lines.begin());  // the separator
    const Lines report = RunJob(job, scope, progress);
    if (!report.empty()) save(number, report);
  }
}

void SaveSimulationReport(const ProgramFolder& folder, int number, const Lines& report) {
  folder.EnsureDataDir();
  WriteLines(folder.DataDir() / ("simulation_" + std::to_string(number) + ".txt"), report);
}

}  // namespace varnolt
