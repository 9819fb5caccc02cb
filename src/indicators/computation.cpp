#include "indicators/computation.h"

#include "base/file_error.h"

#include "indicators/bollinger.h"
#include "indicators/deviation.h"
#include "indicators/dmi.h"
#include "indicators/ichimoku.h"
#include "indicators/kagi.h"
#include "indicators/macd.h"
#include "indicators/new_price.h"
#include "indicators/parabolic.h"
#include "indicators/percent_r.h"
#include "indicators/point_figure.h"
#include "indicators/psychological.h"
#include "indicators/rci.h"
#include "indicators/renko.h"
#include "indicators/rsi.h"
#include "indicators/stochastics.h"

namespace varnolt {
namespace {

constexpr ComputationInfo kComputations[] = {
    {"CalcIchimoku", CalcIchimoku},
    {"CalcBollinger", CalcBollinger},
    {"CalcParabolic", CalcParabolic},
    {"CalcRSI", CalcRSI},
    {"CalcRCI", CalcRCI},
    {"CalcDMI", CalcDMI},
    {"CalcStochastics", CalcStochastics},
    {"CalcPercentR", CalcPercentR},
    {"CalcPsychological", CalcPsychological},
    {"CalcNewPrice", CalcNewPrice},
    {"CalcRenko", CalcRenko},
    {"CalcPointFigure", CalcPointFigure},
    {"CalcKagi", CalcKagi},
    {"CalcMACD", CalcMACD},
    {"CalcMovingAverages:averages", CalcMovingAveragesAverages},
    {"CalcMovingAverages:deviation", CalcMovingAveragesDeviation},
};

}  // namespace

std::span<const ComputationInfo> Computations() {
  return kComputations;
}

const ComputationInfo* FindComputation(std::string_view name) {
  for (const ComputationInfo& info : kComputations) {
    if (info.name == name) return &info;
  }
  return nullptr;
}

int RunComputation(const ComputationInfo& info, ScreeningSeries& series, int bars,
                   const ControlValues& controls) {
  try {
    return info.run(series, bars, controls);
  } catch (const ComputationFault&) {
    return static_cast<int>(kFailureCode);
  } catch (const ConversionError&) {
    return static_cast<int>(kFailureCode);
  }
}

}  // namespace varnolt
