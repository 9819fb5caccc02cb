#include "screening/financial_condition.h"

#include <gtest/gtest.h>

#include <string>

#include "screening/holdings_price.h"

namespace varnolt {
namespace {

TEST(FinancialConditionTest, FiguresBetweenTheNumbers) {
  // dividend, EPS, BPS, ROE, ROA, unit shares
  const FinancialRecord record{30, 100, 500, 8.5f, 4, 100};
  const FinancialRecord no_earnings{30, 0, 0, 8.5f, 4, 0};
  struct Case {
    std::string name;
    int number;
    std::string num1, num2;
    int32_t price;
    int64_t volume;
    std::optional<FinancialRecord> record;
    bool passes;
  };
  const Case cases[] = {
      {"price", 0, "1000", "1000", 1000, 0, std::nullopt, true},  // needs no record
      {"price 0", 0, "-1", "2", 0, 0, record, false},
      {"price x unit", 1, "100000", "100000", 1000, 0, record, true},
      {"volume / unit", 2, "50", "60", 1000, 5500, record, true},
      {"volume / unit 0", 2, "0", "1e9", 1000, 5500, no_earnings, false},
      {"roe at price 0", 3, "8", "9", 0, 0, record, true},
      {"roa without record", 4, "0", "100", 1000, 0, std::nullopt, false},
      {"per", 5, "10", "10", 1000, 0, record, true},
      {"per with eps 0", 5, "-1", "1", 1000, 0, no_earnings, false},
      {"pbr", 6, "1.9", "2.1", 1000, 0, record, true},
      {"pbr with bps 0", 6, "-1", "1", 1000, 0, no_earnings, false},
      {"yield", 7, "3", "3", 1000, 0, record, true},
      {"yield at price 0", 7, "0", "100", 0, 0, record, false},
      {"per of 10.1 in single precision", 5, "0", "10.1", 1010, 0, record, false},
      {"number that does not read", 0, "a", "2000", 1000, 0, record, false},
      {"outside the financial tests", 8, "0", "1", 1000, 0, record, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TestFinancialCondition(c.number, c.num1, c.num2, c.price, c.volume, c.record),
              c.passes);
  }
}

TEST(HoldingsPriceTest, AmountOverSharesRoundedHalfToEven) {
  const Lines holdings = {"1301", "*5000", "*2000", "極洋",    // 2.5 → 2
                          "7203", "*7000", "*2000", "トヨタ",  // 3.5 → 4
                          "8306", "*1000", "*0",    "銀行"};
  EXPECT_EQ(AveragePurchasePrice(holdings, 1301), 2);
  EXPECT_EQ(AveragePurchasePrice(holdings, 7203), 4);
  EXPECT_EQ(AveragePurchasePrice(holdings, 8306), 0);
  EXPECT_EQ(AveragePurchasePrice(holdings, 9999), 0);
  EXPECT_EQ(AveragePurchasePrice({}, 1301), 0);
  EXPECT_EQ(AveragePurchasePrice({"1301", "*5000"}, 1301), 0);
}

// The table of every code's price agrees with the line-by-line search, also where that search
// takes a name or a second holding of the code, or skips a code written with a leading zero.
TEST(HoldingsPriceTest, TableOfAllCodesAgreesWithTheSearch) {
  const std::vector<Lines> lists = {
      {"1301", "*5000", "*2000", "7203",  // a name that reads as a code
       "7203", "*7000", "*2000", "x"},
      {"1301", "*100", "*10", "a", "1301", "*900", "*10", "b"},
      {"0042", "*100", "*10", "a", "42", "*300", "*10", "b", "+7", "*1", "*1", "c"},
      {"0", "*5", "*2", "a", "9999", "*1", "*0", "b", "10000", "*9", "*1", "c", "9999"},
  };
  for (const Lines& holdings : lists) {
    const std::vector<int32_t> prices = AveragePurchasePrices(holdings);
    ASSERT_EQ(prices.size(), 10000u);
    for (int code = 0; code < 10000; ++code) {
      ASSERT_EQ(prices[code], AveragePurchasePrice(holdings, code)) << holdings[0] << " " << code;
    }
  }
}

}  // namespace
}  // namespace varnolt
