#include "series/unit_shift.h"

#include <gtest/gtest.h>

#include <string>

namespace varnolt {
namespace {

constexpr const char* kBadStart = "はじめの日を正しく入力して下さい";
constexpr const char* kBadEnd = "終わりの日を正しく入力して下さい";
constexpr const char* kBadPlus = "加える単位数を正しく入力して下さい";
constexpr const char* kBadShift = "シフトする単位数を正しく入力して下さい";

void ExpectRefused(const DateBoxes& result, const DateBoxes& boxes, const char* message) {
  EXPECT_EQ(result.message, message);
  EXPECT_EQ(result.start, boxes.start);
  EXPECT_EQ(result.end, boxes.end);
}

TEST(UnitShiftTest, RefusesInputsThatDoNotConvert) {
  const DateBoxes good{"20040315", "20040620", ""};
  const DateBoxes bad_start{"20040230", "20040620", ""};
  const DateBoxes bad_end{"20040315", "abc", ""};
  const DateBoxes both_bad{"", "2004063", ""};
  const char* bad_counts[] = {"0", "-1", "abc", "", "1.5", "99999999999"};

  for (const DataUnit unit : {DataUnit::kDay, DataUnit::kMonth}) {
    ExpectRefused(EndAfterUnits(bad_start, "100", unit), bad_start, kBadStart);
    ExpectRefused(ShiftLater(bad_start, "100", unit), bad_start, kBadStart);
    ExpectRefused(ShiftEarlier(bad_start, "100", unit), bad_start, kBadStart);
    ExpectRefused(ShiftLater(both_bad, "x", unit), both_bad, kBadStart);
    ExpectRefused(ShiftLater(bad_end, "100", unit), bad_end, kBadEnd);
    ExpectRefused(ShiftEarlier(bad_end, "x", unit), bad_end, kBadEnd);
    for (const char* count : bad_counts) {
      SCOPED_TRACE(count);
      ExpectRefused(EndAfterUnits(good, count, unit), good, kBadPlus);
      ExpectRefused(ShiftLater(good, count, unit), good, kBadShift);
      ExpectRefused(ShiftEarlier(good, count, unit), good, kBadShift);
    }
  }
  // "単位目の日" needs no end date.
  const DateBoxes result = EndAfterUnits(bad_end, "1", DataUnit::kMonth);
  EXPECT_EQ(result.message, "");
  EXPECT_EQ(result.end, "20040331");
}

TEST(UnitShiftTest, EndAfterUnitsCountsPeriodsFromTheStart) {
  const struct {
    DataUnit unit;
    const char* count;
    const char* end;
  } cases[] = {
      {DataUnit::kDay, "100", "20040622"}, {DataUnit::kDay, "1", "20040315"},
      {DataUnit::kWeek, "1", "20040319"},  {DataUnit::kWeek, "100", "20060210"},
      {DataUnit::kMonth, "3", "20040531"}, {DataUnit::kQuarter, "2", "20040630"},
      {DataUnit::kYear, "1", "20041231"},  {DataUnit::kYear, "100", "21031231"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.count) + " unit " + std::to_string(static_cast<int>(c.unit)));
    const DateBoxes result = EndAfterUnits({"20040315", "20040401", ""}, c.count, c.unit);
    EXPECT_EQ(result.message, "");
    EXPECT_EQ(result.start, "20040315");
    EXPECT_EQ(result.end, c.end);
  }
}

TEST(UnitShiftTest, ShiftsMoveBothDatesToWholePeriods) {
  const DateBoxes boxes{"20040315", "20040620", ""};  // a Monday and a Sunday
  const struct {
    DataUnit unit;
    const char* count;
    const char* later_start;
    const char* later_end;
    const char* earlier_start;
    const char* earlier_end;
  } cases[] = {
      {DataUnit::kDay, "1", "20040316", "20040621", "20040314", "20040619"},
      {DataUnit::kWeek, "1", "20040322", "20040702", "20040308", "20040618"},
      {DataUnit::kMonth, "1", "20040401", "20040731", "20040201", "20040531"},
      {DataUnit::kQuarter, "1", "20040401", "20040930", "20031001", "20040331"},
      {DataUnit::kYear, "1", "20050101", "20051231", "20030101", "20031231"},
      {DataUnit::kMonth, "3", "20040601", "20040930", "20031201", "20040331"},
      {DataUnit::kDay, "100", "20040623", "20040928", "20031206", "20040312"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.count) + " unit " + std::to_string(static_cast<int>(c.unit)));
    const DateBoxes later = ShiftLater(boxes, c.count, c.unit);
    EXPECT_EQ(later.message, "");
    EXPECT_EQ(later.start, c.later_start);
    EXPECT_EQ(later.end, c.later_end);
    const DateBoxes earlier = ShiftEarlier(boxes, c.count, c.unit);
    EXPECT_EQ(earlier.message, "");
    EXPECT_EQ(earlier.start, c.earlier_start);
    EXPECT_EQ(earlier.end, c.earlier_end);
  }
}

TEST(UnitShiftTest, CountsThatLeaveTheFourDigitYearsAreRefused) {
  const DateBoxes boxes{"20040315", "20040620", ""};
  ExpectRefused(EndAfterUnits(boxes, "8000", DataUnit::kYear), boxes, kBadPlus);
  ExpectRefused(EndAfterUnits(boxes, "1000000", DataUnit::kQuarter), boxes, kBadPlus);
  ExpectRefused(ShiftLater(boxes, "1000000", DataUnit::kYear), boxes, kBadShift);
  ExpectRefused(ShiftLater(boxes, "7996", DataUnit::kYear), boxes, kBadShift);
  ExpectRefused(ShiftEarlier(boxes, "1005", DataUnit::kYear), boxes, kBadShift);
  ExpectRefused(ShiftEarlier(boxes, "1000000", DataUnit::kMonth), boxes, kBadShift);

  // The last shifts that stay within the compact dates still work.
  const DateBoxes latest = ShiftLater(boxes, "7995", DataUnit::kYear);
  EXPECT_EQ(latest.message, "");
  EXPECT_EQ(latest.end, "99991231");
  const DateBoxes earliest = ShiftEarlier(boxes, "1004", DataUnit::kYear);
  EXPECT_EQ(earliest.message, "");
  EXPECT_EQ(earliest.start, "10000101");
}

}  // namespace
}  // namespace varnolt
