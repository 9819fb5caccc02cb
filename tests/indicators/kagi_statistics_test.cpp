#include "indicators/kagi_statistics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnolt {
namespace {

TEST(KagiStatisticsTest, LengthCountsWholeReversalAmounts) {
  const KagiWidth ten{10, false};
  // 45 is 4.5 amounts: row 4, "40 以上 50 未満"; 38 belongs under 30..40, not 40..50.
  EXPECT_EQ(KagiLength({1000, 1045, 0}, ten), 4);
  EXPECT_EQ(KagiLength({1045, 1000, 0}, ten), 4);
  EXPECT_EQ(KagiLength({1000, 1038, 0}, ten), 3);
  EXPECT_EQ(KagiLength({1000, 1050, 0}, ten), 5);
  EXPECT_EQ(KagiLength({1000, 1000, 0}, ten), 0);
  // A move of 33 is 30 amounts of 1.1, though 33 / 1.1 is a hair under 30 in binary.
  EXPECT_EQ(KagiLength({1000, 1033, 0}, {1.1, false}), 30);
  // Percent of the line's start: 1200 → 1140 is 5 %, one amount of 5.
  EXPECT_EQ(KagiLength({1200, 1140, 0}, {5, true}), 1);
  EXPECT_EQ(KagiLength({1000, 1099, 0}, {5, true}), 1);
  // An amount of zero or below measures nothing.
  EXPECT_LT(KagiLength({1000, 1010, 0}, {0, false}), 0);
  EXPECT_LT(KagiLength({1000, 1010, 0}, {-5, true}), 0);
}

// Lines of a time-axis chart with fixed amount 10. Closed lines 2 and 3 are 45 (4 amounts)
// and 38 (3 amounts); their turning points on bars 10, 14, 18 give two periods of 5 and one
// cycle of 9; line 4 is still open.
const std::vector<KagiLine> kFourLines = {
    {900, 1000, 10}, {1000, 955, 14}, {955, 993, 18}, {993, 900, 25}};

KagiListing TimeAxisListing(const std::vector<KagiLine>& lines, int last_bar, int32_t last_close) {
  KagiListing listing;
  listing.header = "7203 : 会社  日足　　20240104  ～ 20240131 ";
  listing.width = {10, false};
  listing.lines = lines;
  listing.last_bar = last_bar;
  listing.last_close = last_close;
  listing.time_axis = true;
  return listing;
}

TEST(KagiStatisticsTest, TimeAxisListingCountsPeriodsCyclesAndLengths) {
  EXPECT_EQ(KagiStatisticsText(TimeAxisListing(kFourLines, 28, 910), true),
            "7203 : 会社  日足　　20240104  ～ 20240131 \r\n"
            "固定値幅  10\r\n"
            "///　ﾀｲﾑ･ﾋﾟﾘｵﾄﾞの統計\r\n"
            "5　：　2　回　\r\n"
            "///　ﾀｲﾑ･ｻｲｸﾙの統計\r\n"
            "9　：　1　回　\r\n"
            "///　値幅の統計\r\n"
            "0　以上　10　未満　：　0 本　\r\n"
            "10　以上　20　未満　：　0 本　\r\n"
            "20　以上　30　未満　：　0 本　\r\n"
            "30　以上　40　未満　：　1 本　\r\n"
            "40　以上　50　未満　：　1 本　\r\n"
            "///\r\n"
            "総計 ：　2　本\r\n"
            // Bars 18 → 25 for both: with an even number of lines the cycle runs from line 3.
            "現在のカギ足：　993　→　900　値幅　93.00　ﾀｲﾑ･ﾋﾟﾘｵﾄﾞ　8　ﾀｲﾑ･ｻｲｸﾙ　8\r\n"
            // Bars 25 → 28, and 18 → 28 for the cycle that the next turn would close.
            "最新日の逆行：　900　→　910　値幅　10.00　ﾀｲﾑ･ﾋﾟﾘｵﾄﾞ　4　ﾀｲﾑ･ｻｲｸﾙ　11\r\n"
            "\r\n");

  // With an odd number of lines the open cycle runs from line n − 2, the move since from n.
  std::vector<KagiLine> five = kFourLines;
  five.push_back({900, 950, 31});
  const std::string text = KagiStatisticsText(TimeAxisListing(five, 33, 940), true);
  EXPECT_NE(text.find("現在のカギ足：　900　→　950　値幅　50.00　ﾀｲﾑ･ﾋﾟﾘｵﾄﾞ　7　ﾀｲﾑ･ｻｲｸﾙ　14\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("最新日の逆行：　950　→　940　値幅　10.00　ﾀｲﾑ･ﾋﾟﾘｵﾄﾞ　3　ﾀｲﾑ･ｻｲｸﾙ　3\r\n"),
            std::string::npos)
      << text;

  // A last close on the current line's end: no latest-move row.
  const std::string still = KagiStatisticsText(TimeAxisListing(kFourLines, 28, 900), true);
  EXPECT_EQ(still.find("最新日の逆行"), std::string::npos);
  EXPECT_TRUE(still.ends_with("ﾀｲﾑ･ｻｲｸﾙ　8\r\n\r\n"));

  // Only line 1: nothing closed, so no period section, and no bars after the current line.
  const std::vector<KagiLine> one = {{1000, 1000, 5}};
  EXPECT_EQ(KagiStatisticsText(TimeAxisListing(one, 5, 1000), true),
            "7203 : 会社  日足　　20240104  ～ 20240131 \r\n"
            "固定値幅  10\r\n"
            "0　以上　10　未満　：　0 本　\r\n"
            "///\r\n"
            "総計 ：　0　本\r\n"
            "現在のカギ足：　1000　→　1000　値幅　0.00\r\n"
            "\r\n");

  // Unchecked: nothing.
  EXPECT_EQ(KagiStatisticsText(TimeAxisListing(kFourLines, 28, 910), false), "");
}

TEST(KagiStatisticsTest, PercentListingUsesTheAmountRoundedToATenth) {
  KagiListing listing;
  listing.header = "H";
  listing.width = {2.25, true};  // rounds half to even: 2.2
  const std::vector<KagiLine> lines = {{1000, 1050, 3}, {1050, 1000, 5}, {1000, 1033, 7}};
  listing.lines = lines;
  listing.last_bar = 8;
  listing.last_close = 1010;
  // Line 2 is 50 / 1050 = 4.76 %, two amounts of 2.25. The sizes are percent of the first price
  // named: 33 / 1000 and 23 / 1033 = 2.2265 %.
  EXPECT_EQ(KagiStatisticsText(listing, true),
            "H\r\n"
            "パーセント値幅  2.2\r\n"
            "0　以上　2.2　未満　：　0 本　\r\n"
            "2.2　以上　4.4　未満　：　0 本　\r\n"
            "4.4　以上　6.6　未満　：　1 本　\r\n"
            "///\r\n"
            "総計 ：　1　本\r\n"
            "現在のカギ足：　1000　→　1033　値幅　3.30　％\r\n"
            "最新日の逆行：　1033　→　1010　値幅　2.23　％\r\n");

  // Off the time axis a chart of one line writes nothing at all.
  const std::vector<KagiLine> one = {{1000, 1050, 3}};
  listing.lines = one;
  EXPECT_EQ(KagiStatisticsText(listing, true), "");
}

TEST(KagiStatisticsTest, LinesOfMoreThanAThousandAmountsAreTooFineToCount) {
  KagiListing listing;
  listing.width = {1, false};
  listing.last_bar = 9;
  listing.last_close = 2000;

  // 1000 amounts still count, in the last of 1001 rows.
  const std::vector<KagiLine> longest = {{900, 1000, 2}, {1000, 2000, 5}, {2000, 1990, 9}};
  listing.lines = longest;
  const std::string counted = KagiStatisticsText(listing, true);
  EXPECT_NE(counted.find("\r\n1000　以上　1001　未満　：　1 本　\r\n///\r\n"), std::string::npos);

  // 1001 amounts: only the message, checked or not, on either chart.
  const std::vector<KagiLine> too_long = {{900, 1000, 2}, {1000, 2001, 5}, {2001, 1990, 9}};
  listing.lines = too_long;
  for (const bool time_axis : {false, true}) {
    listing.time_axis = time_axis;
    EXPECT_EQ(KagiStatisticsText(listing, true), "間隔が小刻みすぎます。\r\n");
    EXPECT_EQ(KagiStatisticsText(listing, false), "間隔が小刻みすぎます。\r\n");
  }

  // An amount of zero measures no line: too fine as well. The open last line is not measured.
  listing.width = {0, false};
  EXPECT_EQ(KagiStatisticsText(listing, false), "間隔が小刻みすぎます。\r\n");
  const std::vector<KagiLine> open_only = {{900, 1000, 2}, {1000, 5000, 5}};
  listing.lines = open_only;
  listing.width = {1, false};
  EXPECT_EQ(KagiStatisticsText(listing, false), "");
}

}  // namespace
}  // namespace varnolt
