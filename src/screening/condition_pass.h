#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "screening/condition_line.h"
#include "screening/condition_list.h"
#include "series/screening_reader.h"
#include "store/financial_table.h"

namespace varnolt {

// One condition line made ready for a whole run: its fields read, its window and the entries
// it needs worked out once.
struct PreparedCondition {
  ParsedCondition line;
  int window = 0;  // W: days2, or days1 when days2 is 0
  int needed = 0;  // m: days1 + days2 + the computation's warm-up + 1
  // False when no stock can pass: a number outside the catalogue, a failing warm-up query.
  bool usable = false;
  bool financial = false;
  DayNumber span_first = 0;  // the first day of the span that m trading days take
  bool span_accepted = false;
};

// A condition list applied stock by stock: each stock's series is read once, with the span the
// most demanding condition needs, and every condition sees exactly the entries it would have
// loaded for itself. Shared by the threads of a run; each thread brings its own workspace.
class ConditionPass {
 public:
  struct Workspace {
    ScreeningSeries loaded;
    ScreeningSeries work;
    ScreeningSeriesReader::Buffers buffers;
  };

  ConditionPass(const Lines& conditions, const ScreeningScope& scope);

  // Whether the stock of a catalogue list item passes every condition.
  bool Passes(const std::string& item, Workspace& workspace) const;

 private:
  bool PassesFinancial(const PreparedCondition& condition, int code,
                       std::optional<std::pair<int32_t, int64_t>>& quote,
                       Workspace& workspace) const;
  // The stock's latest close and volume on the pass's date.
  std::pair<int32_t, int64_t> Quote(int code, Workspace& workspace) const;

  // The pass's series for one stock, from the caller's history or the pass's own reader.
  int Load(int code, Workspace& workspace) const;

  ScreeningScope scope_;
  std::vector<PreparedCondition> conditions_;
  std::vector<int32_t> average_prices_;  // by code; empty without holdings
  std::optional<FinancialTable> own_financial_;
  const FinancialTable* financial_ = nullptr;
  const ScreeningHistory* history_ = nullptr;
  std::unique_ptr<ScreeningSeriesReader> reader_;
};

// Prepares one line; `scratch` lends a series to the warm-up query.
PreparedCondition PrepareCondition(std::string_view line, const ScreeningScope& scope,
                                   ScreeningSeries& scratch);

// The most entries a pass of the list reads for a stock; -1 when it reads none.
int MostEntriesNeeded(const Lines& conditions, const ScreeningScope& scope);

}  // namespace varnolt
