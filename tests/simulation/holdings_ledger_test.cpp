#include "simulation/holdings_ledger.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "base/text_codec.h"
#include "support/price_store.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::DayOf;
using testing::PriceStore;
using testing::TempFolder;

TEST(HoldingsLedgerTest, LinesRoundTrip) {
  EXPECT_EQ(HoldingLine({"2004/03/01", "7203", "3500", "100", "200"}),
            "日付【2004/03/01】 銘柄コード【7203】 購入時株価【3500】 購入株数【100】 "
            "調整後株数【200】");
  const std::vector<HoldingFields> cases = {
      {"2004/03/01", "7203", "3500", "100", "200"},
      {"", "1301", "0", "-5", "-5"},
      {"平成16年 春", " 7203", "1", "2", "3"},
      {"", "", "", "", ""},
  };
  for (const HoldingFields& fields : cases) {
    EXPECT_EQ(ParseHoldingLine(HoldingLine(fields)), fields) << HoldingLine(fields);
  }
  // A line cut short keeps the fields it has.
  EXPECT_EQ(ParseHoldingLine("日付【x】 銘柄コード【7203】 購入時株価【12"),
            (HoldingFields{"x", "7203", "", "", ""}));
  EXPECT_EQ(ParseHoldingLine("メモ"), HoldingFields{});
}

TEST(HoldingsLedgerTest, NewAndModifiedFieldsAreChecked) {
  struct Case {
    HoldingFields typed;
    std::optional<HoldingFields> added;
    std::optional<HoldingFields> modified;
  };
  const std::vector<Case> cases = {
      {{"d", "7203", "3500", "100", "200"},
       HoldingFields{"d", "7203", "3500", "100", "200"},
       HoldingFields{"d", "7203", "3500", "100", "200"}},
      // An adjusted count that does not read becomes the shares bought.
      {{"d", "7203", "3500", "100", ""},
       HoldingFields{"d", "7203", "3500", "100", "100"},
       HoldingFields{"d", "7203", "3500", "100", "100"}},
      {{"d", "7203", "3500", "100", "2百"},
       HoldingFields{"d", "7203", "3500", "100", "100"},
       HoldingFields{"d", "7203", "3500", "100", "100"}},
      // Code and price are checked when adding only: in modify mode they cannot be typed.
      {{"d", "ト", "3500", "100", "100"},
       std::nullopt,
       HoldingFields{"d", "ト", "3500", "100", "100"}},
      {{"d", "7203", "3500.5", "100", "100"},
       std::nullopt,
       HoldingFields{"d", "7203", "3500.5", "100", "100"}},
      {{"d", "7203", "3500", "", "100"}, std::nullopt, std::nullopt},
      {{"d", "7203", "3500", "99999999999", "100"}, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    const std::string line = HoldingLine(c.typed);
    EXPECT_EQ(NewHolding(c.typed), c.added) << line;
    EXPECT_EQ(ModifiedHolding(c.typed), c.modified) << line;
  }
}

TEST(HoldingsLedgerTest, LedgerFileRoundTrip) {
  const TempFolder temp;
  const ProgramFolder folder(temp.Path() / "home");
  EXPECT_EQ(LoadHoldings(folder), Lines{});  // no folder, no file: an empty ledger
  const Lines holdings = {HoldingLine({"2004/03/01", "7203", "3500", "100", "200"}),
                          HoldingLine({"", "1301", "250", "1000", "1000"})};
  SaveHoldings(folder, holdings);
  EXPECT_EQ(ReadBytes(folder.DataDir() / "possess.txt"), Utf8ToSjis(JoinLines(holdings)));
  EXPECT_EQ(LoadHoldings(folder), holdings);
}

TEST(HoldingsLedgerTest, ProfitAndLossOfASmallStore) {
  const TempFolder temp;
  PriceStore store(temp.Path());
  store.WriteCatalogue({"1301", "極洋", "●水産・農林業●○東証一部○", "7203", "トヨタ自動車",
                        "●輸送用機器●○東証一部○◎"});
  store.Close(1301, 20040310, 600)
      .Close(1301, 20040311, 620)
      .Close(7203, 20040308, 4000)
      .Close(7203, 20040309, 2100)
      .Split(7203, 20040309, 2.0f)  // 1:2 from 9 March
      .Close(8001, 20040311, 300);
  store.Flush();
  const Lines holdings = {
      HoldingLine({"2004/03/01", "1301", "500", "100", "100"}),
      // Bought before the split: the cost keeps the purchase terms, the value uses the count
      // the user adjusted and today's price.
      HoldingLine({"2004/03/02", "7203", "4000", "100", "200"}),
      HoldingLine({"", "8001", "300", "10", "10"}),     // no gain: ●
      HoldingLine({"", "9984", "5000", "100", "100"}),  // no price: valued at 0
  };
  const Lines report = ProfitAndLossReport(store.Folder(), holdings, DayOf(20040312));
  const std::string dashes(82, '-');
  const Lines expected = {
      dashes,
      "◎[1301] 極洋",
      "   購入額【500円 x 100株 = 50000円】",
      "   評価額【620円 x 100株 = 62000円】",
      "   損　益【12000円】",
      "◎[7203] トヨタ自動車",
      "   購入額【4000円 x 100株 = 400000円】",
      "   評価額【2100円 x 200株 = 420000円】",
      "   損　益【20000円】",
      "●[8001] ",
      "   購入額【300円 x 10株 = 3000円】",
      "   評価額【300円 x 10株 = 3000円】",
      "   損　益【0円】",
      "●[9984] ",
      "   購入額【5000円 x 100株 = 500000円】",
      "   評価額【0円 x 100株 = 0円】",
      "   損　益【-500000円】",
      "",
      dashes,
      "",
      "             総購入額【 953000円 】",
      "             総評価額【 485000円 】",
      "             総 損 益【 -468000円 】",
  };
  EXPECT_EQ(report, expected);
}

TEST(HoldingsLedgerTest, ReportAmountsDoNotWrap) {
  const std::map<int, int32_t> closes = {{1, 3'100'000}};
  const auto close = [&](int code) { return closes.contains(code) ? closes.at(code) : 0; };
  // 3,000,000 yen × 1,000 shares is beyond 32 bits.
  const Lines report =
      ProfitAndLossReport({HoldingLine({"", "1", "3000000", "1000", "1000"})}, {}, close);
  ASSERT_EQ(report.size(), 11u);
  EXPECT_EQ(report[2], "   購入額【3000000円 x 1000株 = 3000000000円】");
  EXPECT_EQ(report[3], "   評価額【3100000円 x 1000株 = 3100000000円】");
  EXPECT_EQ(report[10], "             総 損 益【 100000000円 】");

  // A line whose numbers do not read ends the report as a bad number in a box would.
  EXPECT_THROW(ProfitAndLossReport({"手で書いた行"}, {}, close), ConversionError);
  // Codes the store cannot hold have no price.
  const TempFolder temp;
  const ProgramFolder folder(temp.Path());
  const Lines outside =
      ProfitAndLossReport(folder, {HoldingLine({"", "12345", "10", "1", "1"})}, DayOf(20040312));
  EXPECT_EQ(outside[3], "   評価額【0円 x 1株 = 0円】");
}

}  // namespace
}  // namespace varnolt
