#include "screening/condition_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "screening/condition_catalogue.h"

namespace varnolt {
namespace {

TEST(ConditionCatalogueTest, EightyFourTextsWithTheTrailingBlanksOfTheFinancialTests) {
  for (int n = 0; n < kConditionCount; ++n) {
    const std::string_view text = ConditionText(n);
    SCOPED_TRACE(n);
    ASSERT_FALSE(text.empty());
    // A condition line is split at "," and ":", so no text may hold either.
    EXPECT_EQ(text.find(','), std::string_view::npos);
    EXPECT_EQ(text.find(':'), std::string_view::npos);
    const size_t blanks = text.size() - text.find_last_not_of(' ') - 1;
    EXPECT_EQ(blanks, n >= 3 && n <= 5 ? 2u : n == 6 || n == 7 ? 3u : 0u);
  }
  EXPECT_TRUE(ConditionText(-1).empty());
  EXPECT_TRUE(ConditionText(84).empty());
  EXPECT_EQ(ConditionText(12), "移動平均線２本が（日数 1）以内にｺﾞｰﾙﾃﾞﾝｸﾛｽ");
  EXPECT_EQ(ConditionText(83), "現在の終値が直近の（日数 1）間の最高値より（数値 1）％以上下落");
}

TEST(ConditionCatalogueTest, DisplayOrderListsEveryNumberOnceWithThePriceTestsFirst) {
  const auto order = ScreeningDisplayOrder();
  ASSERT_EQ(order.size(), 84u);
  EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), 84u);
  const std::vector<int> head(order.begin(), order.begin() + 17);
  EXPECT_EQ(head, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 82, 83, 78, 79, 80, 81, 10}));
  EXPECT_EQ(order.back(), 77);
}

struct AddCase {
  int number;
  ConditionEntries entries;
  std::string line;
  std::string_view message;
};

TEST(AddConditionLineTest, FillsPlaceholdersOrNamesTheEntryThatDoesNotRead) {
  const AddCase cases[] = {
      {12, {"1", "2", "7", "7"}, "12,7,0: 移動平均線２本が<7>日以内にｺﾞｰﾙﾃﾞﾝｸﾛｽ", {}},
      {16, {"30", "2", "5", "3"}, "16,5,3: RSIが[30]のﾗｲﾝを<5>日以上維持し、<3>日以内に割った", {}},
      // Entries are stored trimmed and as typed, not reformatted.
      {0, {" 100 ", "2.50", "x", "y"}, "0,0,0: 現在の終値が[100]以上[2.50]以下", {}},
      {7, {"3", "5", "7", "7"}, "7,0,0: 配当利回りが[3]%以上[5]%以下   ", {}},
      {8, {"1.1", "2", "20", "7"}, "8,20,0: 現在の終値/<20>日前の終値　が[1.1]以上", {}},
      {26, {"", "", "", ""}, "26,0,0: DMIの「ADX」が「ADXR」より上", {}},
      // The first entry that does not read decides the message: number 1, days 1, number 2.
      {0, {"abc", "2", "7", "7"}, "", kNumberEntryMessage},
      {0, {"1", "", "7", "7"}, "", kNumberEntryMessage},
      {16, {"30", "2", "0", "3"}, "", kDaysEntryMessage},
      {16, {"30", "2", "-2", "3"}, "", kDaysEntryMessage},
      {16, {"30", "2", "1.5", "3"}, "", kDaysEntryMessage},
      {16, {"30", "2", "5", ""}, "", kDaysEntryMessage},
      {16, {"", "2", "x", "3"}, "", kNumberEntryMessage},
      {82, {"1,000", "2", "7", "7"}, "", kNumberEntryMessage},
  };
  for (const AddCase& c : cases) {
    SCOPED_TRACE(c.number);
    const AddedCondition added = AddConditionLine(c.number, ConditionText(c.number), c.entries);
    EXPECT_EQ(added.line, c.line);
    EXPECT_EQ(added.message, c.message);
  }
}

TEST(ParseConditionLineTest, EveryCatalogueEntryReadsBackAsEntered) {
  const ConditionEntries entries{"-1.5", "250", "12", "3"};
  for (int n = 0; n < kConditionCount; ++n) {
    SCOPED_TRACE(n);
    const std::string text(ConditionText(n));
    const AddedCondition added = AddConditionLine(n, text, entries);
    ASSERT_TRUE(added.message.empty());
    const ParsedCondition parsed = ParseConditionLine(added.line);
    EXPECT_EQ(parsed.number, n);
    const bool has_days1 = text.find("（日数 1）") != std::string::npos;
    const bool has_days2 = text.find("（日数 2）") != std::string::npos;
    EXPECT_EQ(parsed.days1, has_days1 ? 12 : 0);
    EXPECT_EQ(parsed.days2, has_days2 ? 3 : 0);
    const bool has_num1 = text.find("（数値 1）") != std::string::npos;
    const bool has_num2 = text.find("（数値 2）") != std::string::npos;
    EXPECT_EQ(parsed.num1, has_num1 ? "-1.5" : "");
    EXPECT_EQ(parsed.num2, has_num2 ? "250" : "");
  }
}

TEST(ParseConditionLineTest, HandEditedLines) {
  struct Case {
    std::string_view line;
    int number, days1, days2;
    std::string num1, num2;
  };
  const Case cases[] = {
      {"54,0,0: ﾎﾞﾘﾝｼﾞｬｰﾊﾞﾝﾄが偏差[ -1 ]以上[1]以下", 54, 0, 0, "-1", "1"},
      {"5,0,0", 5, 0, 0, "", ""},
      {"14,0,0: RSIが[30以上", 14, 0, 0, "30以上", ""},
      // Fields that do not read as whole numbers make a condition no stock passes.
      {"x,0,0: text", -1, 0, 0, "", ""},
      {"12,seven,0: text", -1, 0, 0, "", ""},
      {"", -1, 0, 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const ParsedCondition parsed = ParseConditionLine(c.line);
    EXPECT_EQ(parsed.number, c.number);
    EXPECT_EQ(parsed.days1, c.days1);
    EXPECT_EQ(parsed.days2, c.days2);
    EXPECT_EQ(parsed.num1, c.num1);
    EXPECT_EQ(parsed.num2, c.num2);
  }
}

}  // namespace
}  // namespace varnolt
