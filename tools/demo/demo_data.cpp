#include "demo/demo_data.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <numeric>
#include <optional>
#include <set>
#include <span>
#include <stdexcept>
#include <string_view>

#include "base/file_error.h"
#include "base/program_folder.h"
#include "demo/japan_holidays.h"
#include "series/calendar.h"
#include "store/year_file.h"

namespace varnolt::demo {
namespace {

// ---------------------------------------------------------------------------------------------
// Random numbers. Our own generator (xoshiro256**, seeded through splitmix64) and our own
// conversions, so that a seed gives the same folder with every compiler and standard library.

uint64_t Mix(uint64_t z) {
  z += 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

class Random {
 public:
  explicit Random(uint64_t seed) {
    for (uint64_t& word : state_) {
      seed += 0x9E3779B97F4A7C15ULL;
      word = Mix(seed);
    }
  }

  uint64_t Next() {
    const uint64_t result = std::rotl(state_[1] * 5, 7) * 9;
    const uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = std::rotl(state_[3], 45);
    return result;
  }

  // [0, 1) with 53 random bits.
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  double Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  double LogUniform(double lo, double hi) { return lo * std::exp(std::log(hi / lo) * Uniform()); }
  bool Chance(double p) { return Uniform() < p; }

  // lo … hi inclusive.
  int Int(int lo, int hi) {
    const uint64_t span = static_cast<uint64_t>(hi - lo) + 1;
    return lo + static_cast<int>(((Next() >> 32) * span) >> 32);
  }

  // Standard normal deviate (Box–Muller).
  double Normal() {
    const double u = 1.0 - Uniform();
    const double v = Uniform();
    return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * std::numbers::pi * v);
  }

  template <typename T>
  const T& Pick(std::span<const T> items) {
    return items[Int(0, static_cast<int>(items.size()) - 1)];
  }

 private:
  std::array<uint64_t, 4> state_;
};

// One stream per purpose (and per stock), so that the draws of one part do not shift those of
// another: the price walk of a stock does not change when the catalogue draws one name more.
enum Purpose : uint64_t { kCatalogue = 1, kPlan, kMarket, kStockTraits, kWalk, kFinance };

Random Stream(uint32_t seed, Purpose purpose, uint64_t index = 0) {
  return Random(Mix(Mix(Mix(seed) ^ purpose) ^ index));
}

// ---------------------------------------------------------------------------------------------
// The catalogue.

// Stretches of the code range and the sector most of their codes belong to; the weight is the
// share of stocks drawn from the stretch.
struct CodeBand {
  int first;
  int last;
  std::string_view sector;
  int weight;
};

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

int BandOf(int code) {
  for (size_t b = 0; b < std::size(kBands); ++b) {
    if (code >= kBands[b].first && code <= kBands[b].last) return static_cast<int>(b);
  }
  throw std::logic_error("code outside the code bands: " + std::to_string(code));
}

struct SectorWords {
  std::string_view sector;
  std::vector<std::string_view> endings;
};

const std::vector<SectorWords>& NameEndings() {
  static const std::vector<SectorWords> words = {
      {"水産・農林業", {"水産", "漁業", "農産", "林業", "種苗"}},
      {"鉱業", {"鉱業", "石油開発", "資源", "鉱山"}},
      {"建設業", {"建設", "工務店", "組", "住建", "土木", "舗道", "電設", "建工"}},
      {"食料品", {"食品", "製菓", "製粉", "製糖", "乳業", "酒造", "ハム", "醤油", "製油"}},
      {"繊維製品", {"紡績", "織物", "繊維", "毛織", "レース", "染工"}},
      {"パルプ・紙", {"製紙", "紙業", "パルプ", "紙工"}},
      {"化学", {"化学工業", "化成", "化学", "塗料", "合成", "ソーダ", "化工"}},
      {"医薬品", {"製薬", "薬品", "薬品工業", "新薬"}},
      {"石油・石炭製品", {"石油", "石油精製", "燃料", "石炭"}},
      {"ゴム製品", {"ゴム", "ゴム工業", "タイヤ", "化工品"}},
      {"ガラス・土石製品", {"硝子", "セメント", "窯業", "碍子", "耐火", "陶器"}},
      {"鉄鋼", {"製鋼", "製鉄", "鋼管", "特殊鋼", "鋳鋼"}},
      {"非鉄金属", {"金属鉱業", "電線", "伸銅", "軽金属", "精錬"}},
      {"金属製品", {"金属", "製作所", "鋼業", "金網", "発條"}},
      {"機械", {"機械", "精機", "重工業", "機工", "鉄工所", "工機"}},
      {"電気機器", {"電機", "電気", "電子", "無線", "通信機", "電工", "電装"}},
      {"輸送用機器", {"自動車", "自動車工業", "車体", "造船", "発動機", "車輌"}},
      {"精密機器", {"光学", "計器", "精密", "時計", "医科器械"}},
      {"その他製品", {"印刷", "楽器", "玩具", "文具", "家具", "工芸"}},
      {"電気・ガス業", {"電力", "瓦斯", "ガス", "エネルギー"}},
      {"陸運業", {"鉄道", "運輸", "急行電鉄", "バス", "通運", "陸運"}},
      {"海運業", {"汽船", "海運", "船舶", "郵船"}},
      {"空運業", {"航空", "エアサービス", "空輸"}},
      {"倉庫・運輸関連業", {"倉庫", "港運", "物流", "運輸倉庫"}},
      {"情報・通信業", {"通信", "システム", "放送", "ソフト", "情報", "テレビ", "ネット"}},
      {"卸売業", {"商事", "商会", "物産", "興業", "交易", "通商"}},
      {"小売業", {"百貨店", "商店", "ストア", "薬局", "堂", "チェーン"}},
      {"銀行業", {"銀行", "信託銀行"}},
      {"証券・商品先物取引業", {"証券", "商品取引"}},
      {"保険業", {"火災海上", "生命", "損害保険", "少額短期保険"}},
      {"その他金融業", {"リース", "信販", "クレジット", "ファイナンス"}},
      {"不動産業", {"不動産", "地所", "土地", "住宅", "興産"}},
      {"サービス業", {"サービス", "企画", "警備保障", "観光", "ホテル", "人材センター"}},
  };
  return words;
}

constexpr std::string_view kNameStarts[] = {
    "北日本", "東洋",   "第一",   "大和", "日本", "中央", "関西",   "東京", "大阪",
    "名古屋", "九州",   "北海道", "三協", "富士", "昭和", "太平洋", "旭",   "朝日",
    "共栄",   "協和",   "明和",   "山陽", "四国", "中部", "東北",   "北陸", "信越",
    "西日本", "南海",   "瀬戸内", "湘南", "平和", "相互", "大同",   "日東", "日新",
    "双葉",   "千代田", "帝国",   "丸三", "栄光", "光洋", "新日本", "東邦", "菱和",
    "千葉",   "横浜",   "京都",   "神戸", "広島", "岡山", "静岡",   "新潟", "長野",
    "熊本",   "鹿児島", "琉球",   "北越", "常磐", "房総", "武蔵",   "三河", "尾張",
    "伊勢",   "紀州",   "阿波",   "土佐", "筑紫", "敷島", "大洋",   "八洲", "高砂",
};

constexpr std::string_view kHoldings = "ホールディングス";

struct Market {
  std::string_view name;
  int weight;
};

// The markets of the market filter list that stocks trade on, with their share of the stocks.
constexpr Market kMarkets[] = {
    {"東証一部", 40}, {"東証二部", 14}, {"東証ﾏｻﾞｰｽﾞ", 7}, {"大証", 6},       {"名証", 5},
    {"JASDAQ", 18},   {"札証", 2},      {"福証", 3},       {"ヘラクレス", 5},
};
constexpr std::string_view kFirstSection = "東証一部";

bool IsYoungMarket(std::string_view market) {
  return market == "東証ﾏｻﾞｰｽﾞ" || market == "ヘラクレス";
}

std::string_view PickMarket(Random& random) {
  int total = 0;
  for (const Market& m : kMarkets) total += m.weight;
  int draw = random.Int(0, total - 1);
  for (const Market& m : kMarkets) {
    if (draw < m.weight) return m.name;
    draw -= m.weight;
  }
  return kFirstSection;
}

bool IsAnchor(int code) {
  return std::find(kAnchorCodes.begin(), kAnchorCodes.end(), code) != kAnchorCodes.end();
}

// Stocks per band: the weights' shares of the count, whole parts first, then the largest
// remainders; the anchors take places of their own bands.
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
  for (int code : kAnchorCodes) {
    int& own = quota[BandOf(code)];
    if (own > 0) {
      --own;
    } else {
      --*std::max_element(quota.begin(), quota.end());
    }
  }
  return quota;
}

std::string InventName(Random& random, std::string_view sector, std::set<std::string>& taken) {
  const auto& all = NameEndings();
  const auto words = std::find_if(all.begin(), all.end(),
                                  [sector](const SectorWords& w) { return w.sector == sector; });
  const std::span<const std::string_view> endings(words->endings);
  const std::span<const std::string_view> starts(kNameStarts);
  for (int attempt = 0;; ++attempt) {
    std::string name(random.Pick(starts));
    // Two starts once the short names run out ("東洋中央化学").
    if (attempt >= 50) name += random.Pick(starts);
    name += random.Pick(endings);
    if (random.Chance(0.08)) name += kHoldings;
    if (taken.insert(name).second) return name;
  }
}

// Indexes of `count` different stocks, anchors left out when `skip_anchors`.
std::vector<int> PickStocks(Random& random, const std::vector<int>& codes, int count,
                            bool skip_anchors) {
  std::vector<int> candidates;
  for (int i = 0; i < static_cast<int>(codes.size()); ++i) {
    if (!skip_anchors || !IsAnchor(codes[i])) candidates.push_back(i);
  }
  std::vector<int> chosen;
  while (static_cast<int>(chosen.size()) < count && !candidates.empty()) {
    const int k = random.Int(0, static_cast<int>(candidates.size()) - 1);
    chosen.push_back(candidates[k]);
    candidates.erase(candidates.begin() + k);
  }
  return chosen;
}

// ---------------------------------------------------------------------------------------------
// Prices.

// The exchange's tick sizes: the price step allowed within each price range.
int64_t TickSize(double price) {
  struct Step {
    double up_to;
    int64_t tick;
  };
  static constexpr Step kSteps[] = {
      {3000, 1},     {5000, 5},       {30000, 10},     {50000, 50},       {300000, 100},
      {500000, 500}, {3000000, 1000}, {5000000, 5000}, {30000000, 10000}, {50000000, 50000},
  };
  for (const Step& step : kSteps) {
    if (price <= step.up_to) return step.tick;
  }
  return 100000;
}

// Range bounds are multiples of the ticks on both sides, so a price rounded with its own
// range's tick is also a multiple of the tick of the range it ends up in.
int32_t NearestTick(double price) {
  const int64_t tick = TickSize(price);
  return static_cast<int32_t>(std::max<int64_t>(tick, std::llround(price / tick) * tick));
}
int32_t TickAbove(double price) {
  const int64_t tick = TickSize(price);
  return static_cast<int32_t>(
      std::max<int64_t>(tick, std::llround(std::ceil(price / tick)) * tick));
}
int32_t TickBelow(double price) {
  const int64_t tick = TickSize(price);
  return static_cast<int32_t>(std::max<int64_t>(1, std::llround(std::floor(price / tick)) * tick));
}

// Yearly log drift of the market factor, roughly the broad Japanese market's moves; other
// years drift slightly up.
double MarketDrift(int year) {
  static constexpr double kDrift[] = {
      -0.32, -0.27, -0.21, 0.22, 0.07, 0.34,  0.07, -0.12, -0.55, 0.17,  -0.03, -0.19, 0.21,
      0.45,  0.07,  0.09,  0.00, 0.17, -0.13, 0.17, 0.15,  0.05,  -0.10, 0.25,  0.18,  0.23,
  };
  const int i = year - 2000;
  return i >= 0 && i < static_cast<int>(std::size(kDrift)) ? kDrift[i] : 0.03;
}

constexpr double kMarketSigma = 0.009;  // daily
constexpr double kTradingDaysPerYear = 245;
constexpr double kReversion = 0.0008;  // daily pull of a stock's own level back to its start
constexpr double kNewsChance = 0.003;  // a day with company news
constexpr double kNewsSigma = 0.07;
constexpr int64_t kLongVolume = 1000000000;  // ten digits: stored in units of 10,000 shares
constexpr double kMaxVolume = 2e10;

constexpr float kSplitFactors[] = {2.0f, 1.5f, 5.0f, 10.0f, 2.0f, 100.0f};
constexpr float kMergeFactors[] = {0.1f, 0.2f};

struct Anchor {
  int code;
  double price;
};
constexpr Anchor kAnchorPrices[] = {{1301, 300},   {4502, 4200}, {6501, 850},
                                    {7203, 23000}, {8306, 160},  {9997, 380000}};

// What a stock is and what happens to it, fixed before the walk.
struct StockPlan {
  int code = 0;
  double base_price = 0;  // price on the first day of the walk
  double sigma = 0;       // daily volatility
  double beta = 1;
  double idio_sigma = 0;
  double base_volume = 0;  // shares per day at the start
  int lot = 1;             // volumes are multiples of it
  int unit_shares = 100;
  int listing = 0;          // index of the first trading day with prices
  int suspended_from = -1;  // [from, to): trading-day indexes without prices
  int suspended_to = -1;
  int event_day = -1;  // split or merge taking effect on this trading day
  float event_factor = 0;
  bool has_finance = true;

  int Span(int day_count) const { return day_count - listing; }
  bool Suspended(int t) const { return t >= suspended_from && t < suspended_to; }
};

StockPlan StockTraits(uint32_t seed, const DemoStock& stock) {
  Random random = Stream(seed, kStockTraits, static_cast<uint64_t>(stock.code));
  StockPlan plan;
  plan.code = stock.code;
  const bool young = IsYoungMarket(stock.market);
  const double high_priced_share = young ? 0.35 : stock.market == "JASDAQ" ? 0.10 : 0.03;
  plan.base_price = random.Chance(high_priced_share) ? random.LogUniform(20000, 600000)
                                                     : random.LogUniform(120, 6000);
  plan.sigma = random.Uniform(0.015, 0.025) + (young || stock.market == "JASDAQ" ? 0.004 : 0.0);
  plan.beta = random.Uniform(0.6, 1.4);
  const double market_part = plan.beta * kMarketSigma;
  plan.idio_sigma = std::sqrt(std::max(plan.sigma * plan.sigma - market_part * market_part,
                                       0.25 * plan.sigma * plan.sigma));
  plan.unit_shares = random.Chance(0.8) ? 100 : 1000;
  const double turnover =
      stock.market == kFirstSection ? random.LogUniform(3e7, 5e9) : random.LogUniform(2e6, 5e8);
  for (const Anchor& anchor : kAnchorPrices) {
    if (anchor.code == stock.code) plan.base_price = anchor.price;
  }
  plan.base_volume = turnover / plan.base_price;
  if (stock.code == kHeavyTradedCode) {
    plan.base_volume = 4.5e8;
    plan.unit_shares = 100;
  }
  // High-priced stocks trade in single shares.
  plan.lot = plan.base_price >= 20000 ? 1 : plan.unit_shares;
  return plan;
}

bool FitsSplit(const StockPlan& plan, float factor) {
  if (factor >= 100) return plan.base_price >= 30000;
  if (factor >= 10) return plan.base_price >= 4000;
  if (factor >= 5) return plan.base_price >= 2000;
  if (factor >= 2) return plan.base_price >= 500;
  if (factor > 1) return plan.base_price >= 300;
  if (factor <= 0.1f) return plan.base_price <= 500;
  return plan.base_price <= 1500;
}

// Late listings, suspensions, splits and merges and the stocks without financial figures.
void PlanEvents(uint32_t seed, const std::vector<DemoStock>& stocks, int day_count, int years,
                std::vector<StockPlan>& plans) {
  Random random = Stream(seed, kPlan);
  const int n = static_cast<int>(plans.size());
  std::vector<int> codes;
  for (const StockPlan& plan : plans) codes.push_back(plan.code);

  // Younger markets list more of their stocks within the years.
  if (day_count >= 120) {
    for (int i = 0; i < n; ++i) {
      if (IsAnchor(plans[i].code)) continue;
      const std::string& market = stocks[i].market;
      const double late = IsYoungMarket(market) ? 0.7 : market == "JASDAQ" ? 0.35 : 0.12;
      if (random.Chance(late)) plans[i].listing = random.Int(1, day_count - 60);
    }
  }

  const double stock_years = static_cast<double>(n) * years;
  const int suspensions = std::max(1, static_cast<int>(std::lround(stock_years / 1000)));
  for (int index : PickStocks(random, codes, suspensions, true)) {
    StockPlan& plan = plans[index];
    const int length = random.Int(10, 40);
    if (plan.Span(day_count) < length + 60) continue;
    plan.suspended_from = random.Int(plan.listing + 20, day_count - length - 20);
    plan.suspended_to = plan.suspended_from + length;
  }

  // About eight splits and two merges per decade across 400 stocks, at least one of each.
  const int splits = std::max(1, static_cast<int>(std::lround(stock_years * 8 / 4000)));
  const int merges = std::max(1, static_cast<int>(std::lround(stock_years * 2 / 4000)));
  std::vector<float> factors;
  for (int i = 0; i < splits; ++i) factors.push_back(kSplitFactors[i % std::size(kSplitFactors)]);
  for (int i = 0; i < merges; ++i) factors.push_back(kMergeFactors[i % std::size(kMergeFactors)]);
  for (float factor : factors) {
    // The heavily traded anchor keeps its billion-share days.
    auto free = [&](const StockPlan& p) {
      return p.event_day < 0 && p.code != kHeavyTradedCode && p.Span(day_count) >= 80;
    };
    std::vector<int> fitting, any;
    for (int i = 0; i < n; ++i) {
      if (!free(plans[i])) continue;
      any.push_back(i);
      if (FitsSplit(plans[i], factor)) fitting.push_back(i);
    }
    const std::vector<int>& pool = fitting.empty() ? any : fitting;
    if (pool.empty()) break;
    StockPlan& plan = plans[pool[random.Int(0, static_cast<int>(pool.size()) - 1)]];
    int day = random.Int(plan.listing + 40, day_count - 1);
    // Not on the day trading resumes, whose gap would hide the split's own step.
    if (day >= plan.suspended_from && day <= plan.suspended_to) day = plan.suspended_to + 5;
    if (day >= day_count) continue;
    plan.event_day = day;
    plan.event_factor = factor;
  }

  const int without_finance = std::clamp(n / 80, 1, 5);
  for (int index : PickStocks(random, codes, without_finance, true)) {
    plans[index].has_finance = false;
  }
}

// A stock's price walk: a share of the market factor plus its own mean-reverting level, in
// prices of the stock as first listed; `scale` turns them into traded prices after splits.
struct Walk {
  explicit Walk(Random r) : random(r) {}
  Random random;
  double own = 0;
  double market_at_listing = 0;
  double scale = 1;          // product of the split factors so far
  double last_adjusted = 0;  // last close × scale at that time; 0 before the first close
  int32_t last_close = 0;
};

int64_t StoredVolume(int64_t shares) {
  return shares >= kLongVolume ? -(shares / 10000) : shares;
}

// One trading day of one stock: a row, or nothing before listing and while suspended.
std::optional<DayRow> StepStock(const StockPlan& plan, Walk& walk, int t, double market) {
  if (t < plan.listing) return std::nullopt;
  Random& random = walk.random;
  if (t == plan.listing) {
    walk.market_at_listing = market;
  } else {
    walk.own = walk.own * (1 - kReversion) + plan.idio_sigma * random.Normal();
    if (random.Chance(kNewsChance)) walk.own += kNewsSigma * random.Normal();
  }
  const double gap = random.Normal();
  const double up = std::abs(random.Normal());
  const double down = std::abs(random.Normal());
  const double activity = random.Normal();
  if (t == plan.event_day) walk.scale *= plan.event_factor;
  if (plan.Suspended(t)) return std::nullopt;

  const double adjusted =
      plan.base_price * std::exp(plan.beta * (market - walk.market_at_listing) + walk.own);
  const double close = std::clamp(adjusted / walk.scale, 1.0, 1e9);
  const double previous = walk.last_adjusted > 0 ? walk.last_adjusted / walk.scale : close;
  const double open = std::clamp(previous * std::exp(0.3 * plan.sigma * gap), 1.0, 1e9);
  const double high = std::max(open, close) * std::exp(0.5 * plan.sigma * up);
  const double low = std::min(open, close) * std::exp(-0.5 * plan.sigma * down);

  DayRow row;
  row.code = plan.code;
  const int32_t o = NearestTick(open);
  const int32_t c = NearestTick(close);
  row.open = o;
  row.close = c;
  row.high = std::max({TickAbove(high), o, c});
  row.low = std::min({TickBelow(low), o, c});
  // Busier on days that move more; the mean of 1 + 1.5|z| is about 2.2.
  const double move = std::abs(std::log(close / previous)) / plan.sigma;
  double shares = plan.base_volume * walk.scale * std::exp(0.5 * activity) * (1 + 1.5 * move) / 2.2;
  shares = std::min(shares, kMaxVolume);
  const int64_t lots = std::max<int64_t>(1, std::llround(shares / plan.lot));
  row.volume = static_cast<int32_t>(StoredVolume(lots * plan.lot));
  if (t == plan.event_day) row.split = plan.event_factor;

  walk.last_adjusted = c * walk.scale;
  walk.last_close = c;
  return row;
}

// ---------------------------------------------------------------------------------------------
// Financial data.

void StoreFloat(float value, std::string& bytes, size_t offset) {
  const uint32_t bits = std::bit_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

double RoundTo(double x, double step) {
  return std::round(x / step) * step;
}

// Figures consistent with the price: PER 6–35, PBR 0.5–5, yield at most 5 %.
std::array<float, 6> FinancialRecord(uint32_t seed, const DemoStock& stock, double price,
                                     int unit_shares) {
  Random random = Stream(seed, kFinance, static_cast<uint64_t>(stock.code));
  const double per = random.LogUniform(6, 35);
  // ROE such that PBR = PER × ROE / 100 stays within 0.5–5.
  const double roe = random.Uniform(std::max(1.0, 50 / per), std::min(25.0, 500 / per));
  const double pbr = per * roe / 100;
  const double eps = std::max(0.01, RoundTo(price / per, 0.01));
  const double bps = std::max(0.01, RoundTo(price / pbr, 0.01));
  const bool financial = stock.sector == "銀行業" || stock.sector == "保険業" ||
                         stock.sector == "証券・商品先物取引業";
  const double equity_ratio = stock.sector == "銀行業" ? random.Uniform(0.03, 0.07)
                              : financial              ? random.Uniform(0.05, 0.2)
                                                       : random.Uniform(0.25, 0.75);
  double dividend = 0;
  if (random.Chance(0.9)) {
    dividend = std::min(eps * random.Uniform(0.15, 0.5), price * 0.05);
    dividend = std::floor(dividend * 2) / 2;  // half-yen steps
  }
  return {static_cast<float>(dividend),
          static_cast<float>(eps),
          static_cast<float>(bps),
          static_cast<float>(RoundTo(roe, 0.01)),
          static_cast<float>(RoundTo(roe * equity_ratio, 0.01)),
          static_cast<float>(unit_shares)};
}

// 10001 index words (word c + 1: record number of code c), then 24-byte records in code order.
constexpr size_t kFinanceIndexBytes = 2 + 2 * 10000;
constexpr size_t kFinanceRecordBytes = 24;

std::string FinanceFile(uint32_t seed, const std::vector<DemoStock>& stocks,
                        const std::vector<StockPlan>& plans, const std::vector<Walk>& walks) {
  std::string bytes(kFinanceIndexBytes, '\0');
  uint16_t record = 0;
  for (size_t i = 0; i < stocks.size(); ++i) {
    if (!plans[i].has_finance) continue;
    const double price = walks[i].last_close > 0 ? walks[i].last_close : plans[i].base_price;
    const auto figures = FinancialRecord(seed, stocks[i], price, plans[i].unit_shares);
    ++record;
    const size_t index = 2 + 2 * static_cast<size_t>(stocks[i].code);
    bytes[index] = static_cast<char>(record & 0xFF);
    bytes[index + 1] = static_cast<char>(record >> 8);
    const size_t offset = bytes.size();
    bytes.resize(offset + kFinanceRecordBytes);
    for (size_t f = 0; f < figures.size(); ++f) StoreFloat(figures[f], bytes, offset + 4 * f);
  }
  return bytes;
}

// ---------------------------------------------------------------------------------------------

void RequireEmptyFolder(const std::filesystem::path& root) {
  std::error_code error;
  if (!std::filesystem::exists(root, error)) return;
  if (!std::filesystem::is_directory(root, error)) {
    throw FileError(DisplayName(root) + " はフォルダではありません");
  }
  if (!std::filesystem::is_empty(root, error) || error) {
    throw FileError("フォルダ " + DisplayName(root) +
                    " は空ではありません。デモデータは新しいフォルダか空のフォルダに作ります");
  }
}

}  // namespace

std::vector<DemoStock> DemoCatalogue(uint32_t seed, int stock_count) {
  if (stock_count < static_cast<int>(kAnchorCodes.size()) || stock_count > kMaxDemoStocks) {
    throw std::invalid_argument("stock count out of range: " + std::to_string(stock_count));
  }
  Random random = Stream(seed, kCatalogue);
  const std::vector<int> quota = BandQuotas(stock_count);
  std::set<int> codes(kAnchorCodes.begin(), kAnchorCodes.end());
  for (size_t b = 0; b < quota.size(); ++b) {
    for (int i = 0; i < quota[b]; ++i) {
      while (!codes.insert(random.Int(kBands[b].first, kBands[b].last)).second) {
      }
    }
  }

  std::vector<DemoStock> stocks;
  std::set<std::string> names;
  for (int code : codes) {
    DemoStock stock;
    stock.code = code;
    stock.sector = kBands[BandOf(code)].sector;
    stock.market = IsAnchor(code) ? kFirstSection : PickMarket(random);
    stock.name = InventName(random, stock.sector, names);
    stocks.push_back(std::move(stock));
  }

  std::vector<int> all(stocks.size());
  std::iota(all.begin(), all.end(), 0);
  const int checked = std::max(1, stock_count / 80);
  const int grouped = std::max(1, stock_count / 100);
  const auto picked = PickStocks(random, all, checked + grouped, false);
  for (size_t i = 0; i < picked.size(); ++i) {
    stocks[picked[i]].check = static_cast<int>(i) < checked ? "◎" : "◎注目◎";
  }
  return stocks;
}

Lines CatalogueLines(const std::vector<DemoStock>& stocks) {
  Lines lines;
  lines.reserve(3 * stocks.size());
  for (const DemoStock& stock : stocks) {
    lines.push_back(std::to_string(stock.code));
    lines.push_back(stock.name);
    lines.push_back("●" + stock.sector + "●○" + stock.market + "○" + stock.check);
  }
  return lines;
}

DemoSummary GenerateDemoFolder(const std::filesystem::path& root, const DemoOptions& options) {
  const int today_year = options.today / 10000;
  if (!IsValidCivil(today_year, options.today / 100 % 100, options.today % 100)) {
    throw std::invalid_argument("not a valid date: " + std::to_string(options.today));
  }
  const int last_year = options.last_year != 0 ? options.last_year : today_year;
  if (options.first_year < kFirstHolidayYear || last_year > kLastHolidayYear ||
      options.first_year > last_year) {
    throw std::invalid_argument("years out of range: " + std::to_string(options.first_year) + "–" +
                                std::to_string(last_year));
  }
  const DayNumber first_day = DayFromCivil(options.first_year, 1, 1);
  const DayNumber today = DayFromCivil(today_year, options.today / 100 % 100, options.today % 100);
  if (today < first_day) throw std::invalid_argument("today lies before the first year");
  const std::vector<DemoStock> stocks = DemoCatalogue(options.seed, options.stock_count);
  RequireEmptyFolder(root);

  const ProgramFolder folder(root);
  folder.EnsureDataDir();
  WriteLines(folder.File("codedata.txt"), CatalogueLines(stocks));
  const Lines holiday_lines =
      HolidayFileLines(std::min(1990, options.first_year), std::max(2035, last_year));
  WriteLines(folder.File("holidays.txt"), holiday_lines);

  const HolidayList holidays(holiday_lines);
  std::vector<DayNumber> days;
  for (DayNumber d = first_day; d <= std::min(today, DayFromCivil(last_year, 12, 31)); ++d) {
    if (IsTradingDay(d, holidays)) days.push_back(d);
  }
  const int day_count = static_cast<int>(days.size());
  const int years = last_year - options.first_year + 1;

  std::vector<StockPlan> plans;
  std::vector<Walk> walks;
  for (const DemoStock& stock : stocks) {
    plans.push_back(StockTraits(options.seed, stock));
    walks.emplace_back(Stream(options.seed, kWalk, static_cast<uint64_t>(stock.code)));
  }
  PlanEvents(options.seed, stocks, day_count, years, plans);

  Random market_random = Stream(options.seed, kMarket);
  double market = 0;
  DemoSummary summary{static_cast<int>(stocks.size()), options.first_year, last_year, 0};
  int t = 0;
  std::vector<DayRow> rows;
  for (int year = options.first_year; year <= last_year; ++year) {
    rows.clear();
    const DayNumber new_year = DayFromCivil(year, 1, 1);
    for (; t < day_count && CivilFromDay(days[t]).year == year; ++t) {
      if (t > 0) {
        market += MarketDrift(year) / kTradingDaysPerYear + kMarketSigma * market_random.Normal();
      }
      const int day_index = days[t] - new_year + 1;
      for (size_t i = 0; i < plans.size(); ++i) {
        auto row = StepStock(plans[i], walks[i], t, market);
        // The store has no record for 31 December of a leap year; the exchange is closed then.
        if (!row || day_index > kDaysPerSlot) continue;
        row->day_index = day_index;
        rows.push_back(*row);
      }
    }
    WriteDayRecords(folder.YearFile(year), rows);
    summary.rows += static_cast<int64_t>(rows.size());
  }

  WriteBytesAtomically(folder.DataDir() / "finance.dat",
                       FinanceFile(options.seed, stocks, plans, walks));
  return summary;
}

}  // namespace varnolt::demo
