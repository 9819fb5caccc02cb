#include "net/reply.h"

#include <gtest/gtest.h>

namespace varnolt {
namespace {

TEST(Reply, PlainFileNames) {
  for (const char* good : {"h20050131.dat", "2004_1.dat", "r-extra.dat", "A.b_c-d", "x"}) {
    EXPECT_TRUE(IsPlainFileName(good)) << good;
  }
  for (const char* bad : {"", ".", "..", "../x.dat", "a/b.dat", "a\\b.dat", ".hidden", "a..b",
                          "a b.dat", "C:x", "名前.dat", "x\r", "a\tb"}) {
    EXPECT_FALSE(IsPlainFileName(bad)) << bad;
  }
  EXPECT_TRUE(IsPlainFileName(std::string(64, 'a')));
  EXPECT_FALSE(IsPlainFileName(std::string(65, 'a')));
}

TEST(Reply, ErrorPagesAndEmptyRepliesAreInvalid) {
  EXPECT_TRUE(IsValidReply("<webtime>\r\n2024/01/05 10:00:00"));
  for (const char* bad : {"", "<html><body>404</body></html>", "x<HTML>", "<Html lang=ja>"}) {
    EXPECT_FALSE(IsValidReply(bad)) << bad;
  }
}

TEST(Reply, DayOfName) {
  const DayNumber day = DayFromCivil(2005, 1, 31);
  const std::pair<const char*, DayNumber> cases[] = {{"h20050131.dat", day},
                                                     {"d20050131.dat", day},
                                                     {"r20050131.dat", 0},
                                                     {"h20050131.csv", 0},
                                                     {"H20050131.dat", 0},
                                                     {"d20050230.dat", 0},
                                                     {"d2005013.dat", 0},
                                                     {"d200501311.dat", 0},
                                                     {"d2005-131.dat", 0},
                                                     {"", 0},
                                                     {"d20240229.dat", DayFromCivil(2024, 2, 29)}};
  for (const auto& [name, expected] : cases) EXPECT_EQ(DayOfName(name), expected) << name;
}

TEST(Reply, Listings) {
  using Names = std::vector<std::string>;
  const std::pair<const char*, std::optional<Names>> cases[] = {
      {"<dir>\r\nh20050131.dat\r\nd20050201.dat\r\n</dir>\r\n",
       Names{"h20050131.dat", "d20050201.dat"}},
      {"junk\n<DIR>\nr1.dat\n\n</Dir>\ntrailer", Names{"r1.dat"}},
      {"<dir>\r\n</dir>", Names{}},
      {"<dir>\r\nh20050131.dat\r\n", std::nullopt},
      {"h20050131.dat\r\n</dir>", std::nullopt},
      {"</dir>\r\n<dir>\r\nx.dat", std::nullopt},
      {"<dir>\r\n../../data/2004.kbk\r\n</dir>", std::nullopt},
      {"<dir>\r\nok.dat\r\nsub/evil.dat\r\n</dir>", std::nullopt},
      {"<html><body>error</body></html>", std::nullopt},
      {"", std::nullopt}};
  for (const auto& [reply, expected] : cases) EXPECT_EQ(ParseListing(reply), expected) << reply;
}

TEST(Reply, YearLines) {
  const std::pair<const char*, std::optional<YearLine>> cases[] = {
      {"2004.dat,5", YearLine{2004, 5}},
      {" 2004.dat , 5 ", YearLine{2004, 5}},
      {"1999.dat,1000", YearLine{1999, 1000}},
      {"2004.dat,1001", std::nullopt},
      {"2004.dat,0", std::nullopt},
      {"2004.dat,-1", std::nullopt},
      {"2004.dat,99999999999", std::nullopt},
      {"2004.dat,", std::nullopt},
      {"2004.dat", std::nullopt},
      {"../2004.dat,2", std::nullopt},
      {"2004.kbk,2", std::nullopt},
      {"04.dat,2", std::nullopt}};
  for (const auto& [line, expected] : cases) EXPECT_EQ(ParseYearLine(line), expected) << line;
}

TEST(Reply, YearLists) {
  const auto kbk2 = ParseYearList("2005/01/31\r\n2004.dat,5\r\n\r\n2005.dat,1\r\n", true);
  ASSERT_TRUE(kbk2);
  EXPECT_EQ(kbk2->last_day, DayFromCivil(2005, 1, 31));
  EXPECT_EQ(kbk2->years, (std::vector<YearLine>{{2004, 5}, {2005, 1}}));
  const auto kbk1 = ParseYearList("2000.dat,3\n2001.dat,4\n", false);
  ASSERT_TRUE(kbk1);
  EXPECT_EQ(kbk1->years.size(), 2u);
  EXPECT_FALSE(ParseYearList("2005/02/30\r\n2004.dat,5", true));
  EXPECT_FALSE(ParseYearList("2005/01/31\r\n2004.dat,5\r\nbogus", true));
  EXPECT_FALSE(ParseYearList("", true));
  EXPECT_FALSE(ParseYearList("0005/01/31\r\n2004.dat,1\r\n", true));  // no year this store holds
  EXPECT_EQ(PartName(2004, 3), "2004_3.dat");
}

}  // namespace
}  // namespace varnolt
