#include "screening/condition_set_file.h"

#include <gtest/gtest.h>

#include "base/file_error.h"
#include "base/text_file.h"
#include "store/catalogue.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

TEST(ConditionSetFileTest, SavedWithTheSelectionInLineOneInShiftJisWithCrLf) {
  testing::TempFolder temp;
  const auto path = temp.Path() / "set.ini";
  ConditionSet set;
  set.selection.sector_index = 3;
  set.selection.market_index = 2;
  set.conditions = {"12,7,0: 移動平均線２本が<7>日以内にｺﾞｰﾙﾃﾞﾝｸﾛｽ",
                    "5,0,0: ＰＥＲが[1]以上[20]以下  "};
  WriteConditionSetFile(path, set);

  // "---screening---,3,2" CR LF, then "12,7,0: 移動" in Shift_JIS (0x88DA 0x93AE).
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes.substr(0, 33), "---screening---,3,2\r\n12,7,0: \x88\xda\x93\xae");
  EXPECT_TRUE(bytes.ends_with("  \r\n"));

  const auto read = ReadConditionSetFile(path);
  ASSERT_TRUE(read);
  EXPECT_FALSE(read->selection.checked);
  EXPECT_EQ(read->selection.sector_index, 3);
  EXPECT_EQ(read->selection.market_index, 2);
  EXPECT_EQ(read->conditions, set.conditions);
}

TEST(ConditionSetFileTest, SelectionLines) {
  struct Case {
    std::string line;
    bool checked;
    int sector, market;
    std::string filter;
  };
  const Lines sectors = {"全業種", "水産・農林業", "建設業", "食料品"};
  const Case cases[] = {
      {"---screening---,0,0", false, 0, 0, ""},
      {"---screening---,3,2", false, 3, 2, "●食料品●○東証一部○"},
      {"---screening---,check,◎", true, 0, 0, "◎"},
      {"---screening---,check,◎注目◎", true, 0, 0, "◎注目◎"},
      {"---screening---,check,◎A,B◎", true, 0, 0, "◎A,B◎"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const auto set = ParseConditionSet({c.line, "14,0,0: 基本のRSIが[70]以上"});
    ASSERT_TRUE(set);
    EXPECT_EQ(set->selection.checked, c.checked);
    EXPECT_EQ(set->selection.sector_index, c.sector);
    EXPECT_EQ(set->selection.market_index, c.market);
    EXPECT_EQ(set->selection.Filter(sectors), c.filter);
    EXPECT_EQ(SelectionLine(set->selection), c.line);
    EXPECT_EQ(set->conditions, Lines{"14,0,0: 基本のRSIが[70]以上"});
  }
}

TEST(ConditionSetFileTest, AcceptedWhereverTheMarkStandsAndRefusedWithoutIt) {
  // The mark may stand on any line; line 1 is still the selection and is dropped.
  const auto marked = ParseConditionSet({"---screening---,check,", "a ---screening--- b"});
  ASSERT_TRUE(marked);
  EXPECT_TRUE(marked->selection.checked);
  EXPECT_EQ(marked->conditions, Lines{"a ---screening--- b"});

  EXPECT_FALSE(ParseConditionSet({"12,7,0: 移動平均線２本が<7>日以内にｺﾞｰﾙﾃﾞﾝｸﾛｽ"}));
  EXPECT_FALSE(ParseConditionSet({}));
  EXPECT_FALSE(ParseConditionSet({"--screening--,0,0"}));
  EXPECT_THROW(ParseConditionSet({"---screening---,x,0"}), ConversionError);
}

}  // namespace
}  // namespace varnolt
