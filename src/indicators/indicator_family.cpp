#include "indicators/indicator_family.h"

#include <algorithm>
#include <vector>

#include "indicators/bollinger.h"
#include "indicators/deviation.h"
#include "indicators/dmi.h"
#include "indicators/ichimoku.h"
#include "indicators/kagi.h"
#include "indicators/macd.h"
#include "indicators/moving_average.h"
#include "indicators/new_price.h"
#include "indicators/obv.h"
#include "indicators/parabolic.h"
#include "indicators/percent_r.h"
#include "indicators/point_figure.h"
#include "indicators/psychological.h"
#include "indicators/rci.h"
#include "indicators/renko.h"
#include "indicators/reverse_watch.h"
#include "indicators/rsi.h"
#include "indicators/stochastics.h"
#include "indicators/volume.h"

namespace varnolt {
namespace {

constexpr Pane kTrend = Pane::kTrend;
constexpr Pane kOscillator = Pane::kOscillator;
constexpr std::span<const ParameterBox> kNoBoxes;

// The turn state of a chart that only turns.
constexpr std::array<std::string_view, 5> kTurnSlots = {"+1 up, -1 down, 0 before the first turn"};

// Rows in the order their computations have always been listed; the list items go by index.
constexpr IndicatorFamily kFamilies[] = {
    {"Ichimoku",
     kTrend,
     {{{2, "一目均衡表", DrawIchimoku}}},
     {"CalcIchimoku",
      CalcIchimoku,
      IchimokuWarmUp,
      {"conversion line", "base line", "leading span 1 (shifted ahead)",
       "leading span 2 (shifted ahead)", "close the lagging line is compared with"}},
     kIchimokuBoxes,
     true},
    {"Bollinger",
     kTrend,
     {{{3, "ボリンジャーバンド", DrawBollinger}}},
     {"CalcBollinger",
      CalcBollinger,
      BollingerWarmUp,
      {"close minus mean, in standard deviations", "mean of closes", "standard deviation"}},
     kBollingerBoxes},
    {"Parabolic",
     kTrend,
     {{{4, "パラボリック", DrawParabolic}}},
     {"CalcParabolic", CalcParabolic, ParabolicWarmUp, {"+1 long, -1 short"}},
     kParabolicBoxes},
    {"RSI",
     kOscillator,
     {{{0, "ＲＳＩ", DrawRSI}}},
     {"CalcRSI", CalcRSI, RsiWarmUp, {"RSI over edRSI1, percent"}},
     kRsiBoxes},
    {"RCI",
     kOscillator,
     {{{1, "ＲＣＩ", DrawRCI}}},
     {"CalcRCI", CalcRCI, RciWarmUp, {"RCI over edRci1, percent"}},
     kRciBoxes},
    {"DMI",
     kOscillator,
     {{{2, "ﾃﾞｨﾚｸｼｮﾅﾙ･ﾑｰﾌﾞﾒﾝﾄ", DrawDMI}}},
     {"CalcDMI", CalcDMI, DmiWarmUp, {"+DI", "-DI", "ADX", "ADXR"}},
     kDmiBoxes},
    {"Stochastics",
     kOscillator,
     {{{4, "ｽﾄｷｬｽﾃｨｸｽ", DrawStochastics}}},
     {"CalcStochastics", CalcStochastics, StochasticsWarmUp, {"%K", "%D", "slow %D"}},
     kStochasticsBoxes},
    {"PercentR",
     kOscillator,
     {{{5, "％Ｒｵｼﾚｰﾀｰ", DrawPercentR}}},
     {"CalcPercentR", CalcPercentR, PercentRWarmUp, {"%R"}},
     kPercentRBoxes},
    {"Psychological",
     kOscillator,
     {{{6, "ｻｲｺﾛｼﾞｶﾙﾗｲﾝ", DrawPsychological}}},
     {"CalcPsychological", CalcPsychological, PsychologicalWarmUp, {"rising closes, percent"}},
     kPsychologicalBoxes},
    {"NewPrice",
     kTrend,
     {{{5, "新値足", DrawNewPrice}}},
     {"CalcNewPrice", CalcNewPrice, NewPriceWarmUp, kTurnSlots},
     kNewPriceBoxes},
    {"Renko",
     kTrend,
     {{{6, "練行足", DrawRenko}}},
     {"CalcRenko", CalcRenko, RenkoWarmUp, kTurnSlots},
     kRenkoBoxes},
    {"PointFigure",
     kTrend,
     {{{9, "Ｐ＆Ｆ", DrawPointFigure}}},
     {"CalcPointFigure",
      CalcPointFigure,
      PointFigureWarmUp,
      {"+1 buy, -1 sell, 0 before the first column"}},
     kPointFigureBoxes},
    {"Kagi",
     kTrend,
     {{{7, "カギ足（非時系列）", DrawKagi}, {8, "カギ足（時系列）", DrawKagiTimeSeries}}},
     {"CalcKagi", CalcKagi, KagiWarmUp, {"+1 yang, -1 yin, 0 before the first line"}},
     kKagiBoxes},
    {"MACD",
     kOscillator,
     {{{8, "ＭＡＣＤ", DrawMACD}}},
     {"CalcMACD", CalcMACD, MacdWarmUp, {"MACD", "signal"}},
     kMacdBoxes},
    {"MovingAverages",
     kTrend,
     {{{0, "移動平均（終値）", DrawMovingAverage},
       {1, "移動平均（高値・安値）", DrawMovingAverageHighLow}}},
     {"CalcMovingAverages:averages",
      CalcMovingAveragesAverages,
      MovingAveragesWarmUp,
      {"average of closes over edav1", "average of closes over edav2"}},
     kMovingAverageBoxes},
    {"Deviation",
     kOscillator,
     {{{9, "移動平均線乖離率", DrawDeviation}}},
     {"CalcMovingAverages:deviation",
      CalcMovingAveragesDeviation,
      MovingAveragesDeviationWarmUp,
      {"deviation from the edkai1 average, percent", "deviation from the edkai2 average, percent"}},
     kDeviationBoxes},
    {"Volume", kOscillator, {{{3, "出来高", DrawVolume}}}, {}, kVolumeBoxes},
    {"OBV", kOscillator, {{{7, "ＯＢＶ", DrawOBV}}}, {}, kNoBoxes},
    {"ReverseWatch",
     kOscillator,
     {{{10, "逆ウォッチ曲線", DrawReverseWatch}}},
     {},
     kReverseWatchBoxes},
};

// Built on first use rather than at compile time: with the sanitizers on, the compiler does not
// treat a function's address as a constant it may compare.
const std::vector<ComputationInfo>& ComputationList() {
  static const std::vector<ComputationInfo> computations = [] {
    std::vector<ComputationInfo> list;
    for (const IndicatorFamily& family : kFamilies) {
      if (family.computation.run != nullptr) list.push_back(family.computation);
    }
    return list;
  }();
  return computations;
}

}  // namespace

std::span<const IndicatorFamily> IndicatorFamilies() {
  return kFamilies;
}

const IndicatorFamily* FindFamily(std::string_view name) {
  for (const IndicatorFamily& family : kFamilies) {
    if (family.name == name) return &family;
  }
  return nullptr;
}

const IndicatorFamily* FamilyOfItem(Pane pane, int index) {
  for (const IndicatorFamily& family : kFamilies) {
    if (family.pane != pane) continue;
    for (const PaneItem& item : family.items) {
      if (item.draw && item.index == index) return &family;
    }
  }
  return nullptr;
}

const PaneItem* FindListItem(Pane pane, int index) {
  const IndicatorFamily* family = FamilyOfItem(pane, index);
  if (family == nullptr) return nullptr;
  for (const PaneItem& item : family->items) {
    if (item.index == index) return &item;
  }
  return nullptr;
}

int ListItemCount(Pane pane) {
  int count = 0;
  for (const IndicatorFamily& family : kFamilies) {
    if (family.pane != pane) continue;
    for (const PaneItem& item : family.items) {
      if (item.draw) count = std::max(count, item.index + 1);
    }
  }
  return count;
}

std::span<const ComputationInfo> Computations() {
  return ComputationList();
}

const ComputationInfo* FindComputation(std::string_view name) {
  for (const ComputationInfo& info : ComputationList()) {
    if (info.name == name) return &info;
  }
  return nullptr;
}

}  // namespace varnolt
