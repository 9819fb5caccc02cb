#include "indicators/indicator_command.h"

#include "base/numbers.h"
#include "chart/command_record.h"
#include "chart/region_map.h"
#include "indicators/bollinger.h"
#include "indicators/deviation.h"
#include "indicators/dmi.h"
#include "indicators/ichimoku.h"
#include "indicators/indicator_context.h"
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

// Names of one data set's controls that an indicator command reads.
struct CommandNames {
  const char* upper;
  const char* lower;
  const char* margin;
  const char* calendar;
  const char* from;
  const char* to;
  const char* list;
};

CommandNames TrendNames(int data_number) {
  return data_number == 2
             ? CommandNames{"edUP2",  "edDown2", "edspc2",  "cbcalen2",
                            "ed2cv1", "ed2cv2",  "cbchart2"}
             : CommandNames{"edUP", "edDown", "edspc", "cbcalen", "edcv1", "edcv2", "cbchart1"};
}

CommandNames OscillatorNames(int data_number) {
  return data_number == 2
             ? CommandNames{"edUP2", "edDown2", "edspc2", "cbcalen2", "ed2ov1", "ed2ov2", "cbos2"}
             : CommandNames{"edUP", "edDown", "edspc", "cbcalen", "edov1", "edov2", "cbos1"};
}

// The shared steps: price chart first, scale and regions read, region check, the drawing,
// the record item. `after` runs after the drawing, before the record item is appended. A
// drawing that fails ends the command there, with its message and without a record item.
template <typename Dispatch, typename After>
IndicatorCommandResult RunCommand(IndicatorCommandEnvironment& environment,
                                  const CommandNames& names, int kind, Dispatch dispatch,
                                  After after) {
  IndicatorCommandResult result;
  if (!environment.data.chart_shown && !environment.show_price_chart()) return result;
  const ControlValues& controls = environment.controls;
  PriceScale scale;
  scale.upper = ToInt(controls.Text(names.upper));
  scale.lower = ToInt(controls.Text(names.lower));
  scale.margin = ToInt(controls.Text(names.margin));
  scale.calendar = controls.Checked(names.calendar);
  const auto [from, to] = ReadRegionBoxes(controls.Text(names.from), controls.Text(names.to));
  if (from < 1 || from > 10 || to < 1 || to > 10 || to < from) {
    result.message = kBadRegionsMessage;
    return result;
  }
  scale.from = from;
  scale.to = to;
  const int item = controls.ItemIndex(names.list);
  const Drawing drawing = dispatch(item);
  // An item whose drawing is not there draws nothing and records nothing.
  if (drawing == nullptr) return result;
  IndicatorContext context{environment.data,        controls, environment.canvas,
                           environment.data_number, scale,    environment.statistics,
                           environment.holidays};
  DrawingResult drawn = drawing(context);
  result.message = std::move(drawn.message);
  if (drawn.failed) return result;
  after(item);
  environment.data.command_record +=
      RecordText({kind, item, std::to_string(from), std::to_string(to)});
  result.drawn = true;
  return result;
}

template <size_t N>
Drawing ItemDrawing(const Drawing (&drawings)[N], int item) {
  return item >= 0 && item < static_cast<int>(N) ? drawings[item] : nullptr;
}

}  // namespace

IndicatorCommandResult RunTrendCommand(IndicatorCommandEnvironment& environment) {
  static constexpr Drawing kDrawings[] = {
      DrawMovingAverage,  DrawMovingAverageHighLow,
      DrawIchimoku,       DrawBollinger,
      DrawParabolic,      DrawNewPrice,
      DrawRenko,          DrawKagi,
      DrawKagiTimeSeries, DrawPointFigure,
  };
  constexpr int kIchimoku = 2;
  return RunCommand(
      environment, TrendNames(environment.data_number), 3,
      [](int item) { return ItemDrawing(kDrawings, item); },
      [&](int item) {
        // Ichimoku's cloud covers the bars: the price chart is drawn again on top, twice, as
        // the command has always done.
        if (item != kIchimoku) return;
        environment.show_price_chart();
        environment.show_price_chart();
      });
}

IndicatorCommandResult RunOscillatorCommand(IndicatorCommandEnvironment& environment) {
  static constexpr Drawing kDrawings[] = {
      DrawRSI,           DrawRCI, DrawDMI,  DrawVolume,    DrawStochastics,  DrawPercentR,
      DrawPsychological, DrawOBV, DrawMACD, DrawDeviation, DrawReverseWatch,
  };
  return RunCommand(
      environment, OscillatorNames(environment.data_number), 4,
      [](int item) { return ItemDrawing(kDrawings, item); }, [](int) {});
}

}  // namespace varnolt
