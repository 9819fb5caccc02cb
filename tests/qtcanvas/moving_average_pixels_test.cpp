#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <string>

#include "chart/price_chart.h"
#include "indicators/bollinger.h"
#include "indicators/moving_average.h"
#include "qtcanvas/qimage_canvas.h"
#include "series/calendar.h"

namespace varnolt {
namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 160;

// Sixty daily candles swinging between about 960 and 1040, so that the averages and bands
// cross bodies, wicks and scale lines.
DataSet Prices() {
  DataSet data;
  const DayNumber first_day = DayFromCivil(2024, 1, 4);
  for (int i = 0; i < 60; ++i) {
    Bar bar;
    bar.date = DayToCompactInt(first_day + i);
    const int32_t middle = 1000 + static_cast<int32_t>(std::lround(35 * std::sin(i / 6.0)));
    bar.open = middle - 4 + 8 * (i % 2);
    bar.close = middle + 4 - 8 * (i % 2);
    bar.high = middle + 6;
    bar.low = middle - 6;
    data.bars.Append(bar);
  }
  data.first_shown = 1;
  data.loaded = data.chart_shown = true;
  return data;
}

PriceScale Scale() {
  PriceScale scale;
  scale.upper = 1060;
  scale.lower = 940;
  scale.interval = 20;
  scale.margin = 5;
  return scale;
}

using Drawing = DrawingResult (*)(const IndicatorContext&);

// The candle chart, then the drawing `runs` times.
QImage Draw(Drawing drawing, const ControlValues& controls, int runs) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QImageCanvas canvas(image);
  canvas.Clear();
  const DataSet data = Prices();
  DrawCandles(data, Scale(), true, canvas);
  std::string statistics;
  const IndicatorContext context{data, controls, canvas, 1, Scale(), statistics};
  for (int run = 0; run < runs; ++run) EXPECT_EQ(drawing(context).message, "");
  return image;
}

int CountColour(const QImage& image, Color colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      count += image.pixel(x, y) == QImageCanvas::ToQRgb(colour) ? 1 : 0;
    }
  }
  return count;
}

TEST(MovingAveragePixelsTest, SecondRunLeavesTheChartAsItWas) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edav1", "3");
  controls.Set("edav2", "8");
  controls.Set("edav3", "20");
  const QImage chart = Draw(DrawMovingAverage, controls, 0);
  const QImage once = Draw(DrawMovingAverage, controls, 1);
  // On white the not-xor pen shows its own colour.
  for (const char* label : {"lbav1", "lbav2", "lbav3"}) {
    EXPECT_GT(
        CountColour(once, controls.ColorOf(label)) - CountColour(chart, controls.ColorOf(label)),
        50)
        << label;
  }
  EXPECT_EQ(Draw(DrawMovingAverage, controls, 2), chart);

  const QImage high_low = Draw(DrawMovingAverageHighLow, controls, 1);
  EXPECT_NE(high_low, chart);
  EXPECT_NE(high_low, once);
  EXPECT_EQ(Draw(DrawMovingAverageHighLow, controls, 2), chart);
}

TEST(MovingAveragePixelsTest, BollingerBandsInGreenAndBlueAndGoneOnASecondRun) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edVo1", "10");
  const QImage chart = Draw(DrawBollinger, controls, 0);
  const QImage once = Draw(DrawBollinger, controls, 1);
  const Color green = Color::Rgb(0, 128, 0);
  const Color blue = Color::Rgb(0, 0, 255);
  EXPECT_GT(CountColour(once, green) - CountColour(chart, green), 50);
  // Two bands, each longer than the middle line is.
  EXPECT_GT(CountColour(once, blue) - CountColour(chart, blue), 100);
  EXPECT_EQ(Draw(DrawBollinger, controls, 2), chart);
}

}  // namespace
}  // namespace varnolt
