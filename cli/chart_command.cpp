#include <QGuiApplication>
#include <QImage>

#include "base/file_error.h"
#include "base/numbers.h"
#include "base/settings_file.h"
#include "chart/command_record.h"
#include "chart/price_chart_controls.h"
#include "cli_context.h"
#include "qtcanvas/qimage_canvas.h"
#include "series/series_loader.h"

namespace varnolt::cli {
namespace {

std::pair<int, int> ParseSize(const std::string& text) {
  const auto x = text.find('x');
  const std::optional<int> width = x == std::string::npos ? std::nullopt : ParseInt(text.substr(0, x));
  const std::optional<int> height = x == std::string::npos ? std::nullopt : ParseInt(text.substr(x + 1));
  if (!width || !height || *width < 100 || *height < 100 || *width > 20000 || *height > 20000) {
    throw UsageError("--size needs WxH, each from 100 to 20000");
  }
  return {*width, *height};
}

// Built-in values, then a settings file, then each --set NAME=TEXT.
ControlValues ReadControls(Args& args) {
  ControlValues controls = ControlValues::Defaults();
  if (const auto settings = args.TakeOption("--settings")) ApplySettings(ReadLines(*settings), controls);
  while (const auto assignment = args.TakeOption("--set")) {
    const auto equals = assignment->find('=');
    if (equals == std::string::npos) throw UsageError("--set needs CONTROL=TEXT");
    const std::string name = assignment->substr(0, equals);
    if (!controls.Has(name)) throw UsageError("unknown control " + name);
    controls.Set(name, assignment->substr(equals + 1));
  }
  return controls;
}

DataUnit ParseUnitName(const std::string& text) {
  static const char* kNames[] = {"day", "week", "month", "quarter", "year"};
  for (int i = 0; i < 5; ++i) {
    if (text == kNames[i]) return static_cast<DataUnit>(i);
  }
  throw UsageError("unknown unit " + text);
}

}  // namespace

// chart [--size WxH] [--settings FILE] [--set CONTROL=TEXT]... [--unit U] [--no-adjust]
//       --record RECORD --out FILE TEXT START END
// Loads data 1, replays the command record onto a white image and saves it.
int ChartCommand(Context& context, Args& args) {
  const auto [width, height] = ParseSize(args.TakeOption("--size").value_or("1000x700"));
  ControlValues controls = ReadControls(args);
  LoadRequest request;
  request.unit = ParseUnitName(args.TakeOption("--unit").value_or("day"));
  request.adjust = !args.TakeFlag("--no-adjust");
  const auto record = args.TakeOption("--record");
  const auto out = args.TakeOption("--out");
  if (!record || !out) throw UsageError("chart needs --record and --out");
  if (!out->ends_with(".png") && !out->ends_with(".bmp")) throw UsageError("--out must end in .png or .bmp");
  const auto words = args.Positionals(3);
  request.code_or_name = words[0];
  request.start = words[1];
  request.end = words[2];

  DataSet data_set;
  const LoadOutcome loaded = LoadSeries(data_set, request, context.folder, context.today);
  if (!loaded.message.empty()) throw UserMessage(loaded.message);
  const std::string name_box = loaded.code_box.value_or(request.code_or_name);

  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "varnolt-cli";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);
  QImage image(width, height, QImage::Format_RGB32);
  QImageCanvas canvas(image);
  canvas.Clear();

  std::string statistics;
  ReplayRecord(*record, [&](const RecordItem& item) {
    if (item.kind != 1) {
      throw UserMessage("record items of kind " + std::to_string(item.kind) + " are not drawn yet");
    }
    PriceChartBoxes boxes = PriceBoxesFromControls(controls, 1);
    boxes.region_from = item.from;
    boxes.region_to = item.to;
    if (item.item < 1 || item.item > 3) throw UserMessage("unknown chart type " + std::to_string(item.item));
    boxes.type = static_cast<ChartType>(item.item);
    const PriceChartResult shown = ShowPriceChart(
        data_set, boxes, name_box, ReadFinancialRecordOrNone(context.folder.DataDir(), data_set.current_code),
        false, canvas);
    if (!shown.message.empty()) throw UserMessage(shown.message);
    StorePriceBoxes(shown.boxes, 1, controls);
  });

  if (!image.save(QString::fromStdString(*out))) throw FileError("cannot write " + *out);
  context.out << statistics;
  return 0;
}

}  // namespace varnolt::cli
