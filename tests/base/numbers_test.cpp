#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "base/file_error.h"

namespace varnolt {
namespace {

constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();

TEST(ParseIntTest, ReadsSignedWholeNumbersWithLeadingBlanks) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"0", 0},
      {"42", 42},
      {"+42", 42},
      {"-42", -42},
      {"007", 7},
      {"  7", 7},
      {"\t-7", -7},
      {"-0", 0},
      {"2147483647", kMax32},
      {"-2147483648", kMin32},
      {"+2147483647", kMax32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto value = ParseInt(c.text);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, c.value);
  }
}

TEST(ParseIntTest, RefusesTextThatIsNotAWholeInt32) {
  const char* cases[] = {
      "",    " ",    "+",          "-",           "12a",         "a12",
      "1.5", "1e3",  "1,000",      "--1",         "+-1",         "1 2",
      "12 ", "0x10", "2147483648", "-2147483649", "99999999999", "10000000000000000000000",
  };
  for (const char* text : cases) {
    EXPECT_FALSE(ParseInt(text).has_value()) << "'" << text << "'";
  }
}

TEST(ParseIntTest, Int64ReadsItsWholeRangeAndNoMore) {
  EXPECT_EQ(ParseInt64("9223372036854775807"), kMax64);
  EXPECT_EQ(ParseInt64("-9223372036854775808"), kMin64);
  EXPECT_EQ(ParseInt64("12345678901"), int64_t{12345678901});
  EXPECT_FALSE(ParseInt64("9223372036854775808").has_value());
  EXPECT_FALSE(ParseInt64("-9223372036854775809").has_value());
}

TEST(ParseDecimalTest, ReadsDecimalAndExponentTextWithBlanksAround) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"1.5", 1.5},     {"-2", -2.0}, {"+3", 3.0},    {"1e3", 1000.0},
      {" 2.25 ", 2.25}, {"0.1", 0.1}, {"-0.5", -0.5}, {"1.1", 1.1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto value = ParseDecimal(c.text);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, c.value);
  }
}

TEST(ParseDecimalTest, RefusesNonNumbersAndValuesOutsideDouble) {
  const char* cases[] = {"", " ", "abc", "1.5x", "1,5", "1.5.2", "nan", "inf", "1e999", "+-1"};
  for (const char* text : cases) {
    EXPECT_FALSE(ParseDecimal(text).has_value()) << "'" << text << "'";
  }
}

TEST(ConversionTest, ThrowsConversionErrorNamingTheText) {
  EXPECT_EQ(ToInt(" -15"), -15);
  EXPECT_EQ(ToDecimal("2.5"), 2.5);
  try {
    ToInt("12a");
    FAIL() << "ToInt accepted 12a";
  } catch (const ConversionError& error) {
    EXPECT_NE(std::string(error.what()).find("'12a'"), std::string::npos) << error.what();
  }
  EXPECT_THROW(ToInt("1.5"), ConversionError);
  EXPECT_THROW(ToInt("2147483648"), ConversionError);
  EXPECT_THROW(ToDecimal("x"), ConversionError);
}

TEST(RoundHalfEvenTest, RoundsHalvesToTheEvenNeighbour) {
  const struct {
    double x;
    int64_t rounded;
  } cases[] = {
      {0.5, 0},
      {1.5, 2},
      {2.5, 2},
      {3.5, 4},
      {-0.5, 0},
      {-1.5, -2},
      {-2.5, -2},
      {-3.5, -4},
      {2.4, 2},
      {2.6, 3},
      {-2.4, -2},
      {-2.6, -3},
      {0.0, 0},
      {7.0, 7},
      {-7.0, -7},
      {0.49999999999999994, 0},
      {1e15 + 0.5, 1'000'000'000'000'000},
      {4503599627370495.5, 4503599627370496},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundHalfEven(c.x), c.rounded) << c.x;
  }
}

TEST(RoundHalfEvenTest, SaturatesOutsideInt64AndInt32) {
  EXPECT_EQ(RoundHalfEven(1e19), kMax64);
  EXPECT_EQ(RoundHalfEven(-1e19), kMin64);
  EXPECT_EQ(RoundToInt32(3e9), kMax32);
  EXPECT_EQ(RoundToInt32(-3e9), kMin32);
  EXPECT_EQ(RoundToInt32(2.5), 2);
  EXPECT_EQ(RoundToInt32(-2147483648.4), kMin32);
  EXPECT_EQ(SaturateToInt32(int64_t{kMax32} + 1), kMax32);
  EXPECT_EQ(SaturateToInt32(int64_t{kMin32} - 1), kMin32);
  EXPECT_EQ(SaturateToInt32(-5), -5);
}

TEST(TruncTest, CutsTowardZero) {
  const struct {
    double x;
    int64_t truncated;
  } cases[] = {
      {2.9, 2},       {-2.9, -2},      {0.5, 0},
      {-0.5, 0},      {-1.0, -1},      {1e10 + 0.99, 10'000'000'000},
      {1e19, kMax64}, {-1e19, kMin64},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Trunc(c.x), c.truncated) << c.x;
  }
  EXPECT_EQ(DivTrunc(-7, 2), -3);
  EXPECT_EQ(DivTrunc(7, -2), -3);
}

TEST(FormatShortestTest, WritesTheShortestGeneralText) {
  const struct {
    double x;
    const char* text;
  } cases[] = {
      {2.0, "2"},
      {1.5, "1.5"},
      {0.1, "0.1"},
      {1.333, "1.333"},
      {-2.5, "-2.5"},
      {0.0, "0"},
      {-0.0, "0"},
      {0.1 + 0.2, "0.3"},  // 15 significant digits hide the binary error
      {1.0 / 3.0, "0.333333333333333"},
      {123456789012345.0, "123456789012345"},
      {1e15, "1E15"},
      {1e20, "1E20"},
      {-1e20, "-1E20"},
      {1.5e-5, "1.5E-5"},
      {0.0001, "0.0001"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatShortest(c.x), c.text) << c.x;
  }
}

}  // namespace
}  // namespace varnolt
