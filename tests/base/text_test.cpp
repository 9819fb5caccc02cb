#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/fields.h"
#include "base/file_error.h"
#include "base/text_codec.h"
#include "base/text_file.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

using testing::TempFolder;

void WriteRawFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// UTF-8 text and its Shift_JIS (code page 932) bytes.
struct CodecCase {
  const char* utf8;
  const char* sjis;
};
constexpr CodecCase kCodecCases[] = {
    {"●○◎", "\x81\x9C\x81\x9B\x81\x9D"},
    {"株", "\x8A\x94"},
    {"1.5株", "1.5\x8A\x94"},
    {"～－", "\x81\x60\x81\x7C"},  // the Windows mapping of wave dash and minus
    {"①", "\x87\x40"},             // an extension character of code page 932
    {"ｱｲｳ", "\xB1\xB2\xB3"},       // half-width katakana are single bytes
    {"7203 : トヨタ自動車", "7203 : \x83\x67\x83\x88\x83\x5E\x8E\xA9\x93\xAE\x8E\xD4"},
    {"plain ascii", "plain ascii"},
    {"", ""},
};

TEST(TextCodecTest, ConvertsJapaneseTextToShiftJisBytesAndBack) {
  for (const auto& c : kCodecCases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Utf8ToSjis(c.utf8), c.sjis);
    EXPECT_EQ(SjisToUtf8(c.sjis), c.utf8);
  }
}

TEST(TextCodecTest, RoundTripsTextLongerThanOneConversionBuffer) {
  std::string utf8;
  for (int i = 0; i < 3000; ++i) utf8 += "株価●" + std::to_string(i) + ",";
  const std::string sjis = Utf8ToSjis(utf8);
  EXPECT_EQ(sjis.substr(0, 8),
            "\x8A\x94\x89\xBF\x81\x9C"
            "0,");
  EXPECT_EQ(SjisToUtf8(sjis), utf8);
}

TEST(TextCodecTest, UndecodableShiftJisBytesBecomeReplacementCharacters) {
  const std::string replacement = "\xEF\xBF\xBD";
  const struct {
    std::string sjis;
    std::string utf8;
  } cases[] = {
      {"A\x80"
       "B",
       "A" + replacement + "B"},
      {"A\xFF"
       "B",
       "A" + replacement + "B"},
      {"A\x81\x20"
       "B",
       "A" + replacement + " B"},            // lead byte with a bad second byte
      {"\x8A\x94\x81", "株" + replacement},  // cut off after a lead byte
      {"\x81\x9C\xA0\x81\x9B", "●" + replacement + "○"},
  };
  for (const auto& c : cases) {
    std::string utf8;
    EXPECT_NO_THROW(utf8 = SjisToUtf8(c.sjis));
    EXPECT_EQ(utf8, c.utf8);
  }
}

TEST(TextCodecTest, CharactersWithoutShiftJisFormBecomeQuestionMarks) {
  const struct {
    std::string utf8;
    std::string sjis;
  } cases[] = {
      {"A\xF0\x9F\x98\x80"
       "B",
       "A?B"},                      // an emoji
      {"株\xC3\xA9", "\x8A\x94?"},  // é has no code page 932 form
      {"A\xE3\x81", "A?"},          // UTF-8 cut off at the end
      {"A\xE3\x81,B", "A?,B"},      // a cut-off character must not swallow what follows
      {"\xFF,●", "?,\x81\x9C"},     // a stray byte that starts no character
  };
  for (const auto& c : cases) {
    std::string sjis;
    EXPECT_NO_THROW(sjis = Utf8ToSjis(c.utf8));
    EXPECT_EQ(sjis, c.sjis);
  }
}

TEST(SplitLinesTest, AcceptsEveryLineEndAndAddsNoEmptyLastLine) {
  const struct {
    std::string text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\r\n\r\n", {"a", ""}},
      {"\r\n", {""}},
      {"\n\r", {"", ""}},  // LF then CR are two line ends, not one
      {"a\r\r\nb", {"a", "", "b"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitLines(c.text), c.lines) << "text: " << ::testing::PrintToString(c.text);
  }
}

TEST(JoinLinesTest, EndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinLines({}), "");
  EXPECT_EQ(JoinLines({""}), "\r\n");
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  const Lines lines = {"x", "", "y z"};
  EXPECT_EQ(SplitLines(JoinLines(lines)), lines);
}

TEST(TextFileTest, WritesShiftJisWithCrLfAndReadsItBack) {
  TempFolder folder;
  const auto path = folder.Path() / "holidays.txt";
  const Lines lines = {"買い ●", "売り ○", "", "注目 ◎"};
  WriteLines(path, lines);
  EXPECT_EQ(ReadBytes(path),
            "\x94\x83\x82\xA2 \x81\x9C\r\n\x94\x84\x82\xE8 \x81\x9B\r\n\r\n"
            "\x92\x8D\x96\xDA \x81\x9D\r\n");
  EXPECT_EQ(ReadLines(path), lines);
  EXPECT_EQ(ReadLinesIfPresent(path), lines);
}

TEST(TextFileTest, ReplacesAnExistingFileWithoutLeavingATemporaryBehind) {
  TempFolder folder;
  const auto path = folder.Path() / "memo.txt";
  WriteLines(path, {"first version with a longer line", "and a second one"});
  WriteLines(path, {"new"});
  EXPECT_EQ(ReadBytes(path), "new\r\n");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST(TextFileTest, ReadsFilesWithAnyLineEndAndDamagedBytes) {
  TempFolder folder;
  const auto path = folder.Path() / "foreign.txt";
  WriteRawFile(path, "01/01\n2004/01/12\r05/03\r\n\x81\x9C\x80\r\n");
  Lines lines;
  ASSERT_NO_THROW(lines = ReadLines(path));
  EXPECT_EQ(lines, (Lines{"01/01", "2004/01/12", "05/03", "●\xEF\xBF\xBD"}));
}

TEST(TextFileTest, MissingFileThrowsFileErrorNamingItUnlessOptional) {
  TempFolder folder;
  const auto path = folder.Path() / "absent.txt";
  EXPECT_FALSE(ReadLinesIfPresent(path).has_value());
  try {
    ReadLines(path);
    FAIL() << "ReadLines of a missing file returned";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find(DisplayName(path)), std::string::npos) << error.what();
  }
  EXPECT_THROW(ReadBytes(path), FileError);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(TextFileTest, WritingIntoAMissingFolderThrowsFileError) {
  TempFolder folder;
  EXPECT_THROW(WriteLines(folder.Path() / "no" / "such.txt", {"x"}), FileError);
}

TEST(SplitFieldTest, TakesTheTextBeforeTheFirstSeparator) {
  const struct {
    std::string text;
    std::string separator;
    std::string field;
    std::string rest;
  } cases[] = {
      {"2005/1/4,7203,4000", ",", "2005/1/4", "7203,4000"},
      {",x", ",", "", "x"},
      {"a,", ",", "a", ""},
      {"a,,b", ",", "a", ",b"},
      {"a::b::c", "::", "a", "b::c"},
      {"1.5株以降", "株", "1.5", "以降"},
      // Without the separator the whole text is the field and nothing is left.
      {"5123400", ",", "5123400", ""},
      {"", ",", "", ""},
      {"1.5", "株", "1.5", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.separator);
    std::string rest = c.text;
    EXPECT_EQ(SplitField(rest, c.separator), c.field);
    EXPECT_EQ(rest, c.rest);
  }
}

TEST(SplitFieldTest, TakesAllFieldsOfALineOneByOne) {
  std::string rest = "2005/1/4,7203,-,,3980,4020";
  Lines fields;
  while (!rest.empty()) fields.push_back(SplitField(rest, ","));
  EXPECT_EQ(fields, (Lines{"2005/1/4", "7203", "-", "", "3980", "4020"}));
  // Once the text is used up, further fields are empty.
  EXPECT_EQ(SplitField(rest, ","), "");
  EXPECT_EQ(rest, "");
}

TEST(TrimTextTest, RemovesBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(TrimText(" \t1.5\r\n "), "1.5");
  EXPECT_EQ(TrimText("a b"), "a b");
  EXPECT_EQ(TrimText(std::string("\0x\x1F", 3)), "x");
  EXPECT_EQ(TrimText(" \r\n\t"), "");
  EXPECT_EQ(TrimText("株 "), "株");
}

}  // namespace
}  // namespace varnolt
