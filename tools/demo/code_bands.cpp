#include "demo/code_bands.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

#include "demo/demo_data.h"

namespace varnolt::demo {
namespace {

constexpr CodeBand kBands[] = {
    {1301, 1399, "水産・農林業", 3},
    {1500, 1699, "鉱業", 2},
    {1700, 1999, "建設業", 20},
    {2000, 2299, "食料品", 12},
    {2300, 2399, "情報・通信業", 5},
    {2400, 2499, "サービス業", 8},
    {2500, 2599, "食料品", 5},
    {2600, 2699, "卸売業", 4},
    {2700, 2799, "小売業", 6},
    {2800, 2999, "食料品", 8},
    {3000, 3099, "小売業", 4},
    {3100, 3199, "繊維製品", 6},
    {3200, 3299, "不動産業", 5},
    {3400, 3499, "化学", 4},
    {3500, 3599, "繊維製品", 4},
    {3600, 3799, "情報・通信業", 7},
    {3800, 3899, "パルプ・紙", 4},
    {3900, 3999, "情報・通信業", 3},
    {4000, 4499, "化学", 20},
    {4500, 4599, "医薬品", 12},
    {4600, 4699, "化学", 4},
    {4700, 4799, "情報・通信業", 8},
    {4800, 4899, "サービス業", 4},
    {4900, 4999, "化学", 6},
    {5000, 5099, "石油・石炭製品", 3},
    {5100, 5199, "ゴム製品", 4},
    {5200, 5399, "ガラス・土石製品", 8},
    {5400, 5499, "鉄鋼", 8},
    {5700, 5899, "非鉄金属", 9},
    {5900, 5999, "金属製品", 8},
    {6000, 6499, "機械", 28},
    {6500, 6999, "電気機器", 36},
    {7000, 7099, "輸送用機器", 3},
    {7200, 7299, "輸送用機器", 14},
    {7400, 7499, "卸売業", 6},
    {7500, 7699, "小売業", 10},
    {7700, 7799, "精密機器", 8},
    {7800, 7999, "その他製品", 8},
    {8000, 8099, "卸売業", 12},
    {8100, 8299, "小売業", 12},
    {8300, 8399, "銀行業", 14},
    {8400, 8599, "その他金融業", 6},
    {8600, 8699, "証券・商品先物取引業", 5},
    {8700, 8799, "保険業", 4},
    {8800, 8999, "不動産業", 10},
    {9000, 9099, "陸運業", 10},
    {9100, 9199, "海運業", 4},
    {9200, 9299, "空運業", 2},
    {9300, 9399, "倉庫・運輸関連業", 4},
    {9400, 9499, "情報・通信業", 8},
    {9500, 9599, "電気・ガス業", 8},
    {9600, 9799, "サービス業", 12},
    {9800, 9899, "卸売業", 5},
    {9900, 9997, "小売業", 6},
};

}  // namespace

std::span<const CodeBand> CodeBands() {
  return kBands;
}

int BandOf(int code) {
  for (size_t b = 0; b < std::size(kBands); ++b) {
    if (code >= kBands[b].first && code <= kBands[b].last) return static_cast<int>(b);
  }
  throw std::logic_error("code outside the code bands: " + std::to_string(code));
}

std::vector<int> BandQuotas(int stock_count) {
  const int bands = static_cast<int>(std::size(kBands));
  int total = 0;
  for (const CodeBand& band : kBands) total += band.weight;
  std::vector<int> quota(bands);
  std::vector<std::pair<int, int>> remainders;  // (remainder × total, band)
  int given = 0;
  for (int b = 0; b < bands; ++b) {
    quota[b] = stock_count * kBands[b].weight / total;
    given += quota[b];
    remainders.push_back({stock_count * kBands[b].weight % total, b});
  }
  std::stable_sort(remainders.begin(), remainders.end(),
                   [](const auto& x, const auto& y) { return x.first > y.first; });
  for (int i = 0; given < stock_count; ++i, ++given) ++quota[remainders[i].second];
  std::vector<int> room(bands);
  for (int b = 0; b < bands; ++b) room[b] = kBands[b].last - kBands[b].first + 1;
  for (int code : kAnchorCodes) {
    const int band = BandOf(code);
    --room[band];
    int& own = quota[band];
    if (own > 0) {
      --own;
    } else {
      --*std::max_element(quota.begin(), quota.end());
    }
  }
  // Large catalogues fill some bands: what does not fit goes, one stock at a time, to the band
  // with the most free codes. Smaller catalogues never get here, so their codes stay as they
  // were.
  int excess = 0;
  for (int b = 0; b < bands; ++b) {
    const int over = quota[b] - room[b];
    if (over > 0) {
      excess += over;
      quota[b] = room[b];
    }
  }
  for (; excess > 0; --excess) {
    int best = 0;
    for (int b = 1; b < bands; ++b) {
      if (room[b] - quota[b] > room[best] - quota[best]) best = b;
    }
    ++quota[best];
  }
  return quota;
}

}  // namespace varnolt::demo
