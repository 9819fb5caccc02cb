#include "store/financial_data.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::TempFolder;

void Put16(std::string& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

void PutFloat(std::string& bytes, float value) {
  const uint32_t bits = std::bit_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(bits >> shift & 0xFF);
}

// finance.dat as the server writes it: 10001 little-endian words (word c + 1 holds the record
// number of code c), then 24-byte records of six little-endian floats.
std::string FinanceFile(const std::map<int, uint16_t>& index,
                        const std::vector<FinancialRecord>& records) {
  std::string bytes(20002, '\0');
  for (const auto& [code, number] : index) Put16(bytes, 2 + 2 * code, number);
  for (const FinancialRecord& r : records) {
    for (float f : {r.dividend, r.earnings, r.book_value, r.roe, r.roa, r.unit_shares}) {
      PutFloat(bytes, f);
    }
  }
  return bytes;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Same(const FinancialRecord& a, const FinancialRecord& b) {
  return a.dividend == b.dividend && a.earnings == b.earnings && a.book_value == b.book_value &&
         a.roe == b.roe && a.roa == b.roa && a.unit_shares == b.unit_shares;
}

const FinancialRecord kFishery{6.25f, 31.5f, 402.75f, 7.8125f, 2.5f, 1000};
const FinancialRecord kMotors{65, 250, 2000, 12.5f, 4.75f, 100};
const FinancialRecord kLast{0.5f, -3, 150, -2, -1.25f, 99.9f};

class FinancialDataTest : public ::testing::Test {
 protected:
  std::filesystem::path FinancePath() const { return folder_.Path() / "finance.dat"; }
  TempFolder folder_;
};

TEST_F(FinancialDataTest, ReadsTheRecordTheIndexNames) {
  // Record numbers deliberately out of code order.
  WriteFile(FinancePath(),
            FinanceFile({{1301, 2}, {7203, 1}, {0, 3}, {9999, 2}}, {kMotors, kFishery, kLast}));
  const auto motors = ReadFinancialRecord(folder_.Path(), 7203);
  ASSERT_TRUE(motors);
  EXPECT_TRUE(Same(*motors, kMotors));
  const auto fishery = ReadFinancialRecord(folder_.Path(), 1301);
  ASSERT_TRUE(fishery);
  EXPECT_TRUE(Same(*fishery, kFishery));
  // Code 0 is word 1 (offset 2), code 9999 word 10000 (offset 20000).
  const auto first = ReadFinancialRecord(folder_.Path(), 0);
  ASSERT_TRUE(first);
  EXPECT_TRUE(Same(*first, kLast));
  const auto last = ReadFinancialRecord(folder_.Path(), 9999);
  ASSERT_TRUE(last);
  EXPECT_TRUE(Same(*last, kFishery));
}

TEST_F(FinancialDataTest, IndexWordZeroMeansNoRecord) {
  // Word 0 is not an index entry: a number there belongs to no code.
  std::string bytes = FinanceFile({{7203, 1}}, {kMotors});
  Put16(bytes, 0, 1);
  WriteFile(FinancePath(), bytes);
  EXPECT_EQ(ReadFinancialRecord(folder_.Path(), 0), std::nullopt);
  EXPECT_EQ(ReadFinancialRecord(folder_.Path(), 1301), std::nullopt);
  EXPECT_EQ(ReadFinancialRecord(folder_.Path(), 7202), std::nullopt);
  EXPECT_EQ(ReadFinancialRecord(folder_.Path(), 7204), std::nullopt);
  EXPECT_TRUE(ReadFinancialRecord(folder_.Path(), 7203));
}

TEST_F(FinancialDataTest, MissingOrDamagedFilesAreFileErrors) {
  EXPECT_THROW(ReadFinancialRecord(folder_.Path(), 7203), FileError);

  // The index names record 3 of 2.
  WriteFile(FinancePath(), FinanceFile({{7203, 3}, {1301, 2}}, {kMotors, kFishery}));
  EXPECT_THROW(ReadFinancialRecord(folder_.Path(), 7203), FileError);
  EXPECT_TRUE(ReadFinancialRecord(folder_.Path(), 1301));

  // The last record cut short.
  std::string cut = FinanceFile({{7203, 1}}, {kMotors});
  cut.pop_back();
  WriteFile(FinancePath(), cut);
  EXPECT_THROW(ReadFinancialRecord(folder_.Path(), 7203), FileError);

  // The index itself cut short before the code's word.
  WriteFile(FinancePath(), std::string(2 + 2 * 7203, '\0'));
  EXPECT_THROW(ReadFinancialRecord(folder_.Path(), 7203), FileError);
}

TEST(FinancialFiguresTest, DerivesRatiosFromThePrice) {
  const auto figures = FinancialFigures(5000, kMotors);
  EXPECT_DOUBLE_EQ(figures[0], 20.0);  // PER = 5000 / 250
  EXPECT_DOUBLE_EQ(figures[1], 2.5);   // PBR = 5000 / 2000
  EXPECT_DOUBLE_EQ(figures[2], 12.5);  // ROE as stored
  EXPECT_DOUBLE_EQ(figures[3], 4.75);  // ROA as stored
  EXPECT_DOUBLE_EQ(figures[4], 1.3);   // yield = 65 / 5000 × 100
  EXPECT_DOUBLE_EQ(figures[5], 100.0);
}

TEST(FinancialFiguresTest, ZeroDivisorsGiveZero) {
  FinancialRecord record = kMotors;
  record.earnings = 0;
  record.book_value = 0;
  const auto figures = FinancialFigures(5000, record);
  EXPECT_EQ(figures[0], 0.0);
  EXPECT_EQ(figures[1], 0.0);
  EXPECT_DOUBLE_EQ(figures[4], 1.3);

  const auto no_price = FinancialFigures(0, kMotors);
  EXPECT_EQ(no_price[4], 0.0);
  EXPECT_EQ(no_price[0], 0.0);
  EXPECT_DOUBLE_EQ(no_price[2], 12.5);
}

TEST(FinancialFiguresTest, UnitSharesAreTruncatedTowardZero) {
  FinancialRecord record = kMotors;
  record.unit_shares = 99.9f;
  EXPECT_EQ(FinancialFigures(100, record)[5], 99.0);
  record.unit_shares = -99.9f;
  EXPECT_EQ(FinancialFigures(100, record)[5], -99.0);
  record.unit_shares = 0.99f;
  EXPECT_EQ(FinancialFigures(100, record)[5], 0.0);
}

TEST(FinancialFiguresTest, FormatFigureRoundsHalvesToEvenAtTwoDecimals) {
  EXPECT_EQ(FormatFigure(0.125), "0.12");
  EXPECT_EQ(FormatFigure(0.375), "0.38");
  EXPECT_EQ(FormatFigure(1.125), "1.12");
  EXPECT_EQ(FormatFigure(-0.625), "-0.62");
  EXPECT_EQ(FormatFigure(3.14159), "3.14");
  EXPECT_EQ(FormatFigure(2.0 / 3.0), "0.67");
  EXPECT_EQ(FormatFigure(0.004), "0");
  EXPECT_EQ(FormatFigure(-0.004), "0");
  // No trailing zeros.
  EXPECT_EQ(FormatFigure(20), "20");
  EXPECT_EQ(FormatFigure(2.5), "2.5");
  EXPECT_EQ(FormatFigure(1.999), "2");
  EXPECT_EQ(FormatFigure(0), "0");
  EXPECT_EQ(FormatFigure(123456.784), "123456.78");
}

TEST(FinancialFiguresTest, SummaryTextWithAndWithoutARecord) {
  EXPECT_EQ(FinancialSummary(5000, kMotors),
            "PER: 20 PBR: 2.5 ROE: 12.5 ROA: 4.75 配当利回り: 1.3 単元株数: 100 ");
  // 1234 / 31.5 = 39.174…, 1234 / 402.75 = 3.0639…, 6.25 / 1234 × 100 = 0.50648…
  EXPECT_EQ(FinancialSummary(1234, kFishery),
            "PER: 39.17 PBR: 3.06 ROE: 7.81 ROA: 2.5 配当利回り: 0.51 単元株数: 1000 ");
  EXPECT_EQ(FinancialSummary(0, kLast),
            "PER: 0 PBR: 0 ROE: -2 ROA: -1.25 配当利回り: 0 単元株数: 99 ");
  EXPECT_EQ(FinancialSummary(5000, std::nullopt),
            "PER: - PBR: - ROE: - ROA: - 配当利回り: - 単元株数: - ");
}

}  // namespace
}  // namespace varnolt
