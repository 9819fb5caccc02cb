#include "screening/condition_list.h"

#include <memory>

#include "screening/condition_pass.h"
#include "screening/evaluate_condition.h"
#include "screening/financial_condition.h"
#include "screening/holdings_price.h"
#include "store/financial_data.h"

namespace varnolt {

bool EvaluateConditionList(const Lines& conditions, std::vector<std::string>& stocks,
                           const ScreeningScope& scope, const ScreeningRun& run) {
  if (conditions.empty()) return !stocks.empty();
  const ConditionPass pass(conditions, scope);
  const int workers = WorkerCount(stocks.size(), run.threads);
  // One workspace per worker for the whole run: no stock allocates.
  std::vector<std::unique_ptr<ConditionPass::Workspace>> workspaces;
  for (int w = 0; w < workers; ++w)
    workspaces.push_back(std::make_unique<ConditionPass::Workspace>());
  const auto passed = TestItems(
      stocks.size(), workers,
      [&](size_t i, int worker) { return pass.Passes(stocks[i], *workspaces[worker]); }, run);
  if (!passed) return false;
  std::vector<std::string> kept;
  for (size_t i = 0; i < stocks.size(); ++i) {
    if ((*passed)[i]) kept.push_back(std::move(stocks[i]));
  }
  stocks = std::move(kept);
  return !stocks.empty();
}

bool EvaluateConditionList(const Lines& conditions, int code, ScreeningSeries& series,
                           int preloaded, int64_t volume, const ScreeningScope& scope) {
  if (preloaded < 1) return false;
  const int32_t average_price =
      scope.holdings.empty() ? 0 : AveragePurchasePrice(scope.holdings, code);
  for (const std::string& line : conditions) {
    const PreparedCondition condition = PrepareCondition(line, scope, series);
    if (!condition.usable) return false;
    const ParsedCondition& parsed = condition.line;
    if (condition.financial) {
      std::optional<FinancialRecord> record;
      if (FinancialConditionNeedsRecord(parsed.number)) {
        record = ReadFinancialRecordOrNone(scope.folder.DataDir(), code);
      }
      if (!TestFinancialCondition(parsed.number, parsed.num1, parsed.num2, series[preloaded].close,
                                  volume, record)) {
        return false;
      }
    } else if (!EvaluateCondition(parsed.number, series, preloaded, condition.needed, parsed.num1,
                                  parsed.num2, parsed.days1, condition.window, average_price,
                                  scope.controls)) {
      return false;
    }
  }
  return true;
}

}  // namespace varnolt
