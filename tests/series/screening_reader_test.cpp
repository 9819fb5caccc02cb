#include "series/screening_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "base/file_error.h"
#include "series/latest_price.h"
#include "series/screening_history.h"
#include "series/screening_loader.h"
#include "store/year_file.h"
#include "support/random_market.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::DayOf;

// The reader gives what LoadScreeningSeries gives, stock by stock, for spans across a year
// boundary, with and without restating splits (also splits after the end), for a stock with
// weekend prices, stocks listed weeks ago and codes without prices.
TEST(ScreeningSeriesReaderTest, SameEntriesAsLoadingEachStockAlone) {
  testing::TempFolder temp;
  testing::PriceStore store(temp.Path());
  const testing::RandomMarket market(store, 7, 40, 20190601, 20230630, 20230705);
  auto expected = std::make_unique<ScreeningSeries>();
  auto loaded = std::make_unique<ScreeningSeries>();
  auto buffers = std::make_unique<ScreeningSeriesReader::Buffers>();
  struct Case {
    int count;
    bool adjust;
    int32_t end, today;
  };
  const Case cases[] = {{30, true, 20230630, 20230710},   {300, true, 20230625, 20230710},
                        {300, false, 20230630, 20230710}, {908, true, 20230630, 20230630},
                        {0, true, 20230630, 20230710},    {909, true, 20230630, 20230710},
                        {120, true, 20230110, 20230710},  {200, true, 20221220, 20240110}};
  for (const Case& c : cases) {
    const ScreeningSeriesReader reader(store.Folder(), c.count, c.adjust, DayOf(c.end),
                                       DayOf(c.today));
    for (int code : market.codes) {
      SCOPED_TRACE(std::to_string(c.count) + " " + std::to_string(c.end) + " " +
                   std::to_string(code));
      const int n = LoadScreeningSeries(store.Folder(), code, c.count, c.adjust, DayOf(c.end),
                                        DayOf(c.today), *expected);
      ASSERT_EQ(reader.Load(code, *loaded, *buffers), n);
      for (int i = 1; i <= n; ++i) {
        ASSERT_EQ((*loaded)[i].open, (*expected)[i].open) << i;
        ASSERT_EQ((*loaded)[i].high, (*expected)[i].high) << i;
        ASSERT_EQ((*loaded)[i].low, (*expected)[i].low) << i;
        ASSERT_EQ((*loaded)[i].close, (*expected)[i].close) << i;
        if (i > 1) {
          ASSERT_LT(buffers->days[i - 1], buffers->days[i]);
        }
      }
      if (n > 0) {
        EXPECT_LE(buffers->days[n], DayOf(c.end));
      }
      if (code == market.codes[5] && c.count == 908) {
        EXPECT_EQ(n, kScreeningCapacity);  // weekend prices: more closes than the series holds
      }
    }
  }
}

// A history read once gives, for every end day of its period, the entries the reader gives for
// that day and LatestPrice's quote: across a year boundary, with splits inside the period and after
// it (restated or not), with end days before and after the local date, and for a longer count than
// the reader's only older entries in front.
TEST(ScreeningSeriesReaderTest, HistoryGivesTheReadersEntriesForEveryEndDay) {
  testing::TempFolder temp;
  testing::PriceStore store(temp.Path());
  const testing::RandomMarket market(store, 5, 30, 20210601, 20230630, 20240205);
  auto expected = std::make_unique<ScreeningSeries>();
  auto loaded = std::make_unique<ScreeningSeries>();
  auto buffers = std::make_unique<ScreeningSeriesReader::Buffers>();
  struct Case {
    int history_count, reader_count;
    bool adjust;
    int32_t first_end, last_end, today;
  };
  const Case cases[] = {{40, 40, true, 20221201, 20230210, 20240301},
                        {60, 25, true, 20221201, 20230210, 20240301},
                        {40, 40, false, 20221201, 20230210, 20240301},
                        {700, 700, true, 20230515, 20230630, 20230601}};
  for (const Case& c : cases) {
    const ScreeningHistory history(store.Folder(), c.history_count, c.adjust, DayOf(c.first_end),
                                   DayOf(c.last_end), DayOf(c.today));
    ASSERT_TRUE(history.Serves(c.reader_count, c.adjust, DayOf(c.last_end), DayOf(c.today)));
    for (DayNumber end = DayOf(c.first_end); end <= DayOf(c.last_end); ++end) {
      const ScreeningSeriesReader reader(store.Folder(), c.reader_count, c.adjust, end,
                                         DayOf(c.today));
      for (int code : market.codes) {
        SCOPED_TRACE(std::to_string(c.history_count) + " " + std::to_string(end) + " " +
                     std::to_string(code));
        const int n = reader.Load(code, *expected, *buffers);
        const std::vector<DayNumber> days(buffers->days.begin() + 1, buffers->days.begin() + n + 1);
        const int m = history.Load(code, end, *loaded, *buffers);
        ASSERT_GE(m, n);
        for (int i = 1; i <= n; ++i) {
          const ScreeningEntry& a = (*loaded)[m - n + i];
          const ScreeningEntry& b = (*expected)[i];
          ASSERT_EQ(buffers->days[m - n + i], days[i - 1]) << i;
          ASSERT_EQ(std::tie(a.open, a.high, a.low, a.close),
                    std::tie(b.open, b.high, b.low, b.close))
              << i;
        }
        if (c.history_count == c.reader_count) {
          ASSERT_EQ(m, n);
        }
        const std::optional<LatestQuote> quote = history.Quote(code, end, buffers->slot);
        ASSERT_EQ(quote.has_value(), c.adjust);
        if (quote) {
          const LatestQuote latest = LatestPrice(store.Folder(), code, end, DayOf(c.today));
          ASSERT_EQ(std::tie(quote->close, quote->open, quote->volume, quote->date),
                    std::tie(latest.close, latest.open, latest.volume, latest.date));
        }
      }
    }
  }
}

TEST(ScreeningSeriesReaderTest, ACodeWithoutSlotGetsOneAndADamagedFileIsReported) {
  testing::TempFolder temp;
  testing::PriceStore store(temp.Path());
  store.Close(1301, 20230105, 100).Flush();
  const auto path = store.Folder().YearFile(2023);
  auto series = std::make_unique<ScreeningSeries>();
  auto buffers = std::make_unique<ScreeningSeriesReader::Buffers>();
  {
    const ScreeningSeriesReader reader(store.Folder(), 10, true, DayOf(20230110), DayOf(20230110));
    EXPECT_EQ(reader.Load(1301, *series, *buffers), 1);
    EXPECT_EQ(reader.Load(1332, *series, *buffers), 0);
    EXPECT_EQ(reader.Load(1332, *series, *buffers), 0);
  }
  // Like every reader, the lookup allocated one empty slot for the code.
  const uint64_t before = std::filesystem::file_size(path);
  EXPECT_EQ(before, kDirectoryBytes + 2 * kSlotBytes);
  EXPECT_EQ(FindOrAllocateSlot(path, 1332), kDirectoryBytes + kSlotBytes);

  std::filesystem::resize_file(path, kDirectoryBytes + kSlotBytes);
  const ScreeningSeriesReader reader(store.Folder(), 10, true, DayOf(20230110), DayOf(20230110));
  EXPECT_THROW(reader.Load(1301, *series, *buffers), FileError);
  EXPECT_EQ(std::filesystem::file_size(path), kDirectoryBytes + kSlotBytes);  // left alone
}

}  // namespace
}  // namespace varnolt
