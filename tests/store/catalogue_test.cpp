#include "store/catalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/text_file.h"

namespace varnolt {
namespace {

using Texts = std::vector<std::string>;
using CodeList = std::vector<int>;
using Indexes = std::vector<size_t>;

// Code-line indexes below refer to this catalogue (record k starts at line 3k).
const Lines& Catalogue() {
  // clang-format off
  static const Lines lines = {
      "1301", "極洋",                "●水産・農林業●○東証一部○",            // 0
      "1332", "日本水産",            "●水産・農林業●○東証一部○◎",          // 3
      "1306", "TOPIX連動型上場投信", "●その他●○東証投信○",                  // 6
      "2121", "ミクシィ",            "●情報・通信業●○東証ﾏｻﾞｰｽﾞ○◎注目◎",    // 9
      "7203", "トヨタ自動車",        "●輸送用機器●○東証一部○名証○◎注目◎",  // 12
      "7211", "三菱自動車",          "●輸送用機器●○東証二部○◎長期◎",        // 15
      "7266", "今仙電機",            "●輸送用機器●○名証○",                  // 18
      "8473", "大証の証券会社",      "●証券業●○大証○◎注目株◎",              // 21
      "130A", "新興上場",            "●情報・通信業●○東証ﾏｻﾞｰｽﾞ○",          // 24
  };
  // clang-format on
  return lines;
}

// The codes of list items, in list order; -1 for an item whose code does not read.
CodeList Codes(const Texts& items) {
  CodeList codes;
  for (const auto& item : items) codes.push_back(CodeOfItem(item).value_or(-1));
  return codes;
}

int MarketIndex(const std::string& name) {
  const auto& markets = MarketFilterList();
  for (size_t i = 0; i < markets.size(); ++i) {
    if (markets[i] == name) return static_cast<int>(i);
  }
  ADD_FAILURE() << "no market " << name;
  return 0;
}

int SectorIndex(const Texts& sectors, const std::string& name) {
  for (size_t i = 0; i < sectors.size(); ++i) {
    if (sectors[i] == name) return static_cast<int>(i);
  }
  ADD_FAILURE() << "no sector " << name;
  return 0;
}

// Codes listed for a market name ("" for all markets) and a sector name ("" for all sectors).
CodeList Listed(const std::string& market, const std::string& sector) {
  const auto sectors = SectorFilterList(Catalogue());
  const int m = market.empty() ? 0 : MarketIndex(market);
  const int s = sector.empty() ? 0 : SectorIndex(sectors, sector);
  return Codes(ListRecords(Catalogue(), MarketSectorFilter(m, s, sectors)));
}

TEST(CatalogueTest, ListItemsCarryTheCheckPartWithItsGroup) {
  const Texts items = ListRecords(Catalogue(), "");
  ASSERT_EQ(items.size(), 9u);
  EXPECT_EQ(items[0], "1301 : 極洋");
  EXPECT_EQ(items[1], "1332 : 日本水産◎");
  EXPECT_EQ(items[3], "2121 : ミクシィ◎注目◎");
  EXPECT_EQ(items[4], "7203 : トヨタ自動車◎注目◎");
  EXPECT_EQ(items[7], "8473 : 大証の証券会社◎注目株◎");
  EXPECT_EQ(items[8], "130A : 新興上場");
}

TEST(CatalogueTest, AnIncompleteLastRecordIsLeftOut) {
  Lines lines = Catalogue();
  lines.push_back("9999");
  lines.push_back("途中");
  EXPECT_EQ(ListRecords(lines, ""), ListRecords(Catalogue(), ""));
  EXPECT_EQ(SectorFilterList(lines), SectorFilterList(Catalogue()));
  EXPECT_EQ(CheckGroupList(lines), CheckGroupList(Catalogue()));
}

TEST(CatalogueTest, CheckGroupsAndSectorsInOrderOfFirstAppearance) {
  EXPECT_EQ(CheckGroupList(Catalogue()), (Texts{"全チェック銘柄", "注目", "長期", "注目株"}));
  EXPECT_EQ(SectorFilterList(Catalogue()),
            (Texts{"全業種", "水産・農林業", "その他", "情報・通信業", "輸送用機器", "証券業"}));
  EXPECT_EQ(CheckGroupList({}), Texts{"全チェック銘柄"});
  EXPECT_EQ(SectorFilterList({}), Texts{"全業種"});
}

TEST(CatalogueTest, TokyoWithAllSectorsListsEveryTokyoMarket) {
  EXPECT_EQ(MarketSectorFilter(MarketIndex("東証"), 0, SectorFilterList(Catalogue())), "○東証");
  EXPECT_EQ(Listed("東証", ""), (CodeList{1301, 1332, 1306, 2121, 7203, 7211, -1}));
  EXPECT_EQ(Listed("", "").size(), 9u);
}

TEST(CatalogueTest, ANamedMarketMatchesWhole) {
  EXPECT_EQ(MarketSectorFilter(MarketIndex("東証一部"), 0, {}), "○東証一部○");
  EXPECT_EQ(Listed("東証一部", ""), (CodeList{1301, 1332, 7203}));
  EXPECT_EQ(Listed("東証二部", ""), (CodeList{7211}));
  EXPECT_EQ(Listed("東証ﾏｻﾞｰｽﾞ", ""), (CodeList{2121, -1}));
  EXPECT_EQ(Listed("東証投信", ""), (CodeList{1306}));
  EXPECT_EQ(Listed("大証", ""), (CodeList{8473}));
  // A second market behind the first counts when no sector is chosen.
  EXPECT_EQ(Listed("名証", ""), (CodeList{7203, 7266}));
  EXPECT_EQ(Listed("JASDAQ", ""), CodeList{});
}

TEST(CatalogueTest, WithASectorTheMarketMustDirectlyFollowIt) {
  const auto sectors = SectorFilterList(Catalogue());
  EXPECT_EQ(MarketSectorFilter(MarketIndex("名証"), SectorIndex(sectors, "輸送用機器"), sectors),
            "●輸送用機器●○名証○");
  EXPECT_EQ(MarketSectorFilter(0, SectorIndex(sectors, "輸送用機器"), sectors), "●輸送用機器●");
  EXPECT_EQ(Listed("", "輸送用機器"), (CodeList{7203, 7211, 7266}));
  // 7203's first market is 東証一部; its 名証 stands behind it.
  EXPECT_EQ(Listed("名証", "輸送用機器"), (CodeList{7266}));
  EXPECT_EQ(Listed("東証", "輸送用機器"), (CodeList{7203, 7211}));
  EXPECT_EQ(Listed("東証一部", "水産・農林業"), (CodeList{1301, 1332}));
  EXPECT_EQ(Listed("東証二部", "水産・農林業"), CodeList{});
}

TEST(CatalogueTest, CheckedFilterListsAGroupOrEveryCheckedStock) {
  EXPECT_EQ(CheckedFilter("全チェック銘柄"), "◎");
  EXPECT_EQ(CheckedFilter("注目"), "◎注目◎");
  EXPECT_EQ(ListRecords(Catalogue(), CheckedFilter("全チェック銘柄")),
            (Texts{"1332 : 日本水産◎", "2121 : ミクシィ◎注目◎", "7203 : トヨタ自動車◎注目◎",
                   "7211 : 三菱自動車◎長期◎", "8473 : 大証の証券会社◎注目株◎"}));
  // The group name matches whole: 注目株 is another group.
  EXPECT_EQ(ListRecords(Catalogue(), CheckedFilter("注目")),
            (Texts{"2121 : ミクシィ◎注目◎", "7203 : トヨタ自動車◎注目◎"}));
  EXPECT_EQ(ListRecords(Catalogue(), CheckedFilter("空")), Texts{});
}

TEST(CatalogueTest, FindRecordByCodeComparesWholeLinesIgnoringCase) {
  EXPECT_EQ(FindRecordByCode(Catalogue(), "7203"), 12u);
  EXPECT_EQ(FindRecordByCode(Catalogue(), "1301"), 0u);
  EXPECT_EQ(FindRecordByCode(Catalogue(), "130a"), 24u);
  EXPECT_EQ(FindRecordByCode(Catalogue(), "720"), std::nullopt);
  EXPECT_EQ(FindRecordByCode(Catalogue(), "72031"), std::nullopt);
  EXPECT_EQ(FindRecordByCode(Catalogue(), " 7203"), std::nullopt);
  EXPECT_EQ(FindRecordByCode(Catalogue(), ""), std::nullopt);
  // Every line takes part, not only code lines; only ASCII letters fold.
  EXPECT_EQ(FindRecordByCode(Catalogue(), "topix連動型上場投信"), 7u);
  EXPECT_EQ(FindRecordByCode(Catalogue(), "ＴＯＰＩＸ連動型上場投信"), std::nullopt);
}

TEST(CatalogueTest, NamePrefixLooksOnlyAtNameLines) {
  EXPECT_EQ(FindRecordByNamePrefix(Catalogue(), "トヨタ"), 12u);
  EXPECT_EQ(FindRecordByNamePrefix(Catalogue(), "三菱自動車"), 15u);
  EXPECT_EQ(FindRecordByNamePrefix(Catalogue(), "TOPIX"), 6u);
  EXPECT_EQ(FindRecordByNamePrefix(Catalogue(), ""), 0u);
  EXPECT_EQ(FindRecordByNamePrefix(Catalogue(), "自動車"), std::nullopt);  // not at the start
  EXPECT_EQ(FindRecordByNamePrefix(Catalogue(), "topix"), std::nullopt);   // case counts
  EXPECT_EQ(FindRecordByNamePrefix(Catalogue(), "13"), std::nullopt);      // code lines
  EXPECT_EQ(FindRecordByNamePrefix(Catalogue(), "●"), std::nullopt);       // attribute lines
}

TEST(CatalogueTest, NamePartListsEveryRecordContainingIt) {
  EXPECT_EQ(FindRecordsByNamePart(Catalogue(), "自動車"), (Indexes{12, 15}));
  EXPECT_EQ(FindRecordsByNamePart(Catalogue(), "上場"), (Indexes{6, 24}));
  EXPECT_EQ(FindRecordsByNamePart(Catalogue(), "topix"), Indexes{});
  EXPECT_EQ(FindRecordsByNamePart(Catalogue(), "東証"), Indexes{});  // attribute lines
  EXPECT_EQ(FindRecordsByNamePart(Catalogue(), "7203"), Indexes{});  // code lines
}

TEST(CatalogueTest, CodeOfItemReadsTheTextBeforeTheColon) {
  EXPECT_EQ(CodeOfItem("7203 : トヨタ自動車◎注目◎"), 7203);
  EXPECT_EQ(CodeOfItem("  1301  : 極洋"), 1301);
  EXPECT_EQ(CodeOfItem("9984"), 9984);
  EXPECT_EQ(CodeOfItem("130A : 新興上場"), std::nullopt);
  EXPECT_EQ(CodeOfItem(" : 名前だけ"), std::nullopt);
  EXPECT_EQ(CodeOfItem(""), std::nullopt);
}

// The server's new catalogue: 7211 is gone, 9432 is new, the order has changed.
std::string NewCatalogueText() {
  return JoinLines({"7203", "トヨタ自動車", "●輸送用機器●○東証一部○名証○",  //
                    "9432", "日本電信電話", "●情報・通信業●○東証一部○",     //
                    "1332", "日本水産", "●水産・農林業●○東証一部○",         //
                    "2121", "ミクシィ", "●情報・通信業●○東証ﾏｻﾞｰｽﾞ○"});
}

TEST(CatalogueTest, MergeKeepsTheCheckPartsOfCodesStillListed) {
  const auto merged = MergeCheckParts(Catalogue(), NewCatalogueText());
  ASSERT_TRUE(merged);
  EXPECT_EQ(*merged, (Lines{"7203", "トヨタ自動車", "●輸送用機器●○東証一部○名証○◎注目◎",  //
                            "9432", "日本電信電話", "●情報・通信業●○東証一部○",           //
                            "1332", "日本水産", "●水産・農林業●○東証一部○◎",              //
                            "2121", "ミクシィ", "●情報・通信業●○東証ﾏｻﾞｰｽﾞ○◎注目◎"}));
  // 7211 and its group 長期 are gone.
  EXPECT_EQ(CheckGroupList(*merged), (Texts{"全チェック銘柄", "注目"}));
}

TEST(CatalogueTest, MergeWithoutALocalCatalogueTakesTheNewOneAsItIs) {
  const auto merged = MergeCheckParts(std::nullopt, NewCatalogueText());
  ASSERT_TRUE(merged);
  EXPECT_EQ(merged->size(), 12u);
  EXPECT_EQ(*merged, SplitLines(NewCatalogueText()));
}

TEST(CatalogueTest, MergeRejectsEmptyTextsAndErrorPages) {
  EXPECT_EQ(MergeCheckParts(Catalogue(), ""), std::nullopt);
  EXPECT_EQ(MergeCheckParts(std::nullopt, ""), std::nullopt);
  for (const std::string page : {"<HTML><BODY>404 Not Found</BODY></HTML>",
                                 "<!DOCTYPE html>\r\n<html lang=\"ja\">", "<Html>\r\n<head>"}) {
    EXPECT_EQ(MergeCheckParts(Catalogue(), page), std::nullopt) << page;
    EXPECT_EQ(MergeCheckParts(std::nullopt, page), std::nullopt) << page;
  }
  // An error page anywhere in the text, not only at its start.
  EXPECT_EQ(MergeCheckParts(Catalogue(), NewCatalogueText() + "<html>"), std::nullopt);
}

}  // namespace
}  // namespace varnolt
