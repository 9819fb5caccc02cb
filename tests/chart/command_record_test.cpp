#include "chart/command_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/file_error.h"

namespace varnolt {
namespace {

std::vector<RecordItem> Replay(const std::string& line) {
  std::vector<RecordItem> items;
  ReplayRecord(line, [&](const RecordItem& item) {
    items.push_back(item);
    return true;
  });
  return items;
}

void ExpectItem(const RecordItem& item, RecordKind kind, int list_item, const std::string& from,
                const std::string& to) {
  EXPECT_EQ(item.kind, kind);
  EXPECT_EQ(item.item, list_item);
  EXPECT_EQ(item.from, from);
  EXPECT_EQ(item.to, to);
}

TEST(ReplayRecordTest, RunsEachItemInOrder) {
  const std::vector<RecordItem> items = Replay("1,1,1,6,4,3,7,10,");
  ASSERT_EQ(items.size(), 2u);
  ExpectItem(items[0], RecordKind::kPriceChart, 1, "1", "6");
  ExpectItem(items[1], RecordKind::kOscillator, 3, "7", "10");
}

TEST(ReplayRecordTest, AnEmptyRecordRunsNothing) {
  EXPECT_TRUE(Replay("").empty());
}

TEST(ReplayRecordTest, KindTwoItemsAreSkippedWithTheirTwoExtraFields) {
  const std::vector<RecordItem> items = Replay("2,5,1,2,9,9,3,5,1,10,2,0,0,0,0,0,");
  ASSERT_EQ(items.size(), 1u);
  ExpectItem(items[0], RecordKind::kTrend, 5, "1", "10");
}

TEST(ReplayRecordTest, ANonNumberEndsTheReplayAfterTheEarlierItemsRan) {
  for (const char* line : {"1,1,1,6,x,3,7,10,", "1,1,1,6,4,three,7,10,", "1,1,1,6,,3,7,10,"}) {
    SCOPED_TRACE(line);
    std::vector<RecordItem> items;
    EXPECT_THROW(ReplayRecord(line,
                              [&](const RecordItem& item) {
                                items.push_back(item);
                                return true;
                              }),
                 ConversionError);
    ASSERT_EQ(items.size(), 1u);
    ExpectItem(items[0], RecordKind::kPriceChart, 1, "1", "6");
  }
}

TEST(ReplayRecordTest, StopsWhenAnItemSaysSoWithoutReadingFurther) {
  std::vector<RecordItem> items;
  ReplayRecord("1,1,1,6,4,3,7,10,x,", [&](const RecordItem& item) {
    items.push_back(item);
    return item.kind != RecordKind::kOscillator;
  });
  ASSERT_EQ(items.size(), 2u);
  ExpectItem(items[1], RecordKind::kOscillator, 3, "7", "10");
}

TEST(ReplayRecordTest, ReadsBackWhatTheCommandsWrite) {
  const RecordItem written[] = {{RecordKind::kPriceChart, 2, "1", "6"},
                                {RecordKind::kTrend, 12, "1", "6"},
                                {RecordKind::kOscillator, 0, "7", "10"}};
  std::string line;
  for (const RecordItem& item : written) line += RecordText(item);
  EXPECT_EQ(line, "1,2,1,6,3,12,1,6,4,0,7,10,");
  const std::vector<RecordItem> items = Replay(line);
  ASSERT_EQ(items.size(), 3u);
  for (size_t i = 0; i < items.size(); ++i) {
    ExpectItem(items[i], written[i].kind, written[i].item, written[i].from, written[i].to);
  }
}

}  // namespace
}  // namespace varnolt
