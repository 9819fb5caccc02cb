#include "screening/condition_pass.h"

#include <algorithm>

#include "base/file_error.h"
#include "screening/evaluate_condition.h"
#include "screening/financial_condition.h"
#include "screening/holdings_price.h"
#include "series/latest_price.h"
#include "series/screening_loader.h"
#include "store/catalogue.h"
#include "store/day_record.h"

namespace varnolt {
namespace {

constexpr int kFailure = static_cast<int>(kFailureCode);

}  // namespace

PreparedCondition PrepareCondition(std::string_view line, const ScreeningScope& scope,
                                   ScreeningSeries& scratch) {
  PreparedCondition condition;
  condition.line = ParseConditionLine(line);
  const ParsedCondition& parsed = condition.line;
  condition.window = parsed.days2 == 0 ? parsed.days1 : parsed.days2;
  if (parsed.number < 0 || parsed.number > 83) return condition;
  if (parsed.number <= 7) {
    condition.financial = true;
    condition.usable = true;
    return condition;
  }
  const int warm_up =
      ComputeForCondition(parsed.number, scratch, 0, parsed.days1, 0, scope.controls);
  if (warm_up == kFailure) return condition;
  const int64_t needed = int64_t{parsed.days1} + parsed.days2 + warm_up + 1;
  if (needed > INT32_MAX || needed < INT32_MIN) return condition;
  condition.needed = static_cast<int>(needed);
  condition.usable = true;
  condition.span_accepted = ScreeningSpanAccepted(condition.needed);
  if (condition.span_accepted) {
    condition.span_first =
        scope.date - static_cast<DayNumber>(ScreeningSpanDays(condition.needed)) + 1;
  }
  return condition;
}

namespace {

// The most entries any usable technical condition with an accepted span reads; -1 for none.
int MostNeeded(const std::vector<PreparedCondition>& conditions) {
  int most_needed = -1;
  for (const PreparedCondition& condition : conditions) {
    if (condition.usable && !condition.financial && condition.span_accepted)
      most_needed = std::max(most_needed, condition.needed);
  }
  return most_needed;
}

}  // namespace

int MostEntriesNeeded(const Lines& conditions, const ScreeningScope& scope) {
  auto scratch = std::make_unique<ScreeningSeries>();
  std::vector<PreparedCondition> prepared;
  for (const std::string& line : conditions)
    prepared.push_back(PrepareCondition(line, scope, *scratch));
  return MostNeeded(prepared);
}

ConditionPass::ConditionPass(const Lines& conditions, const ScreeningScope& scope) : scope_(scope) {
  auto scratch = std::make_unique<ScreeningSeries>();
  bool needs_record = false;
  for (const std::string& line : conditions) {
    conditions_.push_back(PrepareCondition(line, scope, *scratch));
    const PreparedCondition& condition = conditions_.back();
    if (condition.usable && condition.financial)
      needs_record = needs_record || FinancialConditionNeedsRecord(condition.line.number);
  }
  const int most_needed = MostNeeded(conditions_);
  if (!scope.holdings.empty()) average_prices_ = AveragePurchasePrices(scope.holdings);
  if (needs_record) {
    financial_ = scope.sources.financial;
    if (financial_ == nullptr) {
      own_financial_ = FinancialTable::ReadOrEmpty(scope.folder.DataDir());
      financial_ = &*own_financial_;
    }
  }
  if (most_needed < 0) return;
  // A history with a longer span gives each condition the same entries: every condition keeps
  // only the newest ones within its own span.
  const ScreeningHistory* history = scope.sources.history;
  if (history != nullptr && history->Serves(most_needed, true, scope.date, scope.today)) {
    history_ = history;
  } else {
    reader_ = std::make_unique<ScreeningSeriesReader>(scope.folder, most_needed, true, scope.date,
                                                      scope.today);
  }
}

int ConditionPass::Load(int code, Workspace& workspace) const {
  if (history_ != nullptr)
    return history_->Load(code, scope_.date, workspace.loaded, workspace.buffers);
  return reader_ ? reader_->Load(code, workspace.loaded, workspace.buffers) : 0;
}

std::pair<int32_t, int64_t> ConditionPass::Quote(int code, Workspace& workspace) const {
  try {
    std::optional<LatestQuote> latest;
    const ScreeningHistory* history = scope_.sources.history;
    if (history != nullptr && history->Serves(0, true, scope_.date, scope_.today)) {
      latest = history->Quote(code, scope_.date, workspace.buffers.slot);
    }
    if (!latest) latest = LatestPrice(scope_.folder, code, scope_.date, scope_.today);
    return {latest->close, latest->volume};
  } catch (const FileError&) {
    return {0, 0};  // no price: the test fails
  }
}

bool ConditionPass::PassesFinancial(const PreparedCondition& condition, int code,
                                    std::optional<std::pair<int32_t, int64_t>>& quote,
                                    Workspace& workspace) const {
  const int number = condition.line.number;
  if (FinancialConditionNeedsPrice(number) && !quote) quote = Quote(code, workspace);
  std::optional<FinancialRecord> record;
  if (financial_) record = financial_->Find(code);
  const auto [price, volume] = quote.value_or(std::pair<int32_t, int64_t>{0, 0});
  return TestFinancialCondition(number, condition.line.num1, condition.line.num2, price, volume,
                                record);
}

bool ConditionPass::Passes(const std::string& item, Workspace& workspace) const {
  if (conditions_.empty()) return true;
  const std::optional<int> code = CodeOfItem(item);
  if (!code || *code < 0 || *code >= kCodeCount) return false;
  const int32_t average_price = average_prices_.empty() ? 0 : average_prices_[*code];

  std::optional<std::pair<int32_t, int64_t>> quote;
  int loaded = -1;  // entries read so far; -1: the series is not read yet
  for (const PreparedCondition& condition : conditions_) {
    if (!condition.usable) return false;
    if (condition.financial) {
      if (!PassesFinancial(condition, *code, quote, workspace)) return false;
      continue;
    }
    if (loaded < 0) loaded = Load(*code, workspace);
    // The entries this condition would have loaded for itself: the newest ones within its span.
    int n = 0;
    if (condition.span_accepted && loaded > 0) {
      const DayNumber* days = workspace.buffers.days.data();
      n = static_cast<int>(days + loaded + 1 -
                           std::lower_bound(days + 1, days + loaded + 1, condition.span_first));
    }
    for (int i = 1; i <= n; ++i) {
      const ScreeningEntry& from = workspace.loaded[loaded - n + i];
      workspace.work[i] = ScreeningEntry{from.open, from.high, from.low, from.close};
    }
    const ParsedCondition& line = condition.line;
    if (!EvaluateCondition(line.number, workspace.work, n, condition.needed, line.num1, line.num2,
                           line.days1, condition.window, average_price, scope_.controls)) {
      return false;
    }
  }
  return true;
}

}  // namespace varnolt
