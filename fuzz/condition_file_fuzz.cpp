// Arbitrary bytes as a condition-set file (Shift_JIS). Every line is parsed and, when the file
// is accepted, every condition is evaluated on a fixed screening series: a hand-edited line with
// any number, day counts or numbers must fail or pass, never read outside the series.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "base/controls.h"
#include "base/file_error.h"
#include "base/text_codec.h"
#include "base/text_file.h"
#include "screening/condition_line.h"
#include "screening/condition_set_file.h"
#include "screening/evaluate_condition.h"
#include "screening/financial_condition.h"

using namespace varnolt;

namespace {

constexpr int kEntries = 60;

std::unique_ptr<ScreeningSeries> Prices() {
  auto series = std::make_unique<ScreeningSeries>();
  for (int i = 1; i <= kEntries; ++i) {
    const int32_t close = 500 + (i * 37) % 90 - 45;
    (*series)[i] = {close, close + 5, close - 5, close};
  }
  return series;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ControlValues controls = ControlValues::Defaults();
  static const std::unique_ptr<ScreeningSeries> prices = Prices();
  const Lines lines = SplitLines(SjisToUtf8({reinterpret_cast<const char*>(data), size}));
  std::optional<ConditionSet> set;
  try {
    set = ParseConditionSet(lines);
  } catch (const ConversionError&) {
    return 0;  // a selection line that does not read ends the load, as in the window
  }
  if (!set) return 0;
  ScreeningSeries series = *prices;
  for (const std::string& line : set->conditions) {
    const ParsedCondition c = ParseConditionLine(line);
    const int window = c.days2 == 0 ? c.days1 : c.days2;
    if (c.number >= 0 && c.number <= 7) {
      (void)TestFinancialCondition(c.number, c.num1, c.num2, 1000, 5000, FinancialRecord{});
      continue;
    }
    const int warm_up = ComputeForCondition(c.number, series, 0, c.days1, 0, controls);
    const int64_t needed = int64_t{c.days1} + c.days2 + warm_up + 1;
    if (needed > kEntries || needed < -kEntries) continue;
    (void)EvaluateCondition(c.number, series, kEntries, static_cast<int>(needed), c.num1, c.num2,
                            c.days1, window, 900, controls);
  }
  return 0;
}
