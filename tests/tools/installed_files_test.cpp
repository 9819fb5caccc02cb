#include "demo/installed_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/settings_file.h"
#include "base/text_file.h"
#include "chart/auto_display.h"
#include "chart/command_record.h"
#include "support/temp_folder.h"

namespace varnolt::demo {
namespace {

TEST(InstalledFilesTest, ResetFileStandardPatternAndIntroduction) {
  const testing::TempFolder temp;
  const ProgramFolder folder(temp.Path());
  WriteLines(folder.File("自動表示2.txt"), {"mine"});  // a user's list stays as it is
  WriteInstalledFiles(folder);

  // The reset file holds the built-in value of every line from line 3 on.
  const Lines initial = ReadLines(folder.File("初期化.ini"));
  EXPECT_EQ(initial.size(), 111u);
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edav1", "99");
  controls.Set("lbgann", "1");
  ApplyInitialSettings(initial, controls);
  EXPECT_EQ(controls.All(), ControlValues::Defaults().All());

  EXPECT_EQ(LoadPatternNames(folder, 1), Lines{"ローソク足・出来高・取組高"});
  EXPECT_EQ(LoadPatternNames(folder, 2), Lines{"mine"});
  // The standard record: candlesticks above, volume below, regions that do not overlap.
  std::vector<RecordItem> items;
  ReplayRecord(PatternRecord(folder, 1, 0), [&](const RecordItem& item) {
    items.push_back(item);
    return true;
  });
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].kind, RecordKind::kPriceChart);
  EXPECT_EQ(items[1].kind, RecordKind::kOscillator);
  EXPECT_LT(std::stoi(items[1].to), std::stoi(items[0].from));
  EXPECT_EQ(PatternRecord(folder, 2, 0), PatternRecord(folder, 1, 0));

  const std::string rtf = ReadBytes(folder.File("Varnolt入門.rtf"));
  EXPECT_TRUE(rtf.starts_with("{\\rtf1"));
  EXPECT_TRUE(rtf.ends_with("}\r\n"));
  EXPECT_TRUE(std::ranges::all_of(rtf, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
      << "plain ASCII only";
  EXPECT_EQ(RtfDocument("a{b}\\\nあ"),
            std::string("{\\rtf1\\ansi\\uc1\\deff0{\\fonttbl{\\f0\\fnil MS UI "
                        "Gothic;}}\\fs22\r\na\\{b\\}\\\\\\par\r\n\\u12354?}\r\n"));
}

}  // namespace
}  // namespace varnolt::demo
