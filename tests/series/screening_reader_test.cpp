#include "series/screening_reader.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/file_error.h"
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
