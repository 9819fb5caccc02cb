#include "screening/financial_condition.h"

#include "base/numbers.h"

namespace varnolt {

bool FinancialConditionNeedsPrice(int number) {
  return number != 3 && number != 4;
}

bool FinancialConditionNeedsRecord(int number) {
  return number != 0;
}

bool TestFinancialCondition(int number, std::string_view num1, std::string_view num2, int32_t price,
                            int64_t volume, const std::optional<FinancialRecord>& record) {
  if (number < 0 || number > 7) return false;
  if (FinancialConditionNeedsPrice(number) && price == 0) return false;
  if (FinancialConditionNeedsRecord(number) && !record) return false;
  const double p = price;
  double figure = 0;
  switch (number) {
    case 0:
      figure = p;
      break;
    case 1:
      figure = p * record->unit_shares;
      break;
    case 2:
      if (record->unit_shares == 0) return false;
      figure = static_cast<double>(volume) / record->unit_shares;
      break;
    case 3:
      figure = record->roe;
      break;
    case 4:
      figure = record->roa;
      break;
    case 5:
      if (record->earnings == 0) return false;
      figure = p / record->earnings;
      break;
    case 6:
      if (record->book_value == 0) return false;
      figure = p / record->book_value;
      break;
    case 7:
      figure = record->dividend / p * 100;
      break;
  }
  const float x = static_cast<float>(figure);
  const std::optional<double> low = ParseDecimal(num1);
  const std::optional<double> high = ParseDecimal(num2);
  return low && high && *low <= x && x <= *high;
}

}  // namespace varnolt
