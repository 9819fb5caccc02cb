#include "screening/signals.h"

#include <gtest/gtest.h>

#include "base/file_error.h"
#include "base/numbers.h"
#include "series/series_loader.h"
#include "support/random_market.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::DayOf;
using Marks = std::vector<SignalMark>;

constexpr int kCode = 1301;

// Close of the k-th weekday of the store: a saw between 1000 and 1100.
int32_t CloseOf(int k) {
  return 1000 + (k * 37) % 101;
}

// One stock with a price on every weekday from January 2022 to June 2023, high and low 10 yen
// either side of the close. One day trades 50,000 shares, kept in units of 10,000 shares.
class SignalsTest : public ::testing::Test {
 protected:
  static constexpr int32_t kBigVolumeDay = 20230515;

  SignalsTest() {
    store_.WriteCatalogue({"1301", "極洋水産", "●水産・農林業●○東証一部○"});
    int k = 0;
    for (DayNumber day = DayOf(20220103); day <= DayOf(20230630); ++day) {
      if (day % 7 < 2) continue;  // Saturday 0, Sunday 1
      const int32_t compact = DayToCompactInt(day);
      const int32_t close = CloseOf(k++);
      store_.Day(kCode, compact, close, close + 10, close - 10, close,
                 compact == kBigVolumeDay ? -5 : 1000);
    }
    store_.Flush();
    testing::WriteFinanceFile(store_, {{kCode, {0, 0, 0, 0, 0, 1000}}});
  }

  LoadedSeries Load(DataUnit unit = DataUnit::kDay) const {
    LoadedSeries data;
    const LoadRequest request{"20220801", "20230630", "1301", unit, true};
    EXPECT_EQ(LoadSeries(data, request, store_.Folder(), DayOf(20230630)).message, "");
    return data;
  }

  Marks Find(const LoadedSeries& data, const SignalSets& sets) const {
    const SignalScope scope{store_.Folder(), controls_, DayOf(20230630)};
    const Marks marks = FindSignals(data, sets, scope);
    EXPECT_EQ(marks, FindSignalsBarByBar(data, sets, scope));
    return marks;
  }

  // The marks of every displayed bar whose close lies in low..high.
  static Marks CloseMarks(const LoadedSeries& data, int32_t low, int32_t high, int side,
                          int number) {
    Marks marks;
    for (int i = data.first_shown; i <= data.bars.Count(); ++i) {
      const Bar& bar = data.bars[i];
      if (bar.close >= low && bar.close <= high) {
        marks.push_back({i, side, number, side > 0 ? bar.high : bar.low});
      }
    }
    return marks;
  }

  testing::TempFolder temp_;
  testing::PriceStore store_{temp_.Path()};
  ControlValues controls_ = ControlValues::Defaults();
};

TEST_F(SignalsTest, PriceConditionTestsEachBarsOwnCloseFromStoreAndFromTable) {
  const LoadedSeries data = Load();
  // Bars before the 300th take their series from the store, the others from the table.
  ASSERT_LT(data.first_shown, kSignalSeriesLength);
  ASSERT_GT(data.bars.Count(), kSignalSeriesLength + 20);

  const Lines range = {"0,0,0: 現在の終値が[1020]以上[1040]以下"};
  const Marks marks = Find(data, SignalSets{{range}, {}});
  const Marks expected = CloseMarks(data, 1020, 1040, +1, 1);
  EXPECT_EQ(marks, expected);
  EXPECT_TRUE(marks.front().bar < kSignalSeriesLength && marks.back().bar > kSignalSeriesLength);
  // The latest close is outside the range: a test of it would mark no bar at all.
  const int32_t latest = data.bars[data.bars.Count()].close;
  EXPECT_TRUE(latest < 1020 || latest > 1040) << latest;
}

TEST_F(SignalsTest, SetsAreNumberedPerSideAndBothMarksOfABarComeBuyFirst) {
  const LoadedSeries data = Load();
  const Lines always = {"0,0,0: x[0][100000]"};
  const Lines never = {"0,0,0: x[0][1]"};
  const Marks marks = Find(data, SignalSets{{never, always}, {always}});
  ASSERT_EQ(marks.size(), 2u * (data.bars.Count() - data.first_shown + 1));
  for (size_t m = 0; m < marks.size(); m += 2) {
    const int bar = data.first_shown + static_cast<int>(m / 2);
    EXPECT_EQ(marks[m], (SignalMark{bar, +1, 2, data.bars[bar].high}));
    EXPECT_EQ(marks[m + 1], (SignalMark{bar, -1, 1, data.bars[bar].low}));
  }
}

TEST_F(SignalsTest, WhatNeverPasses) {
  const LoadedSeries data = Load();
  const Lines always = {"0,0,0: x[0][100000]"};
  // Without holdings there is no average purchase price, whichever way the test points.
  for (const char* line : {"78,0,0: x[0]", "79,0,0: x[0]", "80,0,0: x[-100000]",
                           "81,0,0: x[-100000]", "99,0,0: not in the catalogue"}) {
    const Lines alone = {line};
    const Lines after = {always[0], line};
    EXPECT_EQ(Find(data, SignalSets{{alone}, {after}}), Marks{}) << line;
  }
  // Weekly bars show no signals, even for a set without conditions.
  const SignalSets any{{Lines{}}, {always}};
  EXPECT_EQ(Find(Load(DataUnit::kWeek), any), Marks{});
  LoadedSeries not_loaded = data;
  not_loaded.loaded = false;
  EXPECT_EQ(Find(not_loaded, any), Marks{});
  // A set without conditions passes at every bar.
  EXPECT_EQ(Find(data, SignalSets{{Lines{}}, {}}).size(),
            static_cast<size_t>(data.bars.Count() - data.first_shown + 1));
}

TEST_F(SignalsTest, VolumeIsCountedInSharesFromTheListsUnit) {
  const LoadedSeries data = Load();
  ASSERT_EQ(data.volume_divisor, 10000);
  // 50,000 shares in units of 1,000 shares.
  const Lines volume = {"2,0,0: x[50][50]"};
  const Marks marks = Find(data, SignalSets{{}, {volume}});
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(data.bars[marks[0].bar].date, kBigVolumeDay);
}

TEST_F(SignalsTest, ListItemsAndSetFiles) {
  EXPECT_EQ(SignalListItem(3, "C:/データ/買い.ini"), "条件3: C:/データ/買い.ini");
  // The path is what follows the first colon, so a drive letter survives.
  EXPECT_EQ(SignalItemPath(SignalListItem(3, "C:/データ/買い.ini")), "C:/データ/買い.ini");
  EXPECT_EQ(SignalItemPath("条件1:  /tmp/a.ini  "), "/tmp/a.ini");
  EXPECT_EQ(SignalItemPath("no colon"), "");

  const auto path = temp_.Path() / "set.ini";
  WriteLines(path, {"---screening---,0,0", "14,0,0: 基本のRSIが[50]以上", "0,0,0: x[1][2]"});
  EXPECT_EQ(ReadSignalSet(path), (Lines{"14,0,0: 基本のRSIが[50]以上", "0,0,0: x[1][2]"}));
  EXPECT_THROW(ReadSignalSet(temp_.Path() / "missing.ini"), FileError);
}

TEST_F(SignalsTest, DiagnosticListingFollowsTheLastBarsSeries) {
  const LoadedSeries data = Load();
  SignalTrace trace;
  const SignalScope scope{store_.Folder(), controls_, DayOf(20230630)};
  const Lines ratio_line = {"8,1,0: x[0]"};
  FindSignals(data, SignalSets{{ratio_line}, {}}, scope, &trace);
  ASSERT_EQ(trace.count, kSignalSeriesLength);
  const Lines lines = SignalTraceListing(data, trace);
  ASSERT_EQ(lines.size(), 2u * kSignalSeriesLength);
  const Bar& last = data.bars[data.bars.Count()];
  const Bar& before = data.bars[data.bars.Count() - 1];
  EXPECT_EQ(lines[lines.size() - 2], std::to_string(last.date) + ":" + std::to_string(last.close));
  // The close ratio to the day before, to a tenth; the other slots as the series held them.
  const float s1 = static_cast<float>(static_cast<double>(last.close) / before.close);
  const double ratio = RoundHalfEven(s1 * 10.0) / 10.0;
  EXPECT_EQ(lines.back().substr(0, lines.back().find('/')), FormatShortest(ratio));
}

// The shared-work search and the bar-by-bar one agree over an invented market: splits, a
// stock with weekend prices, stocks listed only weeks ago, every kind of condition.
TEST(SignalsMarketTest, SharedWorkGivesTheMarksOfBarByBarEvaluation) {
  testing::TempFolder temp;
  testing::PriceStore store(temp.Path());
  const testing::RandomMarket market(store, 5, 12, 20210901, 20230630, 20230705);
  const ControlValues controls = ControlValues::Defaults();
  const SignalScope scope{store.Folder(), controls, DayOf(20230710)};
  const std::vector<SignalSets> groups = {
      {{{"14,0,0: x[45]", "0,0,0: x[100][3000]"}, {"12,5,0: x"}, {"13,5,0: x", "2,0,0: x[0][9e9]"}},
       {{"15,0,0: x[55]"}, {"44,3,0: x", "46,10,0: x"}}},
      {{{"69,9,0: x"}, {"71,0,0: x", "8,5,0: x[1]"}, {"74,20,0: x"}},
       {{"72,0,0: x"}, {"75,20,0: x", "77,10,0: x"}, {"73,0,0: x"}}},
      {{{"16,3,6: x[50]"}, {"23,3,6: x[0]"}, {"39,2,5: x[-50]", "30,0,0: x[20]"}},
       {{"17,3,6: x[50]"}, {"52,3,6: x[0]"}, {"58,2,4: x[0]"}}},
      {{{"24,5,0: x"}, {"26,0,0: x"}, {"28,8,0: x"}, {"32,5,0: x", "34,5,0: x"}},
       {{"25,5,0: x"}, {"27,0,0: x", "29,8,0: x"}, {"33,5,0: x", "35,5,0: x"}}},
      {{{"59,10,0: x"}, {"61,10,0: x"}, {"63,10,0: x"}, {"65,10,0: x"}, {"67,10,0: x"}},
       {{"60,10,0: x"}, {"62,10,0: x"}, {"64,10,0: x"}, {"66,10,0: x"}, {"68,10,0: x"}}},
      {{{"10,10,0: x[1.05]", "82,10,0: x[2]"}, {"18,0,0: x[0]", "20,5,0: x"}, {"40,0,0: x[50]"}},
       {{"11,10,0: x[1.2]", "83,10,0: x[2]"}, {"19,0,0: x[0]", "21,5,0: x"}, {"41,0,0: x[50]"}}},
      {{{"36,0,0: x[-30]", "48,0,0: x[0]"}, {"50,5,0: x"}, {"54,0,0: x[-1][1]"}, {"55,0,0: x[1]"}},
       {{"37,0,0: x[-70]", "49,0,0: x[0]"}, {"51,5,0: x"}, {"56,0,0: x[-1]"}, {"9,5,0: x[1]"}}},
      {{{"5,0,0: x[0][30]", "6,0,0: x[0][3]"}, {"7,0,0: x[0][5]", "3,0,0: x[-5][20]"}},
       {{"1,0,0: x[10000][9000000]"}, {"4,0,0: x[-5][20]", "76,10,0: x"}, {"13,900,0: x"}}},
  };
  for (size_t s = 0; s < market.codes.size(); s += 2) {
    LoadedSeries data;
    const LoadRequest request{"20220601", "20230630", std::to_string(market.codes[s]),
                              DataUnit::kDay, s % 3 != 1};
    if (!LoadSeries(data, request, store.Folder(), DayOf(20230710)).message.empty()) continue;
    for (size_t g = 0; g < groups.size(); ++g) {
      SCOPED_TRACE("stock " + std::to_string(market.codes[s]) + " group " + std::to_string(g));
      EXPECT_EQ(FindSignals(data, groups[g], scope), FindSignalsBarByBar(data, groups[g], scope));
    }
  }
}

}  // namespace
}  // namespace varnolt
