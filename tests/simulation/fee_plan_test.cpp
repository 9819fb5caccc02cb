#include "simulation/fee_plan.h"

#include <gtest/gtest.h>

#include "base/text_file.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

TEST(FeePlan, FeeOfTakesTheFirstRowThatCoversTheAmount) {
  ChargeTexts texts = DefaultChargeTexts();
  texts[8] = "x";  // row 5's threshold does not read: 0, so the row never matches
  texts[9] = "1";
  const FeeSchedule schedule = ScheduleOf(texts);
  const struct {
    int64_t amount, fee;
  } cases[] = {{1, 472},       {200000, 472},   {200001, 472},   {600000, 840},
               {1000000, 840}, {1000001, 1575}, {3000001, 1575}, {100000000, 1575}};
  for (const auto& c : cases) EXPECT_EQ(FeeOf(schedule, c.amount), c.fee) << c.amount;
}

TEST(FeePlan, EachPlanChargesItsOwnWay) {
  const FeeSchedule schedule = ScheduleOf(DefaultChargeTexts());
  const std::vector<int64_t> day{150000, 600000};
  EXPECT_EQ(MakeFeePlan(0, schedule)->DayFee(day), 472 + 840);
  EXPECT_EQ(MakeFeePlan(1, schedule)->DayFee(day), 840);
  EXPECT_EQ(MakeFeePlan(2, schedule)->DayFee(day), std::nullopt);
  EXPECT_EQ(MakeFeePlan(0, schedule)->MonthlyFee(), std::nullopt);
  EXPECT_EQ(MakeFeePlan(1, schedule)->MonthlyFee(), std::nullopt);
  EXPECT_EQ(MakeFeePlan(2, schedule)->MonthlyFee(), 1575);
  EXPECT_EQ(MakeFeePlan(7, schedule)->DayFee(day), 472 + 840);
}

TEST(FeePlan, ChargeFileKeepsTheThirteenTexts) {
  testing::TempFolder temp;
  const auto path = temp.Path() / "charge.ini";
  ChargeTexts texts = DefaultChargeTexts();
  ReadChargeFile(path, texts);  // no file: the texts stay
  EXPECT_EQ(texts, DefaultChargeTexts());

  texts[0] = "30";
  texts[10] = "５";
  WriteChargeFile(path, texts);
  EXPECT_EQ(ReadBytes(path).substr(0, 11), "30\r\n472\r\n50");
  ChargeTexts read{};
  ReadChargeFile(path, read);
  EXPECT_EQ(read, texts);

  // A short file sets only the lines it has.
  WriteLines(path, {"10", "100"});
  ReadChargeFile(path, read);
  EXPECT_EQ(read[0], "10");
  EXPECT_EQ(read[1], "100");
  EXPECT_EQ(read[2], "50");
}

}  // namespace
}  // namespace varnolt
