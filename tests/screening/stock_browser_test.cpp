#include "screening/stock_browser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnolt {
namespace {

// Three records: unchecked, checked without a group, checked in group 水産.
Lines Catalogue() {
  return {"1301", "極洋水産",     "●水産・農林業●○東証一部○",
          "1332", "日本水産",     "●水産・農林業●○東証一部○◎",
          "7203", "トヨタ自動車", "●輸送用機器●○東証一部○◎水産◎",
          "9999", "1301",         "●サービス業●○JASDAQ○"};
}

TEST(StockBrowserTest, ToggleTwiceRestoresTheAttributeLine) {
  struct Case {
    const char* name;
    std::string item;  // as the list shows it
    std::string group;
    size_t line;
    std::string toggled_item;
    std::string toggled_line;
  };
  const Case cases[] = {
      {"unchecked into a group", "1301 : 極洋水産", "水産", 2, "1301 : 極洋水産◎水産◎",
       "●水産・農林業●○東証一部○◎水産◎"},
      {"unchecked, no group", "1301 : 極洋水産", "", 2, "1301 : 極洋水産◎",
       "●水産・農林業●○東証一部○◎"},
      {"checked without group", "1332 : 日本水産◎", "", 5, "1332 : 日本水産",
       "●水産・農林業●○東証一部○"},
      {"grouped, shown bare by a search", "7203 : トヨタ自動車◎", "水産", 8, "7203 : トヨタ自動車",
       "●輸送用機器●○東証一部○"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Lines catalogue = Catalogue();
    const std::string before = catalogue[c.line];
    const std::string once = ToggleCheck(catalogue, c.item, c.group);
    EXPECT_EQ(once, c.toggled_item);
    EXPECT_EQ(catalogue[c.line], c.toggled_line);
    const std::string twice = ToggleCheck(catalogue, once, c.group);
    EXPECT_EQ(catalogue[c.line], before);
    EXPECT_EQ(ToggleCheck(catalogue, twice, c.group), once);
  }
}

TEST(StockBrowserTest, ToggleKeepsOneCheckPartAndSkipsUnknownCodes) {
  Lines catalogue = Catalogue();
  // A stale list shows 1301 unchecked while its record is in a group: one check part remains.
  catalogue[2] += "◎古◎";
  EXPECT_EQ(ToggleCheck(catalogue, "1301 : 極洋水産", "新"), "1301 : 極洋水産◎新◎");
  EXPECT_EQ(catalogue[2], "●水産・農林業●○東証一部○◎新◎");

  // A code without a record changes nothing.
  const Lines before = catalogue;
  EXPECT_EQ(ToggleCheck(catalogue, "4444 : 無い", ""), "4444 : 無い");
  EXPECT_EQ(catalogue, before);
}

TEST(StockBrowserTest, GroupListFollowsTheCatalogue) {
  Lines catalogue = Catalogue();
  // 古い is named by no record; 水産 by one until it is unchecked.
  const std::vector<std::string> shown = {"全チェック銘柄", "水産", "古い"};
  EXPECT_EQ(UpdateGroupList(shown, catalogue, ""),
            (std::vector<std::string>{"全チェック銘柄", "水産"}));
  ToggleCheck(catalogue, "7203 : トヨタ自動車◎水産◎", "");
  EXPECT_EQ(UpdateGroupList(shown, catalogue, ""), (std::vector<std::string>{"全チェック銘柄"}));
  EXPECT_EQ(UpdateGroupList({"全チェック銘柄", "水産"}, Catalogue(), "新"),
            (std::vector<std::string>{"全チェック銘柄", "水産", "新"}));
  EXPECT_EQ(UpdateGroupList({"全チェック銘柄", "水産"}, Catalogue(), "水産"),
            (std::vector<std::string>{"全チェック銘柄", "水産"}));
}

TEST(StockBrowserTest, SearchByCodeOrNamePart) {
  const Lines catalogue = Catalogue();
  struct Case {
    std::string text;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {"7203", {"7203 : トヨタ自動車◎"}},  // the group is not shown
      {"水産", {"1301 : 極洋水産", "1332 : 日本水産◎"}},
      {"1301", {"1301 : 極洋水産"}},  // the code, not the name "1301" of 9999
      {"4444", {}},
      {"自動車", {"7203 : トヨタ自動車◎"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SearchStocks(catalogue, c.text), c.items);
  }
}

}  // namespace
}  // namespace varnolt
