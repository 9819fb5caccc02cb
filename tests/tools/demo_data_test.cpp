#include "demo/demo_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "base/text_codec.h"
#include "base/text_file.h"
#include "demo/code_bands.h"
#include "series/calendar.h"
#include "store/day_record.h"
#include "support/temp_folder.h"

namespace varnolt::demo {
namespace {

namespace fs = std::filesystem;

constexpr int kFirstYear = 2019;
constexpr int kLastYear = 2021;
constexpr int32_t kToday = 20210915;

DemoOptions SmallOptions(uint32_t seed) {
  DemoOptions options;
  options.seed = seed;
  options.stock_count = 20;
  options.first_year = kFirstYear;
  options.last_year = kLastYear;
  options.today = kToday;
  return options;
}

// One small folder generated once and shared by the tests that only read it.
class SmallFolder {
 public:
  SmallFolder()
      : root_(temp_.Path() / "demo"), summary_(GenerateDemoFolder(root_, SmallOptions(7))) {}
  const fs::path& Root() const { return root_; }
  const DemoSummary& Summary() const { return summary_; }

 private:
  testing::TempFolder temp_;
  fs::path root_;
  DemoSummary summary_;
};

const SmallFolder& Small() {
  static const SmallFolder folder;
  return folder;
}

uint32_t Word(const std::string& bytes, size_t offset) {
  return static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1])
                                                         << 8;
}

float FloatAt(const std::string& bytes, size_t offset) {
  uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = bits << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return std::bit_cast<float>(bits);
}

struct Day {
  DayNumber date;
  DayRecord record;
};

// Every non-empty record of the store by code, in date order; the files' layout is checked on
// the way (size, directory entries within the slot count and distinct).
std::map<int, std::vector<Day>> ReadStore(const fs::path& root) {
  std::map<int, std::vector<Day>> store;
  for (int year = kFirstYear; year <= kLastYear; ++year) {
    const fs::path path = root / "data" / (std::to_string(year) + ".kbk");
    const std::string bytes = ReadBytes(path);
    const uint32_t count = Word(bytes, 0);
    EXPECT_EQ(bytes.size(), 20002 + 8760 * static_cast<size_t>(count)) << year;
    std::set<uint32_t> slots;
    for (int code = 0; code < 10000; ++code) {
      const uint32_t slot = Word(bytes, 2 + 2 * code);
      if (slot == 0) continue;
      EXPECT_LE(slot, count) << year << " " << code;
      EXPECT_TRUE(slots.insert(slot).second) << year << " " << code;
      if (slot > count) continue;
      for (int d = 0; d < 365; ++d) {
        DayRecord record;
        const size_t at = 20002 + 8760 * static_cast<size_t>(slot - 1) + 24 * d;
        DecodeRecord(reinterpret_cast<const unsigned char*>(bytes.data()) + at, record);
        if (record == DayRecord{}) continue;
        store[code].push_back({DayFromCivil(year, 1, 1) + d, record});
      }
    }
    EXPECT_EQ(slots.size(), count) << year;
  }
  return store;
}

// The exchange's price steps.
int32_t Tick(int32_t price) {
  if (price <= 3000) return 1;
  if (price <= 5000) return 5;
  if (price <= 30000) return 10;
  if (price <= 50000) return 50;
  if (price <= 300000) return 100;
  if (price <= 500000) return 500;
  if (price <= 3000000) return 1000;
  if (price <= 5000000) return 5000;
  return 10000;
}

std::map<fs::path, std::string> AllFiles(const fs::path& root) {
  std::map<fs::path, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), root)] = ReadBytes(entry.path());
  }
  return files;
}

const std::set<std::string> kSectors = {"水産・農林業",
                                        "鉱業",
                                        "建設業",
                                        "食料品",
                                        "繊維製品",
                                        "パルプ・紙",
                                        "化学",
                                        "医薬品",
                                        "石油・石炭製品",
                                        "ゴム製品",
                                        "ガラス・土石製品",
                                        "鉄鋼",
                                        "非鉄金属",
                                        "金属製品",
                                        "機械",
                                        "電気機器",
                                        "輸送用機器",
                                        "精密機器",
                                        "その他製品",
                                        "電気・ガス業",
                                        "陸運業",
                                        "海運業",
                                        "空運業",
                                        "倉庫・運輸関連業",
                                        "情報・通信業",
                                        "卸売業",
                                        "小売業",
                                        "銀行業",
                                        "証券・商品先物取引業",
                                        "保険業",
                                        "その他金融業",
                                        "不動産業",
                                        "サービス業"};

// Markets a stock can be listed on: the market filter list without its two collective entries.
const std::set<std::string> kMarkets = {"東証一部", "東証二部",  "東証ﾏｻﾞｰｽﾞ", "東証投信",
                                        "大証",     "名証",      "JASDAQ",     "札証",
                                        "福証",     "ヘラクレス"};

TEST(DemoDataTest, SameSeedGivesIdenticalFilesAnotherSeedDiffers) {
  testing::TempFolder temp;
  GenerateDemoFolder(temp.Path() / "again", SmallOptions(7));
  GenerateDemoFolder(temp.Path() / "other", SmallOptions(8));
  const auto first = AllFiles(Small().Root());
  const auto again = AllFiles(temp.Path() / "again");
  const auto other = AllFiles(temp.Path() / "other");
  // codedata.txt, holidays.txt, three years, finance.dat and the six installed files.
  ASSERT_EQ(first.size(), 12u);
  EXPECT_TRUE(first == again);
  EXPECT_NE(first.at("codedata.txt"), other.at("codedata.txt"));
  EXPECT_NE(first.at(fs::path("data") / "2020.kbk"), other.at(fs::path("data") / "2020.kbk"));
  EXPECT_EQ(first.at("holidays.txt"), other.at("holidays.txt"));
}

TEST(DemoDataTest, CatalogueFileHasThreeLineRecordsWithValidAttributes) {
  const std::string bytes = ReadBytes(Small().Root() / "codedata.txt");
  const std::vector<DemoStock> stocks = DemoCatalogue(7, 20);
  // Shift_JIS that reads back to exactly the exported catalogue: nothing was lost in encoding.
  EXPECT_EQ(SjisToUtf8(bytes), JoinLines(CatalogueLines(stocks)));

  const Lines lines = SplitLines(SjisToUtf8(bytes));
  ASSERT_EQ(lines.size(), 3 * 20u);
  std::set<int> codes;
  std::set<std::string> names;
  int checked = 0, grouped = 0;
  for (size_t k = 0; k < lines.size(); k += 3) {
    const std::string& code = lines[k];
    ASSERT_EQ(code.size(), 4u) << code;
    ASSERT_TRUE(IsAllDigits(code)) << code;
    EXPECT_TRUE(codes.insert(std::stoi(code)).second) << code;
    EXPECT_FALSE(lines[k + 1].empty());
    EXPECT_TRUE(names.insert(lines[k + 1]).second) << lines[k + 1];

    const std::string& attributes = lines[k + 2];
    const std::string kBlack = "●", kWhite = "○";
    ASSERT_EQ(attributes.rfind(kBlack, 0), 0u) << attributes;
    const size_t sector_end = attributes.find(kBlack, kBlack.size());
    ASSERT_NE(sector_end, std::string::npos) << attributes;
    EXPECT_TRUE(kSectors.count(attributes.substr(kBlack.size(), sector_end - kBlack.size())))
        << attributes;
    const size_t market_start = sector_end + kBlack.size();
    ASSERT_EQ(attributes.compare(market_start, kWhite.size(), kWhite), 0) << attributes;
    const size_t market_end = attributes.find(kWhite, market_start + kWhite.size());
    ASSERT_NE(market_end, std::string::npos) << attributes;
    EXPECT_TRUE(kMarkets.count(
        attributes.substr(market_start + kWhite.size(), market_end - market_start - kWhite.size())))
        << attributes;
    const std::string check = attributes.substr(market_end + kWhite.size());
    EXPECT_TRUE(check.empty() || check == "◎" || check == "◎注目◎") << attributes;
    checked += check == "◎";
    grouped += check == "◎注目◎";
  }
  EXPECT_GE(checked, 1);
  EXPECT_GE(grouped, 1);
  for (int anchor : kAnchorCodes) EXPECT_TRUE(codes.count(anchor)) << anchor;
}

TEST(DemoDataTest, FullCatalogueSpreadsOverSectorsMarketsAndCodeRange) {
  const std::vector<DemoStock> stocks = DemoCatalogue(1, 400);
  ASSERT_EQ(stocks.size(), 400u);
  std::set<int> codes, thousands;
  std::set<std::string> names, sectors, markets;
  for (const DemoStock& stock : stocks) {
    EXPECT_GE(stock.code, 1301);
    EXPECT_LE(stock.code, 9997);
    codes.insert(stock.code);
    thousands.insert(stock.code / 1000);
    names.insert(stock.name);
    sectors.insert(stock.sector);
    markets.insert(stock.market);
  }
  EXPECT_EQ(codes.size(), 400u);
  EXPECT_EQ(names.size(), 400u);
  EXPECT_EQ(sectors, kSectors);
  EXPECT_EQ(thousands, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  for (const std::string& market : markets) EXPECT_TRUE(kMarkets.count(market)) << market;
  EXPECT_GE(markets.size(), 8u);
  for (int anchor : kAnchorCodes) EXPECT_TRUE(codes.count(anchor)) << anchor;
}

// Catalogues past what the busiest bands hold send their extra stocks to bands with free codes.
TEST(DemoDataTest, LargeCataloguesFitTheCodeBands) {
  for (int count : {4000, kMaxDemoStocks}) {
    const std::vector<DemoStock> stocks = DemoCatalogue(3, count);
    std::set<int> codes;
    for (const DemoStock& stock : stocks) {
      codes.insert(stock.code);
      EXPECT_EQ(stock.sector, CodeBands()[BandOf(stock.code)].sector);
    }
    EXPECT_EQ(codes.size(), static_cast<size_t>(count));
    for (int anchor : kAnchorCodes) EXPECT_TRUE(codes.count(anchor)) << anchor;
  }
}

TEST(DemoDataTest, PricesAreConsistentOnTradingDaysOnly) {
  const auto store = ReadStore(Small().Root());
  const HolidayList holidays = LoadHolidayList(Small().Root() / "holidays.txt");
  ASSERT_FALSE(holidays.Empty());
  const DayNumber today = CompactToDay(std::to_string(kToday));
  std::vector<DayNumber> trading_days;
  for (DayNumber d = DayFromCivil(kFirstYear, 1, 1); d <= today; ++d) {
    if (IsTradingDay(d, holidays)) trading_days.push_back(d);
  }

  int64_t records = 0;
  std::set<int> catalogue;
  for (const DemoStock& stock : DemoCatalogue(7, 20)) catalogue.insert(stock.code);
  for (const auto& [code, days] : store) {
    EXPECT_TRUE(catalogue.count(code)) << code;
    for (const Day& day : days) {
      const DayRecord& r = day.record;
      const std::string where = std::to_string(code) + " " + DayToSlash(day.date);
      ++records;
      ASSERT_GT(r.close, 0) << where;  // no record with prices but no close
      EXPECT_TRUE(IsTradingDay(day.date, holidays)) << where;
      EXPECT_LE(day.date, today) << where;
      EXPECT_GT(r.low, 0) << where;
      EXPECT_LE(r.low, std::min(r.open, r.close)) << where;
      EXPECT_GE(r.high, std::max(r.open, r.close)) << where;
      for (int32_t price : {r.open, r.high, r.low, r.close}) {
        EXPECT_EQ(price % Tick(price), 0) << where << " " << price;
      }
      EXPECT_NE(r.volume, 0) << where;
      EXPECT_LT(r.volume, 1000000000) << where;  // ten digits are stored in units of 10,000
    }
  }
  EXPECT_EQ(records, Small().Summary().rows);

  // The anchors trade on every trading day of the range.
  for (int anchor : kAnchorCodes) {
    ASSERT_TRUE(store.count(anchor)) << anchor;
    std::vector<DayNumber> dates;
    for (const Day& day : store.at(anchor)) dates.push_back(day.date);
    EXPECT_EQ(dates, trading_days) << anchor;
  }
}

TEST(DemoDataTest, StoreHoldsSplitsMergesAndLongVolumes) {
  const auto store = ReadStore(Small().Root());
  int splits = 0, merges = 0, long_volumes = 0;
  for (const auto& [code, days] : store) {
    for (size_t i = 0; i < days.size(); ++i) {
      const DayRecord& r = days[i].record;
      long_volumes += r.volume < 0;
      if (r.split == 0) continue;
      splits += r.split > 1;
      merges += r.split < 1;
      // Prices from the day on are divided by the factor: the adjusted series does not jump.
      ASSERT_GT(i, 0u) << code;
      const double adjusted_previous = days[i - 1].record.close / r.split;
      EXPECT_NEAR(r.open / adjusted_previous, 1.0, 0.25) << code << " " << DayToSlash(days[i].date);
    }
  }
  EXPECT_GE(splits, 1);
  EXPECT_GE(merges, 1);
  EXPECT_GE(long_volumes, 1);
}

TEST(DemoDataTest, FinanceFileIndexesFiguresThatFitThePrices) {
  const std::string bytes = ReadBytes(Small().Root() / "data" / "finance.dat");
  ASSERT_GE(bytes.size(), 20002u);
  ASSERT_EQ((bytes.size() - 20002) % 24, 0u);
  const size_t record_count = (bytes.size() - 20002) / 24;
  const auto store = ReadStore(Small().Root());
  std::set<int> catalogue;
  for (const DemoStock& stock : DemoCatalogue(7, 20)) catalogue.insert(stock.code);

  std::set<uint32_t> numbers;
  int without = 0;
  for (int code = 0; code < 10000; ++code) {
    const uint32_t number = Word(bytes, 2 + 2 * code);
    if (!catalogue.count(code)) {
      EXPECT_EQ(number, 0u) << code;
      continue;
    }
    if (number == 0) {
      ++without;
      EXPECT_EQ(std::count(kAnchorCodes.begin(), kAnchorCodes.end(), code), 0) << code;
      continue;
    }
    ASSERT_LE(number, record_count) << code;
    EXPECT_TRUE(numbers.insert(number).second) << code;
    const size_t at = 20002 + 24 * static_cast<size_t>(number - 1);
    const double dividend = FloatAt(bytes, at), eps = FloatAt(bytes, at + 4),
                 bps = FloatAt(bytes, at + 8), roe = FloatAt(bytes, at + 12),
                 roa = FloatAt(bytes, at + 16), unit = FloatAt(bytes, at + 20);
    const double price = store.at(code).back().record.close;
    EXPECT_TRUE(unit == 100 || unit == 1000) << code << " " << unit;
    EXPECT_GT(roe, 0) << code;
    EXPECT_GT(roa, 0) << code;
    EXPECT_LE(roa, roe) << code;
    EXPECT_GT(eps, 0) << code;
    EXPECT_GT(bps, 0) << code;
    EXPECT_GE(price / eps, 5 * 0.99) << code;
    EXPECT_LE(price / eps, 40 * 1.01) << code;
    EXPECT_GE(price / bps, 0.5 * 0.99) << code;
    EXPECT_LE(price / bps, 5 * 1.01) << code;
    EXPECT_GE(dividend, 0) << code;
    EXPECT_LE(dividend / price * 100, 5.0 + 1e-6) << code;
  }
  EXPECT_EQ(numbers.size(), record_count);
  EXPECT_GE(without, 1);
  EXPECT_LE(without, 5);
}

TEST(DemoDataTest, RefusesAFolderThatHoldsFiles) {
  testing::TempFolder temp;
  WriteLines(temp.Path() / "memo.txt", {"keep"});
  EXPECT_THROW(GenerateDemoFolder(temp.Path(), SmallOptions(1)), FileError);
  EXPECT_EQ(ReadLines(temp.Path() / "memo.txt"), Lines{"keep"});
  EXPECT_FALSE(fs::exists(temp.Path() / "codedata.txt"));
  EXPECT_FALSE(fs::exists(temp.Path() / "data"));
}

TEST(DemoDataTest, RejectsInvalidOptions) {
  testing::TempFolder temp;
  DemoOptions bad_date = SmallOptions(1);
  bad_date.today = 20210231;
  EXPECT_THROW(GenerateDemoFolder(temp.Path() / "a", bad_date), std::invalid_argument);
  DemoOptions too_few = SmallOptions(1);
  too_few.stock_count = static_cast<int>(kAnchorCodes.size()) - 1;
  EXPECT_THROW(GenerateDemoFolder(temp.Path() / "b", too_few), std::invalid_argument);
  DemoOptions before = SmallOptions(1);
  before.today = 20181231;
  EXPECT_THROW(GenerateDemoFolder(temp.Path() / "c", before), std::invalid_argument);
  EXPECT_TRUE(fs::is_empty(temp.Path()));
}

}  // namespace
}  // namespace varnolt::demo
