#include "store/csv_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/file_error.h"
#include "base/text_codec.h"
#include "base/text_file.h"
#include "series/calendar.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::TempFolder;
using Paths = std::vector<std::filesystem::path>;

int DayIndex(int year, int month, int day) {
  return DayFromCivil(year, month, day) - DayFromCivil(year, 1, 1) + 1;
}

DayRow FullRow(int code, int day_index, int32_t base, float split) {
  DayRow row;
  row.code = code;
  row.day_index = day_index;
  row.open = base;
  row.high = base + 50;
  row.low = base - 20;
  row.close = base + 10;
  row.volume = base * 100;
  row.split = split;
  return row;
}

DayRecord RecordOf(const DayRow& row) {
  return {row.open.value_or(0),  row.high.value_or(0),  row.low.value_or(0),
          row.close.value_or(0), row.split.value_or(0), row.volume.value_or(0)};
}

class CsvConversionTest : public ::testing::Test {
 protected:
  CsvConversionTest() { std::filesystem::create_directory(DataDir()); }

  std::filesystem::path DataDir() const { return folder_.Path() / "data"; }
  std::filesystem::path YearPath(int year) const {
    return DataDir() / (std::to_string(year) + ".kbk");
  }

  // A CSV file in Shift_JIS with CR LF, as the data server and users' tools write them.
  std::filesystem::path Csv(const std::string& name, const Lines& lines) const {
    const auto path = folder_.Path() / name;
    WriteLines(path, lines);
    return path;
  }

  std::string Bytes(int year) const { return ReadBytes(YearPath(year)); }

  void Seed(int year, const std::vector<DayRow>& rows) const {
    WriteDayRecords(YearPath(year), rows);
  }

  // The stored record, read from the file's bytes without touching the file; nothing when the
  // file is missing or the code has no slot.
  std::optional<DayRecord> Stored(int year, int code, int day_index) const {
    if (!std::filesystem::exists(YearPath(year))) return std::nullopt;
    const std::string bytes = Bytes(year);
    auto byte = [&](uint64_t at) { return static_cast<unsigned char>(bytes.at(at)); };
    const uint32_t slot = byte(2 + 2 * code) | byte(3 + 2 * code) << 8;
    if (slot == 0) return std::nullopt;
    const uint64_t at = kDirectoryBytes + (slot - 1) * uint64_t{kSlotBytes} +
                        (day_index - 1) * uint64_t{kRecordBytes};
    if (at + kRecordBytes > bytes.size()) return std::nullopt;
    DayRecord record;
    DecodeRecord(reinterpret_cast<const unsigned char*>(bytes.data() + at), record);
    return record;
  }

  std::vector<std::string> YearFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(DataDir())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder folder_;
};

const int kJan4 = 4;

TEST_F(CsvConversionTest, SevenFieldsFillTheDayAndLeaveTheSplit) {
  const DayRow before = FullRow(7203, kJan4, 3000, 2.0f);
  const DayRow neighbour = FullRow(7203, kJan4 + 1, 3100, 0);
  const DayRow other = FullRow(6758, kJan4, 5000, 0);
  Seed(2005, {before, neighbour, other});

  ConvertCsvFiles({Csv("a.csv", {"2005/1/4,7203,4000,4050,3980,4020,5123400"})}, DataDir(),
                  Grouping::kEveryLine);

  EXPECT_EQ(Stored(2005, 7203, kJan4), (DayRecord{4000, 4050, 3980, 4020, 2.0f, 5123400}));
  EXPECT_EQ(Stored(2005, 7203, kJan4 + 1), RecordOf(neighbour));
  EXPECT_EQ(Stored(2005, 6758, kJan4), RecordOf(other));
}

TEST_F(CsvConversionTest, CreatesTheYearFileAndSlotWhenMissing) {
  ConvertCsvFiles(
      {Csv("a.csv", {"2005/01/04,7203,4000,4050,3980,4020,5123400", "2005/12/31,7203,1,2,3,4,5"})},
      DataDir(), Grouping::kFirstLine);
  EXPECT_EQ(YearFiles(), std::vector<std::string>{"2005.kbk"});
  EXPECT_EQ(Bytes(2005).size(), 20002u + 8760u);
  EXPECT_EQ(Stored(2005, 7203, kJan4), (DayRecord{4000, 4050, 3980, 4020, 0, 5123400}));
  EXPECT_EQ(Stored(2005, 7203, 365), (DayRecord{1, 2, 3, 4, 0, 5}));
}

TEST_F(CsvConversionTest, PricesThatDoNotReadLeaveTheStoredPrices) {
  const DayRow before = FullRow(7203, kJan4, 3000, 1.5f);
  Seed(2005, {before, FullRow(7203, kJan4 + 1, 3000, 0), FullRow(7203, kJan4 + 2, 3000, 0)});

  ConvertCsvFiles({Csv("a.csv", {"2005/1/4,7203,-,-,-,-,777",
                                 // empty, a decimal, text; the close reads after trimming
                                 "2005/1/5,7203,,4000.5,abc, 3333 ,888",
                                 // fields 5 to 7 missing
                                 "2005/1/6,7203,2999"})},
                  DataDir(), Grouping::kEveryLine);

  DayRecord jan4 = RecordOf(before);
  jan4.volume = 777;
  EXPECT_EQ(Stored(2005, 7203, kJan4), jan4);
  DayRecord jan5 = RecordOf(FullRow(7203, kJan4 + 1, 3000, 0));
  jan5.close = 3333;
  jan5.volume = 888;
  EXPECT_EQ(Stored(2005, 7203, kJan4 + 1), jan5);
  DayRecord jan6 = RecordOf(FullRow(7203, kJan4 + 2, 3000, 0));
  jan6.open = 2999;
  EXPECT_EQ(Stored(2005, 7203, kJan4 + 2), jan6);
}

TEST_F(CsvConversionTest, VolumesOfTenOrMoreDigitsAreStoredInTenThousands) {
  ConvertCsvFiles(
      {Csv("a.csv", {"2005/1/4,1301,1,1,1,1,12345678901", "2005/1/4,1332,1,1,1,1,123456789",
                     "2005/1/4,1333,1,1,1,1,1234567890", "2005/1/4,1334,1,1,1,1, 5123400 "})},
      DataDir(), Grouping::kEveryLine);
  EXPECT_EQ(Stored(2005, 1301, kJan4)->volume, -1234567);
  EXPECT_EQ(Stored(2005, 1332, kJan4)->volume, 123456789);
  EXPECT_EQ(Stored(2005, 1333, kJan4)->volume, -123456);
  EXPECT_EQ(Stored(2005, 1334, kJan4)->volume, 5123400);
}

TEST_F(CsvConversionTest, SplitTextBeforeTheShareMark) {
  Seed(2005, {FullRow(1301, kJan4, 100, 3.0f), FullRow(1332, kJan4, 100, 3.0f),
              FullRow(1333, kJan4, 100, 3.0f), FullRow(1334, kJan4, 100, 3.0f)});
  ConvertCsvFiles({Csv("a.csv", {"2005/1/4,1301,1,1,1,1,10,1.5株", "2005/1/4,1332,1,1,1,1,10,1.5",
                                 "2005/1/4,1333,1,1,1,1,10, 0.1 株 (併合),注記",
                                 "2005/1/4,1334,1,1,1,1,10,株"})},
                  DataDir(), Grouping::kEveryLine);
  EXPECT_EQ(Stored(2005, 1301, kJan4)->split, 1.5f);
  EXPECT_EQ(Stored(2005, 1332, kJan4)->split, 3.0f);  // no 株: nothing stored
  EXPECT_EQ(Stored(2005, 1333, kJan4)->split, 0.1f);
  EXPECT_EQ(Stored(2005, 1334, kJan4)->split, 3.0f);
  EXPECT_EQ(Stored(2005, 1332, kJan4)->volume, 10);
}

TEST_F(CsvConversionTest, EveryLineGroupingFollowsTheYearAcrossNewYear) {
  const Lines lines = {"2004/12/29,7203,1,1,1,100,1", "2004/12/30,7203,1,1,1,101,1",
                       "2005/1/4,7203,1,1,1,102,1", "2005/1/5,7203,1,1,1,103,1"};
  ConvertCsvFiles({Csv("a.csv", lines)}, DataDir(), Grouping::kEveryLine);
  EXPECT_EQ(YearFiles(), (std::vector<std::string>{"2004.kbk", "2005.kbk"}));
  EXPECT_EQ(Stored(2004, 7203, DayIndex(2004, 12, 30))->close, 101);
  EXPECT_EQ(Stored(2005, 7203, kJan4 + 1)->close, 103);
}

TEST_F(CsvConversionTest, FirstLineGroupingConvertsOnlyTheFirstLinesYear) {
  const Lines lines = {"2004/12/29,7203,1,1,1,100,1", "2004/12/30,7203,1,1,1,101,1",
                       "2005/1/4,7203,1,1,1,102,1", "2005/1/5,7203,1,1,1,103,1"};
  ConvertCsvFiles({Csv("a.csv", lines)}, DataDir(), Grouping::kFirstLine);
  EXPECT_EQ(YearFiles(), std::vector<std::string>{"2004.kbk"});
  EXPECT_EQ(Stored(2004, 7203, DayIndex(2004, 12, 29))->close, 100);
}

TEST_F(CsvConversionTest, TheSameFileTwiceIsTheSameAsOnce) {
  // Years that come back make the file stand in each group more than once.
  const auto file = Csv("a.csv", {"2005/1/4,7203,1,2,3,4,5,2株", "2004/12/30,7203,1,1,1,101,1",
                                  "2005/1/5,7203,6,7,8,9,10", "2004/12/29,7203,1,1,1,100,1"});
  const auto once = ConvertCsvFiles({file}, DataDir(), Grouping::kEveryLine);
  const std::string bytes_2004 = Bytes(2004);
  const std::string bytes_2005 = Bytes(2005);
  EXPECT_EQ(once.skipped_lines, 0);

  std::filesystem::remove(YearPath(2004));
  std::filesystem::remove(YearPath(2005));
  ConvertCsvFiles({file, file}, DataDir(), Grouping::kEveryLine);
  EXPECT_EQ(Bytes(2004), bytes_2004);
  EXPECT_EQ(Bytes(2005), bytes_2005);

  // And again over the files it wrote.
  ConvertCsvFiles({file}, DataDir(), Grouping::kEveryLine);
  EXPECT_EQ(Bytes(2004), bytes_2004);
  EXPECT_EQ(Bytes(2005), bytes_2005);
}

TEST_F(CsvConversionTest, HeadingLines) {
  const std::string heading = "日付,コード,始値,高値,安値,終値,出来高";
  // Inside a file the heading is passed over.
  ConvertCsvFiles({Csv("inside.csv", {"2005/1/4,7203,1,2,3,4,5", heading, "", "   ",
                                      "2005/1/5,7203,6,7,8,9,10"})},
                  DataDir(), Grouping::kEveryLine);
  EXPECT_EQ(Stored(2005, 7203, kJan4 + 1), (DayRecord{6, 7, 8, 9, 0, 10}));

  // As the first line it makes the whole file one to ignore, even though its lines would read.
  for (const Grouping grouping : {Grouping::kEveryLine, Grouping::kFirstLine}) {
    const auto summary = ConvertCsvFiles(
        {Csv("first.csv", {heading, "2006/1/4,7203,1,2,3,4,5", "2006/1/5,0,1,2,3,4,5"})}, DataDir(),
        grouping);
    EXPECT_EQ(summary.skipped_lines, 0);
    EXPECT_FALSE(std::filesystem::exists(YearPath(2006)));
  }
}

TEST_F(CsvConversionTest, TheLaterFileWinsFieldByField) {
  const auto a = Csv("a.csv", {"2005/1/4,7203,100,110,90,105,1000,2株"});
  const auto b = Csv("b.csv", {"2005/01/04,7203,-,120,-,-,2000"});
  ConvertCsvFiles({a, b}, DataDir(), Grouping::kEveryLine);
  EXPECT_EQ(Stored(2005, 7203, kJan4), (DayRecord{100, 120, 90, 105, 2.0f, 2000}));

  std::filesystem::remove(YearPath(2005));
  ConvertCsvFiles({b, a}, DataDir(), Grouping::kFirstLine);
  EXPECT_EQ(Stored(2005, 7203, kJan4), (DayRecord{100, 110, 90, 105, 2.0f, 1000}));
}

TEST_F(CsvConversionTest, LinesTheStoreCannotHoldAreSkippedAndCounted) {
  const auto file = Csv("a.csv", {
                                     "2004/12/30,7203,1,1,1,101,1",
                                     "2004/12/31,7203,1,1,1,102,1",  // day 366
                                     "2004/12/30,0,1,1,1,1,1",
                                     "2004/12/30,10000,1,1,1,1,1",
                                     "2005/1/4,-5,1,1,1,1,1",
                                     "2005/1/4,7203,1,1,1,103,1",
                                     "1984/12/28,7203,1,1,1,1,1",
                                     "2086/1/4,7203,1,1,1,1,1",
                                     "2005/12/31,7203,1,1,1,104,1",  // day 365: kept
                                     "1984/12/27,7203,1,1,1,1,1",
                                 });
  // 2005 and 1984 come back, so the file stands twice in their groups; each line counts once.
  const auto summary = ConvertCsvFiles({file}, DataDir(), Grouping::kEveryLine);
  EXPECT_EQ(summary.skipped_lines, 7);
  EXPECT_EQ(YearFiles(), (std::vector<std::string>{"2004.kbk", "2005.kbk"}));
  EXPECT_EQ(Stored(2004, 7203, DayIndex(2004, 12, 30))->close, 101);
  EXPECT_EQ(Stored(2004, 0, 1), std::nullopt);
  EXPECT_EQ(Stored(2005, 7203, kJan4)->close, 103);
  EXPECT_EQ(Stored(2005, 7203, 365)->close, 104);

  // Under first-line grouping only the first line's year is read.
  std::filesystem::remove(YearPath(2004));
  std::filesystem::remove(YearPath(2005));
  EXPECT_EQ(ConvertCsvFiles({file}, DataDir(), Grouping::kFirstLine).skipped_lines, 3);
  EXPECT_EQ(ConvertCsvFiles({Csv("old.csv", {"1984/12/28,7203,1,1,1,1,1", "2005/1/4,7203,1,1,1,1,1",
                                             "1984/12/27,7203,1,1,1,1,1"})},
                            DataDir(), Grouping::kFirstLine)
                .skipped_lines,
            2);
  EXPECT_EQ(YearFiles(), std::vector<std::string>{"2004.kbk"});
}

// The message of the error a single bad line stops the run with.
std::string FailureOf(const std::filesystem::path& file, const std::filesystem::path& data_dir) {
  try {
    ConvertCsvFiles({file}, data_dir, Grouping::kEveryLine);
  } catch (const CsvLineError& error) {
    return error.what();
  }
  return "no error";
}

TEST_F(CsvConversionTest, ABadLineStopsTheRunNamingFileAndLine) {
  const std::string good = "2005/1/4,7203,1,2,3,4,5";
  const std::vector<std::string> bad_lines = {
      "2005/1/5,72O3,1,2,3,4,5",                   // code
      "2005/1/5,,1,2,3,4,5",                       // empty code
      "2005/2/30,7203,1,2,3,4,5",                  // date
      "2005-1-5,7203,1,2,3,4,5",                   // date
      "2005",                                      // nothing but the year
      "2005/1/5,7203,1,2,3,4,5x",                  // volume
      "2005/1/5,7203,1,2,3,4,5.5",                 // volume
      "2005/1/5,7203,1,2,3,4,123456789012345678",  // volume too large even in ten thousands
      "2005/1/5,7203,1,2,3,4,5,x株",               // split text
      "2005/1/5,7203,1,2,3,4,,1/2株",              // split text, volume empty
      "2005/1/5,7203,1,2,3,4,5,1e39株",            // a split factor no float can hold
  };
  for (const std::string& bad : bad_lines) {
    const auto file = Csv("bad.csv", {good, "", bad, good});
    const std::string message = FailureOf(file, DataDir());
    EXPECT_NE(message.find(DisplayName(file)), std::string::npos) << bad << ": " << message;
    EXPECT_NE(message.find(" 3 行目"), std::string::npos) << bad << ": " << message;
    EXPECT_FALSE(std::filesystem::exists(YearPath(2005))) << bad;
  }
}

TEST_F(CsvConversionTest, AFailingYearIsLeftAsItWasAndLaterYearsAreNotConverted) {
  Seed(2005, {FullRow(7203, kJan4, 3000, 0)});
  Seed(2006, {FullRow(7203, kJan4, 3000, 0)});
  const std::string bytes_2005 = Bytes(2005);
  const std::string bytes_2006 = Bytes(2006);

  const auto file_2004 = Csv("y2004.csv", {"2004/12/30,7203,1,1,1,101,1"});
  const auto file_2005 = Csv("y2005.csv", {"2005/1/4,7203,1,1,1,102,1", "2005/1/5,1301,1,1,1,1,1",
                                           "2005/1/6,7203,1,1,1,1,bad"});
  const auto file_2006 = Csv("y2006.csv", {"2006/1/4,7203,1,1,1,103,1"});
  // The files' order does not matter: years are converted in ascending order.
  EXPECT_THROW(ConvertCsvFiles({file_2006, file_2005, file_2004}, DataDir(), Grouping::kFirstLine),
               CsvLineError);
  EXPECT_EQ(Stored(2004, 7203, DayIndex(2004, 12, 30))->close, 101);
  EXPECT_EQ(Bytes(2005), bytes_2005);
  EXPECT_EQ(Bytes(2006), bytes_2006);

  // The failing year's file is not created either.
  std::filesystem::remove(YearPath(2005));
  EXPECT_THROW(ConvertCsvFiles({file_2005}, DataDir(), Grouping::kFirstLine), CsvLineError);
  EXPECT_FALSE(std::filesystem::exists(YearPath(2005)));
}

TEST_F(CsvConversionTest, AFileWithNoLineStopsTheRunBeforeAnyYear) {
  const auto good = Csv("good.csv", {"2004/12/30,7203,1,1,1,101,1"});
  const auto empty = Csv("empty.csv", {});
  ASSERT_EQ(std::filesystem::file_size(empty), 0u);
  try {
    ConvertCsvFiles({good, empty}, DataDir(), Grouping::kEveryLine);
    ADD_FAILURE() << "no error";
  } catch (const CsvLineError& error) {
    EXPECT_NE(std::string(error.what()).find(DisplayName(empty)), std::string::npos);
  }
  EXPECT_TRUE(YearFiles().empty());

  // A missing file is a file error.
  EXPECT_THROW(ConvertCsvFiles({folder_.Path() / "missing.csv"}, DataDir(), Grouping::kEveryLine),
               FileError);
}

// A row as "code,day,open,high,low,close,volume,split", "-" for a field left unset.
std::string RowText(const DayRow& row) {
  std::string text = std::to_string(row.code) + "," + std::to_string(row.day_index);
  for (const auto& field : {row.open, row.high, row.low, row.close, row.volume}) {
    text += "," + (field ? std::to_string(*field) : "-");
  }
  return text + "," + (row.split ? std::to_string(*row.split) : "-");
}

// The rows of 2005 from a file of these bytes, given as UTF-8 and written in Shift_JIS, or the
// message of the error they stop with.
std::string Read2005(const std::filesystem::path& file, const std::string& text) {
  WriteBytesAtomically(file, Utf8ToSjis(text));
  std::string read;
  try {
    int skipped = 0;
    for (const DayRow& row : ReadYearRows({file}, 2005, skipped)) read += RowText(row) + ";";
  } catch (const CsvLineError& error) {
    read = error.what();
  }
  return read;
}

TEST_F(CsvConversionTest, FieldsReadInPlaceAndMessagesShowTheFieldAsWritten) {
  const auto file = folder_.Path() / "lines.csv";
  auto refused = [&](int line, const std::string& what) {
    return DisplayName(file) + " の " + std::to_string(line) + " 行目: " + what;
  };
  const struct {
    const char* text;
    std::string read;
  } cases[] = {
      {"2005/1/4,+7203,+10,-0,0010, 20 ,+1234", "7203,4,10,0,10,20,1234,-;"},
      {"2005/1/4,\t7203\t,1,2147483648,-2147483648,2.5,0000000012345",
       "7203,4,1,-,-2147483648,-,-1,-;"},
      {"2005/1/4,7203,1,2,3,4,-12345678", "7203,4,1,2,3,4,-12345678,-;"},
      {"2005/1/4,7203,1,2,3,4,21474836480000", "7203,4,1,2,3,4,-2147483648,-;"},
      {"2005/1/4,7203,1,2,3,4,21474836490000",
       refused(1, "'21474836490000' は有効な数値ではありません")},
      {"2005/1/4,7203,1,2,3,4,+1234567890", refused(1, "'+1234567890' は有効な数値ではありません")},
      {"2005/1/4,7203,1,2,3,4,-123456789", refused(1, "'-123456789' は有効な数値ではありません")},
      // Four characters off a volume with a half-width kana still leave no number.
      {"2005/1/4,7203,1,2,3,4,999999999995ｱ",
       refused(1, "'999999999995ｱ' は有効な数値ではありません")},
      {"2005/1/4,７２０３,1,2,3,4,5", refused(1, "'７２０３' は有効な数値ではありません")},
      {"2005/１/4,7203,1,2,3,4,5", refused(1, "'2005/１/4' は正しい日付ではありません")},
      {"2005/1/4,7203,1,2,3,4,5, 1.1 株（分割）,備考", "7203,4,1,2,3,4,5,1.100000;"},
      {"2005/1/4,7203,1,2,3,4,5,備考", "7203,4,1,2,3,4,5,-;"},
      {"2005/1/4,7203,1,2,3,4,,２株", refused(1, "'２' は有効な数値ではありません")},
      {"2004/12/30,7203,1,2,3,4,5\r\n2005/12/31,7203,1,2,3,4,5", "7203,365,1,2,3,4,5,-;"},
      // CR, LF and CR LF all end a line; an empty line counts.
      {"2005/1/4,7203,1,1,1,1,1\r2005/1/5,7203,1,1,1,1,1\n\r\n見出し\r\n2005/1/6,72O3",
       refused(5, "'72O3' は有効な数値ではありません")},
      {"2005/1/4,7203,1,1,1,1,1\r2005/1/5,7203,1,1,1,1,1\n\r\n\r",
       "7203,4,1,1,1,1,1,-;7203,5,1,1,1,1,1,-;"},
  };
  for (const auto& c : cases) EXPECT_EQ(Read2005(file, c.text), c.read) << c.text;
}

}  // namespace
}  // namespace varnolt
