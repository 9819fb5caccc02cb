#include "simulation/simulation_job.h"

#include <gtest/gtest.h>

#include "base/file_error.h"
#include "base/messages.h"

namespace varnolt {
namespace {

JobFields Fields() {
  JobFields fields;
  fields.start = "20010104";
  fields.end = "20010615";
  fields.budget = "3000000";
  fields.upper = "1000000";
  fields.lower = "100000";
  fields.over = true;
  fields.buy = {"/d/buy1.ini", "/d/buy2.ini"};
  fields.sell = {"/d/sell.ini"};
  return fields;
}

TEST(SimulationJob, BuildJobRefusesFieldsThatDoNotRead) {
  const struct {
    std::string JobFields::*field;
    const char* text;
    std::string message;
  } cases[] = {
      {&JobFields::start, "2001014", kDateErrorMessage},
      {&JobFields::end, "2001-1-4", kDateErrorMessage},
      {&JobFields::start, "20010230", NotADateMessage("20010230")},
      {&JobFields::budget, "3e6", kNumberErrorMessage},
      {&JobFields::upper, "", kNumberErrorMessage},
      {&JobFields::lower, "99999999999", kNumberErrorMessage},
  };
  for (const auto& c : cases) {
    JobFields fields = Fields();
    fields.*c.field = c.text;
    const BuiltJob job = BuildJob(fields);
    EXPECT_EQ(job.message, c.message) << c.text;
    EXPECT_TRUE(job.lines.empty());
  }
  JobFields no_sell = Fields();
  no_sell.sell.clear();
  EXPECT_EQ(BuildJob(no_sell).message, kNoConditionsMessage);
}

TEST(SimulationJob, LinesReadBackAsTheJob) {
  const BuiltJob built = BuildJob(Fields());
  ASSERT_EQ(built.message, "");
  EXPECT_EQ(built.lines,
            (Lines{"36895,37057,3000000,1000000,100000", "false", "true", "/d/buy1.ini",
                   "/d/buy2.ini", "-buy end-", "/d/sell.ini", "-sell end-"}));
  Lines lines = built.lines;
  lines.push_back("next");
  const SimulationJob job = TakeJob(lines);
  EXPECT_EQ(lines, Lines{"next"});
  EXPECT_EQ(job.start, 36895);
  EXPECT_EQ(job.end, 37057);
  EXPECT_EQ(job.budget, 3000000);
  EXPECT_EQ(job.upper, 1000000);
  EXPECT_EQ(job.lower, 100000);
  EXPECT_FALSE(job.multi);
  EXPECT_TRUE(job.over);
  EXPECT_EQ(job.buy, (std::vector<std::string>{"/d/buy1.ini", "/d/buy2.ini"}));
  EXPECT_EQ(job.sell, std::vector<std::string>{"/d/sell.ini"});

  Lines broken{"36895,x,1,2,3", "false"};
  EXPECT_THROW(TakeJob(broken), ConversionError);
}

TEST(SimulationJob, ReservationsAreNumberedInOrderOfEntry) {
  const Lines job{"1,2,3,4,5", "false", "false", "b", "-buy end-", "s", "-sell end-"};
  Lines memo = AddReservation({"an old report"}, job);
  ASSERT_EQ(memo.size(), 9u);
  EXPECT_EQ(memo.front(), "【予約】");
  EXPECT_EQ(memo.back(), "---以上　予約番号 < 1 >---");
  memo = AddReservation(memo, job);
  EXPECT_EQ(memo.size(), 17u);
  EXPECT_EQ(memo.back(), "---以上　予約番号 < 2 >---");
  // A list edited by hand continues from the last number it shows.
  memo[8] = ReservationSeparator(7);
  memo.pop_back();
  memo.resize(8 + 1);
  EXPECT_EQ(AddReservation(memo, job).back(), "---以上　予約番号 < 8 >---");
  EXPECT_TRUE(IsReservationList(memo));
  EXPECT_FALSE(IsReservationList({"x", "【予約】"}));
}

}  // namespace
}  // namespace varnolt
