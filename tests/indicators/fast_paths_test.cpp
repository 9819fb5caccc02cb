// The screening computations against plain versions of themselves: the arithmetic the slots
// have always come from, one window at a time. The fast paths must give the same floats, bit
// for bit, and fail on the same stocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/controls.h"
#include "indicators/computation.h"
#include "indicators/float_rounding.h"
#include "indicators/near_halfway.h"

namespace varnolt {
namespace {

constexpr int kBars = kScreeningCapacity;
constexpr int kFailed = static_cast<int>(kFailureCode);

float Round(double value) {
  return static_cast<float>(value);
}

int PlainBollinger(ScreeningSeries& s, int period) {
  for (int i = 1; i < period; ++i) s[i].s1 = s[i].s2 = s[i].s3 = 0;
  for (int j = period; j <= kBars; ++j) {
    double sum = 0;
    for (int i = j - period + 1; i <= j; ++i) sum += s[i].close;
    const double mean = sum / period;
    double squares = 0;
    for (int i = j - period + 1; i <= j; ++i) squares += (s[i].close - mean) * (s[i].close - mean);
    const double deviation = std::sqrt(squares / period);
    if (deviation == 0) return kFailed;
    s[j] = {
        s[j].open,   s[j].high,        s[j].low, s[j].close, Round((s[j].close - mean) / deviation),
        Round(mean), Round(deviation), s[j].s4,  s[j].s5};
  }
  return 0;
}

int PlainRsi(ScreeningSeries& s, int period, bool cumulative) {
  for (int i = 1; i <= period; ++i) s[i].s1 = 0;
  const auto up = [&](int i) { return Round(std::max(s[i].close - s[i - 1].close, 0)); };
  const auto down = [&](int i) { return Round(std::max(s[i - 1].close - s[i].close, 0)); };
  float ups = 0, downs = 0;
  for (int i = 2; i <= period + 1; ++i) ups += up(i), downs += down(i);
  for (int i = period + 1;; ++i) {
    if (ups + downs == 0) return kFailed;
    s[i].s1 = Round(static_cast<double>(ups) * 100 / (ups + downs));
    if (i == kBars) return 0;
    if (cumulative) {
      ups = Round(static_cast<double>(ups) * (period - 1) / period + up(i + 1));
      downs = Round(static_cast<double>(downs) * (period - 1) / period + down(i + 1));
    } else {
      ups = ups - up(i + 1 - period) + up(i + 1);
      downs = downs - down(i + 1 - period) + down(i + 1);
    }
  }
}

int PlainMacd(ScreeningSeries& s, int fast, int slow, int signal) {
  const auto ema = [&](int n, int i, float previous, int64_t& sum) -> float {
    if (i <= n) return (sum += s[i].close, i == n ? Round(static_cast<double>(sum) / n) : 0.0f);
    return Round(previous + (s[i].close - static_cast<double>(previous)) * 2 / (n + 1.0));
  };
  float fast_ema = 0, slow_ema = 0;
  int64_t fast_sum = 0, slow_sum = 0;
  for (int i = 1; i <= kBars; ++i) {
    fast_ema = ema(fast, i, fast_ema, fast_sum);
    slow_ema = ema(slow, i, slow_ema, slow_sum);
    s[i].s1 = i >= std::max(fast, slow) ? Round(static_cast<double>(fast_ema) - slow_ema) : 0.0f;
    s[i].s2 = 0;
  }
  const int start = std::max(fast, slow) + signal - 1;
  if (signal <= 0 || start > kBars) return 0;
  double sum = 0;
  for (int i = start - signal + 1; i < start; ++i) sum += s[i].s1;
  for (int i = start; i <= kBars; ++i) {
    sum += s[i].s1;
    s[i].s2 = Round(sum / signal);
    sum -= s[i - signal + 1].s1;
  }
  return 0;
}

int PlainParabolic(ScreeningSeries& s, float start, float step, float limit) {
  float sar = Round(s[1].high), ep = Round(s[1].low), af = start;
  int32_t lowest = s[1].low, highest = s[1].high;
  bool rising = false;
  for (int i = 2; i <= kBars; ++i) {
    const int32_t high = s[i].high, low = s[i].low;
    sar = Round(double{sar} + (double{ep} - double{sar}) * double{af});
    if (rising ? high > double{ep} : low < double{ep}) {
      ep = Round(rising ? high : low);
      af = std::min(Round(double{af} + double{step}), limit);
    }
    lowest = std::min(lowest, low), highest = std::max(highest, high);
    if (rising ? low < double{sar} : double{sar} < high) {
      sar = Round(rising ? highest : lowest);
      ep = Round(rising ? lowest : highest);
      rising = !rising, lowest = low, highest = high, af = start;
    }
    if (!std::isfinite(sar)) return kFailed;
    s[i].s1 = rising ? 1.0f : -1.0f;
  }
  return 0;
}

int PlainPercentR(ScreeningSeries& s, int n) {
  for (int i = 1; i < n; ++i) s[i].s1 = 0;
  for (int i = n; i <= kBars; ++i) {
    int64_t highest = s[i].high, lowest = s[i].low;
    for (int j = i - n + 1; j < i; ++j) {
      highest = std::max<int64_t>(highest, s[j].high), lowest = std::min<int64_t>(lowest, s[j].low);
    }
    if (highest == lowest) return kFailed;
    s[i].s1 = Round(static_cast<double>(highest - s[i].close) * 100 /
                    static_cast<double>(highest - lowest));
  }
  return 0;
}

int PlainStochastics(ScreeningSeries& s, int k, int d, int slow) {
  const int d_start = k + d - 1, slow_start = k + d + slow - 2;
  for (int i = 1; i <= kBars; ++i) {
    if (i < k) s[i].s1 = 0;
    if (i < d_start) s[i].s2 = 0;
    s[i].s3 = 0;
  }
  std::vector<std::pair<int64_t, int64_t>> raws(static_cast<size_t>(d));
  std::vector<double> ds(static_cast<size_t>(std::max(slow, 1)));
  int64_t numerators = 0, denominators = 0;
  double d_sum = 0;
  for (int i = k; i <= kBars; ++i) {
    int64_t highest = s[i].high, lowest = s[i].low;
    for (int j = i - k + 1; j < i; ++j) {
      highest = std::max<int64_t>(highest, s[j].high), lowest = std::min<int64_t>(lowest, s[j].low);
    }
    const int64_t numerator = s[i].close - lowest, denominator = highest - lowest;
    if (denominator == 0) return kFailed;
    s[i].s1 = Round(static_cast<double>(numerator) * 100 / denominator);
    auto& oldest = raws[static_cast<size_t>((i - k) % d)];
    numerators += numerator - oldest.first, denominators += denominator - oldest.second;
    oldest = {numerator, denominator};
    if (i < d_start) continue;
    const double percent_d =
        static_cast<double>(numerators) * 100 / static_cast<double>(denominators);
    s[i].s2 = Round(percent_d);
    if (slow == 0) continue;
    double& oldest_d = ds[static_cast<size_t>((i - d_start) % slow)];
    d_sum += percent_d - oldest_d;
    oldest_d = percent_d;
    if (i >= slow_start) s[i].s3 = Round(d_sum / slow);
  }
  return 0;
}

struct Case {
  std::string computation;
  std::vector<std::pair<std::string, std::string>> boxes;
  std::function<int(ScreeningSeries&)> plain;
};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = [] {
    std::vector<Case> list;
    for (int n : {2, 15, 21, 200}) {
      list.push_back({"CalcBollinger", {{"edVo1", std::to_string(n)}}, [n](ScreeningSeries& s) {
                        return PlainBollinger(s, n);
                      }});
    }
    for (int n : {1, 2, 9, 14, 100}) {
      for (bool cumulative : {true, false}) {
        list.push_back(
            {"CalcRSI",
             {{"edRSI1", std::to_string(n)}, {"cbrsi", cumulative ? "true" : "false"}},
             [n, cumulative](ScreeningSeries& s) { return PlainRsi(s, n, cumulative); }});
      }
    }
    for (auto [fast, slow, signal] : {std::array{5, 20, 9}, {12, 26, 9}, {1, 3, 1}, {30, 2, 0}}) {
      list.push_back({"CalcMACD",
                      {{"edmacd1", std::to_string(fast)},
                       {"edmacd2", std::to_string(slow)},
                       {"edmacd3", std::to_string(signal)}},
                      [=](ScreeningSeries& s) { return PlainMacd(s, fast, slow, signal); }});
    }
    for (auto [start, step, limit] :
         {std::array{"0.02", "0.02", "0.2"}, {"0.01", "0.005", "0.5"}, {"0.3", "0.25", "1.5"}}) {
      list.push_back({"CalcParabolic",
                      {{"edpal1", start}, {"edpal2", step}, {"edpal3", limit}},
                      [=](ScreeningSeries& s) {
                        return PlainParabolic(s, Round(std::stod(start)), Round(std::stod(step)),
                                              Round(std::stod(limit)));
                      }});
    }
    for (auto [k, d, slow] : {std::array{5, 3, 0}, {9, 3, 3}, {1, 1, 1}, {14, 5, 7}}) {
      list.push_back({"CalcStochastics",
                      {{"edstk", std::to_string(k)},
                       {"edstd", std::to_string(d)},
                       {"edstsd", std::to_string(slow)}},
                      [=](ScreeningSeries& s) { return PlainStochastics(s, k, d, slow); }});
    }
    for (int n : {1, 20, 60}) {
      list.push_back({"CalcPercentR", {{"edr", std::to_string(n)}}, [n](ScreeningSeries& s) {
                        return PlainPercentR(s, n);
                      }});
    }
    return list;
  }();
  return cases;
}

// Whole-yen random walks: `level` with steps up to `step`, highs and lows around the closes;
// from bar `zeros_from` on every price is 0 (a delisted stock's last prices), which fades the
// averages towards the smallest floats.
ScreeningSeries Walk(unsigned seed, int64_t level, int64_t step, int zeros_from = kBars + 1) {
  std::mt19937_64 random(seed);
  std::uniform_int_distribution<int64_t> move(-step, step), reach(0, step / 2 + 1);
  ScreeningSeries series;
  int64_t close = level;
  for (int i = 1; i <= kBars; ++i) {
    close = std::clamp<int64_t>(close + move(random), 0, INT32_MAX - step - 2);
    const int64_t high = i >= zeros_from ? 0 : close + reach(random);
    const int64_t low = i >= zeros_from ? 0 : std::max<int64_t>(0, close - reach(random));
    const int64_t shown = i >= zeros_from ? 0 : close;
    series[i] = {static_cast<int32_t>(shown),
                 static_cast<int32_t>(high),
                 static_cast<int32_t>(low),
                 static_cast<int32_t>(shown),
                 -7,
                 -7,
                 -7,
                 -7,
                 -7};
  }
  return series;
}

TEST(FastPaths, SameFloatsAsThePlainArithmetic) {
  struct Shape {
    const char* name;
    ScreeningSeries series;
  };
  const Shape shapes[] = {
      {"screening-like", Walk(1, 3000, 30)},
      {"penny prices with flat windows", Walk(2, 3, 1)},
      {"six-digit prices", Walk(3, 100'000, 3000)},  // many bars take the plain way
      {"seven-digit prices", Walk(4, 3'000'000, 20'000)},
      // The plain mean's rounding weighs most against small distances from it.
      {"seven-digit prices moving by a yen", Walk(7, 1'000'000, 1)},
      {"near the int32 limit", Walk(5, INT32_MAX - 5'000'000, 2'000'000)},
      {"fading to zero", Walk(6, 2000, 40, 400)},
  };
  for (const Shape& shape : shapes) {
    for (const Case& c : Cases()) {
      ControlValues controls = ControlValues::Defaults();
      std::string label = std::string(shape.name) + ", " + c.computation;
      for (const auto& [name, value] : c.boxes) {
        controls.Set(name, value);
        label += " " + name + "=" + value;
      }
      ScreeningSeries fast = shape.series;
      ScreeningSeries plain = shape.series;
      const int result = RunComputation(*FindComputation(c.computation), fast, kBars, controls);
      ASSERT_EQ(result, c.plain(plain)) << label;
      for (int i = 1; i <= kBars && result != kFailed; ++i) {
        const ScreeningEntry &a = fast[i], &b = plain[i];
        for (auto slot : {&ScreeningEntry::s1, &ScreeningEntry::s2, &ScreeningEntry::s3,
                          &ScreeningEntry::s4, &ScreeningEntry::s5}) {
          ASSERT_EQ(std::bit_cast<uint32_t>(a.*slot), std::bit_cast<uint32_t>(b.*slot))
              << label << ", bar " << i << ": " << a.*slot << " against " << b.*slot;
        }
      }
    }
  }
}

TEST(FastPaths, RoundsToOneFloatOnlyClearOfTheHalfway) {
  // 1 + 2^-24 lies halfway between two floats; 1 + 2^-23 is a float.
  EXPECT_FALSE(RoundsToOneFloat(1 + 0x1p-24, 0));
  EXPECT_FALSE(RoundsToOneFloat(1 + 0x1p-24 + 0x1p-52 * 10, 10));
  EXPECT_TRUE(RoundsToOneFloat(1 + 0x1p-24 + 0x1p-52 * 11, 10));
  EXPECT_TRUE(RoundsToOneFloat(1 + 0x1p-23, 1000));
  EXPECT_TRUE(RoundsToOneFloat(0, 1000));
  EXPECT_TRUE(RoundsToOneFloat(2 - 0x1p-52, 1000));  // rounds up into the next binade
  // Whatever it accepts near the halfway points of random floats, every double that many ulps
  // either side rounds alike.
  std::mt19937_64 random(11);
  std::uniform_real_distribution<float> value(-1e7f, 1e7f);
  for (int k = 0; k < 200'000; ++k) {
    const float f = value(random);
    const double halfway = (double{f} + std::nextafter(f, INFINITY)) / 2;
    const int64_t offset = static_cast<int64_t>(random() % 20'001) - 10'000;
    const uint64_t bits = std::bit_cast<uint64_t>(halfway) + static_cast<uint64_t>(offset);
    const double v = std::bit_cast<double>(bits);
    const uint64_t ulps = 1 + random() % 4096;
    if (!RoundsToOneFloat(v, ulps)) {
      ASSERT_LE(std::abs(offset), static_cast<int64_t>(ulps)) << v;
      continue;
    }
    ASSERT_EQ(static_cast<float>(std::bit_cast<double>(bits - ulps)), static_cast<float>(v)) << v;
    ASSERT_EQ(static_cast<float>(std::bit_cast<double>(bits + ulps)), static_cast<float>(v)) << v;
  }
}

TEST(FastPaths, AllRoundToOneFloatAsEachDoes) {
  // Runs of values a few units either side of halfway points, some clear of them and some not.
  std::mt19937_64 random(12);
  std::uniform_real_distribution<float> value(1, 1e7f);
  constexpr uint64_t kUlps = 40;
  int clear = 0;
  for (int k = 0; k < 20'000; ++k) {
    std::vector<double> values(1 + k % 9);
    bool each = true;
    for (double& v : values) {
      const float f = value(random);
      const double halfway = (double{f} + std::nextafter(f, INFINITY)) / 2;
      const uint64_t offset = random() % 2 == 0 ? 41 + random() % 1000 : random() % 41;
      v = std::bit_cast<double>(std::bit_cast<uint64_t>(halfway) + offset);
      each = each && RoundsToOneFloat(v, kUlps);
    }
    clear += each;
    ASSERT_EQ(AllRoundToOneFloat(values.data(), static_cast<int>(values.size()), kUlps), each)
        << "run " << k;
  }
  EXPECT_GT(clear, 1000);
}

}  // namespace
}  // namespace varnolt
