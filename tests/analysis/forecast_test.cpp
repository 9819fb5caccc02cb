#include "analysis/forecast.h"

#include <gtest/gtest.h>

#include "analysis/analysis_test_data.h"
#include "base/file_error.h"
#include "base/messages.h"

namespace varnolt {
namespace {

// The last two of the sixty days (Thursday 26 and Friday 27 March 2026) with their list lines.
ForecastTable LastDays() {
  const DataSet data = testing::SixtyDays();
  ForecastTable table;
  for (int i = 59; i <= 60; ++i) {
    table.bars.Append(data.bars[i]);
    table.lines.push_back(std::to_string(data.bars[i].date) + " , 1000");
  }
  return table;
}

// Friday 20 March 2026 is the Vernal Equinox Day; the week after the last bar has none.
const HolidayList kHolidays({"2026/03/20", "2026/03/31"});

TEST(Forecast, RoundTripOfTwoValues) {
  ForecastTable table = LastDays();
  ASSERT_EQ(AppendForecasts(table, "1050, 1080", DataUnit::kDay, 1, kHolidays), "");
  ASSERT_EQ(table.bars.Count(), 4);
  // Monday 30 March, then Wednesday 1 April past the holiday on the 31st.
  EXPECT_EQ(table.bars[3], (Bar{20260330, 1050, 1050, 1050, 1050, 0, 0}));
  EXPECT_EQ(table.bars[4], (Bar{20260401, 1080, 1080, 1080, 1080, 0, 0}));
  EXPECT_EQ(table.lines[2], "20260330 ,      1050 ,      1050 ,      1050 ,      1050 (予測値)");
  EXPECT_EQ(table.lines[3].substr(0, 8), "20260401");

  // The dialog offers the values again without spaces; new values replace the old bars.
  EXPECT_EQ(RemoveForecasts(table), "1050,1080");
  EXPECT_EQ(table.bars.Count(), 2);
  EXPECT_EQ(table.lines.size(), 2u);
  ASSERT_EQ(AppendForecasts(table, "1100", DataUnit::kDay, 1, kHolidays), "");
  EXPECT_EQ(table.bars.Count(), 3);
  EXPECT_EQ(table.bars[3].close, 1100);
  EXPECT_EQ(RemoveForecasts(table), "1100");
  EXPECT_EQ(RemoveForecasts(table), "");
  EXPECT_EQ(table.bars.Count(), 2);
}

TEST(Forecast, DataTwoLinesAndWeeklyDates) {
  ForecastTable table = LastDays();
  ASSERT_EQ(AppendForecasts(table, " 1050.5 ", DataUnit::kWeek, 2, kHolidays), "");
  // Halves round to even; the line keeps the decimals.
  EXPECT_EQ(table.bars[3].close, 1050);
  EXPECT_EQ(table.bars[3].date, 20260330);
  EXPECT_EQ(table.lines[2], "20260330 , 1050.5 , 1050.5 , 1050.5 , 1050.5 , 予測値");
}

TEST(Forecast, RefusedInputChangesNothing) {
  ForecastTable full = LastDays();
  while (full.bars.Count() < kMaxBars - 1) full.bars.Append(full.bars[1]);
  const ForecastTable before = full;
  EXPECT_EQ(AppendForecasts(full, "1,2", DataUnit::kDay, 1, kHolidays), kTooManyForecastsMessage);
  EXPECT_EQ(full.bars.Count(), before.bars.Count());
  EXPECT_EQ(AppendForecasts(full, "1", DataUnit::kDay, 1, kHolidays), "");
  EXPECT_EQ(full.bars.Count(), kMaxBars);

  ForecastTable table = LastDays();
  EXPECT_THROW(AppendForecasts(table, "1050,10x0", DataUnit::kDay, 1, kHolidays), ConversionError);
  EXPECT_THROW(AppendForecasts(table, "1050,", DataUnit::kDay, 1, kHolidays), ConversionError);
  EXPECT_EQ(table.bars.Count(), 2);
  EXPECT_EQ(table.lines.size(), 2u);
  EXPECT_EQ(AppendForecasts(table, "  ", DataUnit::kDay, 1, kHolidays), "");
  EXPECT_EQ(table.bars.Count(), 2);
}

}  // namespace
}  // namespace varnolt
