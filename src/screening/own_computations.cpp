#include "screening/own_computations.h"

#include <algorithm>

namespace varnolt {
namespace {

constexpr int kFailure = static_cast<int>(kFailureCode);

}  // namespace

int CalcCloseRatio(ScreeningSeries& series, int bars, int days) {
  if (bars == 0) return 0;
  const int before = bars - days;
  if (before < 1 || before > bars) return kFailure;
  // Every entry has a close (days without one are not entries), so the ratio is defined.
  series[bars].s1 =
      static_cast<float>(static_cast<double>(series[bars].close) / series[before].close);
  return 0;
}

int CalcHighLowRange(ScreeningSeries& series, int bars, int days) {
  if (bars == 0) return 0;
  if (days < 1 || days > bars) return kFailure;
  int32_t high = series[bars].high;
  int32_t low = series[bars].low;
  for (int i = bars - days + 1; i < bars; ++i) {
    high = std::max(high, series[i].high);
    low = std::min(low, series[i].low);
  }
  if (low == 0) return kFailure;
  ScreeningEntry& entry = series[bars];
  entry.s1 = static_cast<float>(static_cast<double>(high) / low);
  entry.s2 = static_cast<float>(high);
  entry.s3 = static_cast<float>(low);
  return 0;
}

int CalcAveragePurchasePrice(ScreeningSeries& series, int bars, int32_t average_price) {
  if (bars == 0) return 1;
  if (average_price == 0) return kFailure;
  series[bars].s1 = static_cast<float>(average_price);
  return 0;
}

}  // namespace varnolt
