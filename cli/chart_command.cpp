#include <QGuiApplication>
#include <QImage>

#include "base/file_error.h"
#include "base/numbers.h"
#include "base/settings_file.h"
#include "chart/command_record.h"
#include "chart/price_chart_controls.h"
#include "commands.h"
#include "indicators/indicator_command.h"
#include "qtcanvas/qimage_canvas.h"
#include "series/series_loader.h"

namespace varnolt::cli {
namespace {

std::pair<int, int> ParseSize(const std::string& text) {
  const auto x = text.find('x');
  const std::optional<int> width =
      x == std::string::npos ? std::nullopt : ParseInt(text.substr(0, x));
  const std::optional<int> height =
      x == std::string::npos ? std::nullopt : ParseInt(text.substr(x + 1));
  if (!width || !height || *width < 100 || *height < 100 || *width > 20000 || *height > 20000) {
    throw UsageError("--size needs WxH, each from 100 to 20000");
  }
  return {*width, *height};
}

}  // namespace

// chart [--size WxH] [--settings FILE] [--set CONTROL=TEXT]... [--unit U] [--no-adjust]
//       --record RECORD --out FILE TEXT START END
// Loads data 1, replays the command record onto a white image and saves it.
int ChartCommand(Context& context, Args& args) {
  const auto [width, height] = ParseSize(args.TakeOption("--size").value_or("1000x700"));
  ControlValues controls = ReadControlOptions(args);
  LoadRequest request;
  request.unit = ParseUnitArgument(args.TakeOption("--unit").value_or("day"));
  request.adjust = !args.TakeFlag("--no-adjust");
  const auto record = args.TakeOption("--record");
  const auto out = args.TakeOption("--out");
  if (!record || !out) throw UsageError("chart needs --record and --out");
  if (!out->ends_with(".png") && !out->ends_with(".bmp"))
    throw UsageError("--out must end in .png or .bmp");
  const auto words = args.Positionals(3);
  request.code_or_name = words[0];
  request.start = words[1];
  request.end = words[2];

  DataSet data_set;
  const LoadOutcome loaded = LoadSeries(data_set, request, context.folder, context.today);
  if (!loaded.message.empty()) throw UserMessage(loaded.message);
  const std::string name_box = loaded.code_box.value_or(request.code_or_name);
  controls.Set("cbdata1", name_box);

  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "varnolt-cli";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);
  QImage image(width, height, QImage::Format_RGB32);
  QImageCanvas canvas(image);
  canvas.Clear();

  std::string statistics;
  // The display command over the current controls, as the 表示 button of 基本(ﾃﾞｰﾀ１) runs it.
  auto show_price_chart = [&] {
    const PriceChartResult shown = ShowPriceChart(
        data_set, PriceBoxesFromControls(controls, 1), name_box,
        ReadFinancialRecordOrNone(context.folder.DataDir(), data_set.current_code), false, canvas);
    if (!shown.message.empty()) throw UserMessage(shown.message);
    StorePriceBoxes(shown.boxes, 1, controls);
    const auto [from_name, to_name] = TrendRegionNames(1);
    controls.Set(from_name, shown.boxes.region_from);
    controls.Set(to_name, shown.boxes.region_to);
    return true;
  };
  const HolidayList holidays = LoadHolidayList(context.folder.File("holidays.txt"));
  IndicatorCommandEnvironment environment{data_set,   controls,         canvas,   1,
                                          statistics, show_price_chart, &holidays};
  ReplayRecord(*record, [&](const RecordItem& item) {
    IndicatorCommandResult result;
    switch (item.kind) {
      case 1:
        if (item.item < 1 || item.item > 3)
          throw UserMessage("unknown chart type " + std::to_string(item.item) +
                            " (1 candlesticks, 2 close bars, 3 close line)");
        controls.Set("edv1", item.from);
        controls.Set("edv2", item.to);
        controls.SetChecked("rbfour", item.item == 1);
        controls.SetChecked("rbendbox", item.item == 2);
        controls.SetChecked("rbendline", item.item == 3);
        show_price_chart();
        return;
      case 3:
        controls.Set("cbchart1", std::to_string(item.item));
        controls.Set("edcv1", item.from);
        controls.Set("edcv2", item.to);
        result = RunTrendCommand(environment);
        break;
      case 4:
        controls.Set("cbos1", std::to_string(item.item));
        controls.Set("edov1", item.from);
        controls.Set("edov2", item.to);
        result = RunOscillatorCommand(environment);
        break;
      default:
        throw UserMessage("unknown record kind " + std::to_string(item.kind) +
                          " (1 price bars, 2 skipped, 3 trend chart, 4 oscillator)");
    }
    if (!result.message.empty()) throw UserMessage(result.message);
  });

  if (!image.save(QString::fromStdString(*out))) throw FileError("cannot write " + *out);
  context.out << statistics;
  return 0;
}

}  // namespace varnolt::cli
