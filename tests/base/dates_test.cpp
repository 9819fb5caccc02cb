#include "base/dates.h"

#include <gtest/gtest.h>

namespace varnolt {
namespace {

TEST(StartupStartDateTest, FirstOfTheMonthFiveMonthsBeforeTodaysMonth) {
  const struct {
    const char* today;
    const char* start;
  } cases[] = {
      {"20040615", "20040101"},  // six months within one year
      {"20040601", "20040101"},  // the first of the month counts its month
      {"20040531", "20031201"},  // back across the new year
      {"20040310", "20031001"}, {"20040101", "20030801"},
      {"20041231", "20040701"}, {"20000229", "19990901"},  // a leap day
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.today);
    EXPECT_EQ(StartupStartDate(CompactToDay(c.today)), c.start);
  }
}

}  // namespace
}  // namespace varnolt
