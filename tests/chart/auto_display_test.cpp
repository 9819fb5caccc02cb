#include "chart/auto_display.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace varnolt {
namespace {

class AutoDisplayTest : public ::testing::Test {
 protected:
  testing::TempFolder temp_;
  ProgramFolder folder_{temp_.Path()};

  Lines Names(int n) const { return ReadLines(PatternNamesFile(folder_, n)); }
  Lines Records(int n) const { return ReadLines(PatternRecordsFile(folder_, n)); }
};

TEST_F(AutoDisplayTest, MemoriseRefusesEmptyRecordsAndNamesInUse) {
  EXPECT_EQ(MemoriseWarning(1, ""), "基本表示の操作をまだ何も行っていません");
  EXPECT_EQ(MemoriseWarning(2, ""), "基本表示等の操作をまだ何も行っていません");
  EXPECT_EQ(MemoriseWarning(2, "1,1,1,10,"), "");

  // No installed files: the lists start empty and the first pattern makes both files.
  EXPECT_TRUE(LoadPatternNames(folder_, 2).empty());
  PatternChange change = MemorisePattern(folder_, 2, {}, "Trend A", "1,1,3,10,");
  EXPECT_EQ(change.message, "");
  EXPECT_EQ(change.names, Lines{"Trend A"});
  EXPECT_EQ(LoadPatternNames(folder_, 2), Lines{"Trend A"});
  EXPECT_EQ(Records(2), Lines{"1,1,3,10,"});
  EXPECT_FALSE(std::filesystem::exists(PatternNamesFile(folder_, 1)));

  for (const char* same : {"Trend A", "trend a", "TREND A"}) {
    change = MemorisePattern(folder_, 2, {"Trend A"}, same, "3,0,3,10,");
    EXPECT_EQ(change.message, "同名では記憶できません") << same;
    EXPECT_EQ(Names(2), Lines{"Trend A"});
    EXPECT_EQ(Records(2), Lines{"1,1,3,10,"});
  }
  // Full-width letters are other names; Japanese names compare exactly.
  change = MemorisePattern(folder_, 2, {"Trend A"}, "ｔrend A", "3,0,3,10,");
  EXPECT_EQ(change.names.size(), 2u);
}

TEST_F(AutoDisplayTest, NamesAndRecordsStayPairedByLine) {
  Lines names;
  for (int i = 0; i < 5; ++i) {
    names = MemorisePattern(folder_, 1, names, "p" + std::to_string(i),
                            "1," + std::to_string(i) + ",1,10,")
                .names;
  }
  EXPECT_EQ(DeleteWarning(0), "「ローソク足・出来高・取組高」は削除できません");
  EXPECT_EQ(DeleteWarning(3), "");
  names = DeletePattern(folder_, 1, names, 3).names;
  EXPECT_EQ(names, (Lines{"p0", "p1", "p2", "p4"}));
  EXPECT_EQ(Names(1), names);
  EXPECT_EQ(Records(1), (Lines{"1,0,1,10,", "1,1,1,10,", "1,2,1,10,", "1,4,1,10,"}));
  EXPECT_EQ(PatternRecord(folder_, 1, 3), "1,4,1,10,");
  EXPECT_EQ(PatternRecord(folder_, 1, 4), "");
  EXPECT_EQ(PatternRecord(folder_, 1, -1), "");

  // A record file that lost lines (or kept extra ones) is brought to the names before a new
  // pattern goes in, so the new name and its record share a line.
  WriteLines(PatternRecordsFile(folder_, 1), {"1,0,1,10,"});
  names = MemorisePattern(folder_, 1, names, "p5", "4,2,1,3,").names;
  EXPECT_EQ(Records(1), (Lines{"1,0,1,10,", "", "", "", "4,2,1,3,"}));
  WriteLines(PatternRecordsFile(folder_, 1), Lines(9, "x"));
  names = MemorisePattern(folder_, 1, names, "p6", "3,1,1,10,").names;
  EXPECT_EQ(Records(1).size(), names.size());
  EXPECT_EQ(PatternRecord(folder_, 1, 5), "3,1,1,10,");
  // Deleting beyond the lists changes nothing; deleting where the record is missing drops the name.
  EXPECT_EQ(DeletePattern(folder_, 1, names, 9).names, names);
}

}  // namespace
}  // namespace varnolt
