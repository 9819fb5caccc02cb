// The display command drawing 10,000 daily candlesticks on a 1600×1000 image, against the same
// number of bare QPainter rectangles and lines on the same image, in the same run.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>

#include "chart/price_chart.h"
#include "qtcanvas/qimage_canvas.h"

namespace {

using namespace varnolt;

constexpr int kBars = 10000;

DataSet MakeDataSet() {
  DataSet data_set;
  int32_t price = 2000;
  for (int i = 0; i < kBars; ++i) {
    price += (i * 7919 % 41) - 20;
    price = std::max(price, 100);
    const int year = 1985 + i / 250;
    const int month = 1 + (i % 250) / 21 % 12;
    const int day = 1 + i % 21;
    data_set.bars.Append({year * 10000 + month * 100 + day, price, price + 15, price - 15,
                          price + (i % 3) * 5 - 5, 1000, 0});
  }
  data_set.first_shown = 1;
  data_set.loaded = true;
  return data_set;
}

void BM_DisplayCommandAgainstBarePainter(benchmark::State& state) {
  DataSet data_set = MakeDataSet();
  QImage image(1600, 1000, QImage::Format_RGB32);
  QImageCanvas canvas(image);
  PriceChartBoxes boxes;
  using Clock = std::chrono::steady_clock;
  Clock::duration display_time{}, bare_time{};
  for (auto _ : state) {
    canvas.Clear();
    data_set.command_record.clear();
    const auto t0 = Clock::now();
    const PriceChartResult result =
        ShowPriceChart(data_set, boxes, "1301 : 銘柄", std::nullopt, false, canvas);
    const auto t1 = Clock::now();
    {
      // The strokes a candlestick needs: a wick, a body and two short lines.
      QPainter painter(&image);
      painter.setPen(Qt::red);
      painter.setBrush(Qt::red);
      for (int i = 0; i < kBars; ++i) {
        const int x = 30 + i * 1540 / kBars;
        const int y = 100 + (i * 37) % 800;
        painter.drawLine(x, y - 10, x, y + 10);
        painter.drawRect(x - 1, y - 4, 2, 8);
        painter.drawLine(x - 1, y - 4, x + 1, y - 4);
        painter.drawLine(x - 1, y + 4, x + 1, y + 4);
      }
    }
    const auto t2 = Clock::now();
    display_time += t1 - t0;
    bare_time += t2 - t1;
    if (!result.message.empty()) state.SkipWithError(result.message.c_str());
  }
  state.counters["display_per_bare"] =
      std::chrono::duration<double>(display_time) / std::chrono::duration<double>(bare_time);
}
BENCHMARK(BM_DisplayCommandAgainstBarePainter)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
