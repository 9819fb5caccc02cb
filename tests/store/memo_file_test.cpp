#include "store/memo_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "base/text_codec.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::TempFolder;

// A memo file as lines, and what it gives for each key.
struct BlockCase {
  const char* what;
  Lines file;
  std::vector<std::pair<std::string, Lines>> memos;
};

TEST(MemoFileTest, LoadReadsTheBlockOfTheKey) {
  const std::vector<BlockCase> cases = {
      {"no file", {}, {{"7203", {}}}},
      {"empty memo", {"start_7203", "end_7203"}, {{"7203", {}}}},
      {"neighbours",
       {"start_7201", "日産", "end_7201", "start_7203", "トヨタ", "", "三行目", "end_7203"},
       {{"7201", {"日産"}}, {"7203", {"トヨタ", "", "三行目"}}, {"7267", {}}}},
      {"start line in any letter case", {"START_abc", "x", "end_abc"}, {{"ABC", {"x"}}}},
      {"a line equal to the end line ends the memo; other look-alikes are text",
       {"start_7203", "End_7203", "end_72031", " end_7203", "end_7203", "after", "end_7203"},
       {{"7203", {"End_7203", "end_72031", " end_7203"}}}},
      {"a start line inside a memo is text",
       {"start_7201", "start_7203", "note", "end_7201", "start_7203", "real", "end_7203"},
       {{"7201", {"start_7203", "note"}}, {"7203", {"real"}}}},
      {"block without its end line, last in the file",
       {"start_7201", "a", "end_7201", "start_7203", "cut", "off"},
       {{"7203", {"cut", "off"}}, {"7201", {"a"}}}},
      {"block without its end line before another block",
       {"start_7203", "cut", "start_7201", "a", "end_7201"},
       {{"7203", {"cut"}}, {"7201", {"a"}}}},
  };
  for (const BlockCase& c : cases) {
    for (const auto& [key, memo] : c.memos)
      EXPECT_EQ(MemoOf(c.file, key), memo) << c.what << " " << key;
  }
}

struct SaveCase {
  const char* what;
  Lines file;
  std::string key;
  Lines memo;
  Lines expected;
};

TEST(MemoFileTest, SaveMovesTheBlockToTheEnd) {
  const std::vector<SaveCase> cases = {
      {"first memo of a file", {}, "7203", {"買い"}, {"start_7203", "買い", "end_7203"}},
      {"empty memo", {}, "7203", {}, {"start_7203", "end_7203"}},
      {"second save replaces the first and goes last",
       {"start_7203", "old", "end_7203", "start_7201", "a", "end_7201"},
       "7203",
       {"new"},
       {"start_7201", "a", "end_7201", "start_7203", "new", "end_7203"}},
      {"every block of the key goes",
       {"start_7203", "one", "end_7203", "start_7201", "a", "end_7201", "START_7203", "two",
        "end_7203"},
       "7203",
       {"three"},
       {"start_7201", "a", "end_7201", "start_7203", "three", "end_7203"}},
      {"a start line inside another memo is left alone",
       {"start_7201", "start_7203", "end_7201", "start_7203", "x", "end_7203"},
       "7203",
       {"y"},
       {"start_7201", "start_7203", "end_7201", "start_7203", "y", "end_7203"}},
      {"a damaged block is replaced and the blocks after it kept",
       {"start_7203", "cut", "start_7201", "a", "end_7201"},
       "7203",
       {"whole"},
       {"start_7201", "a", "end_7201", "start_7203", "whole", "end_7203"}},
      {"lines outside blocks stay where they are",
       {"stray", "start_7203", "old", "end_7203", "tail"},
       "7203",
       {},
       {"stray", "tail", "start_7203", "end_7203"}},
  };
  for (const SaveCase& c : cases) {
    const Lines saved = WithMemo(c.file, c.key, c.memo);
    EXPECT_EQ(saved, c.expected) << c.what;
    EXPECT_EQ(MemoOf(saved, c.key), c.memo) << c.what;
  }
}

TEST(MemoFileTest, KeysAndFiles) {
  EXPECT_EQ(MemoKey("7203 : トヨタ自動車◎注目◎"), "7203");
  EXPECT_EQ(MemoKey("  7203  "), "7203");
  EXPECT_EQ(MemoKey(""), "");

  const TempFolder temp;
  const ProgramFolder folder(temp.Path());
  EXPECT_EQ(MemoFilePath(folder, "7203"), folder.DataDir() / "memo_7.txt");
  EXPECT_EQ(MemoFilePath(folder, "あいう"), folder.DataDir() / Utf8Path("memo_あ.txt"));
  for (const char* key : {"", "/etc", "\\x", "\tx"}) EXPECT_FALSE(MemoFilePath(folder, key)) << key;

  SaveMemo(folder, "7203 : トヨタ自動車", {"買い", ""});
  SaveMemo(folder, "7201 : 日産自動車", {"様子見"});
  SaveMemo(folder, "1301 : 極洋", {"x"});
  SaveMemo(folder, " : 名前だけ", {"lost"});  // no key, no file
  EXPECT_EQ(
      ReadBytes(folder.DataDir() / "memo_7.txt"),
      Utf8ToSjis("start_7203\r\n買い\r\n\r\nend_7203\r\nstart_7201\r\n様子見\r\nend_7201\r\n"));
  EXPECT_EQ(LoadMemo(folder, "7203 : トヨタ自動車◎"), (Lines{"買い", ""}));
  EXPECT_EQ(LoadMemo(folder, "1301"), Lines{"x"});
  EXPECT_EQ(LoadMemo(folder, "7267 : ホンダ"), Lines{});
  EXPECT_EQ(LoadMemo(folder, " : 名前だけ"), Lines{});
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.DataDir())) {
    ++files;
    EXPECT_TRUE(entry.path().filename().string().starts_with("memo_")) << entry.path();
  }
  EXPECT_EQ(files, 2u);
}

// A process killed at any moment of a save leaves the file with its old text or its new one.
TEST(MemoFileTest, KilledSaveLeavesOldOrNewFile) {
  const TempFolder temp;
  const ProgramFolder folder(temp.Path());
  folder.EnsureDataDir();
  const Lines other = {"他の銘柄のメモ"};
  SaveMemo(folder, "7201", other);
  // Large enough that writing it takes many system calls.
  Lines first(20000, "一行目のメモ 0123456789");
  Lines second(30000, "二行目のメモ abcdefghij");
  SaveMemo(folder, "7203", first);
  const auto path = folder.DataDir() / "memo_7.txt";
  const std::string texts[] = {
      ReadBytes(path),
      Utf8ToSjis(JoinLines(WithMemo(SplitLines(SjisToUtf8(ReadBytes(path))), "7203", second)))};

  // Kills are spread over the time that two saves take, counted from the end of a save.
  const auto started = std::chrono::steady_clock::now();
  SaveMemo(folder, "7203", first);
  const auto two_saves = 2 * (std::chrono::steady_clock::now() - started);
  constexpr int kRounds = 16;
  for (int round = 0; round < kRounds; ++round) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        for (;;) {
          SaveMemo(folder, "7203", second);
          SaveMemo(folder, "7203", first);
          (void)!write(ready[1], "s", 1);
        }
      } catch (...) {
      }
      _exit(1);
    }
    close(ready[1]);  // a child that ends early then ends the read below
    char signal_byte = 0;
    ASSERT_EQ(read(ready[0], &signal_byte, 1), 1);
    std::this_thread::sleep_for(two_saves * round / kRounds);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(ready[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended by itself in round " << round;
    const std::string now = ReadBytes(path);
    EXPECT_TRUE(now == texts[0] || now == texts[1]) << "round " << round << ": " << now.size();
    EXPECT_EQ(LoadMemo(folder, "7201"), other);
  }
}

}  // namespace
}  // namespace varnolt
