#include <gtest/gtest.h>

#include <QImage>

#include <set>
#include <string>
#include <vector>

#include "indicators/dmi.h"
#include "indicators/oscillator_frame.h"
#include "indicators/stochastics.h"
#include "qtcanvas/qimage_canvas.h"

namespace varnolt {
namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 160;

// Sixty bars that trend up, down and sideways, so every line moves and crosses the levels.
DataSet Trends() {
  DataSet data;
  int32_t close = 1000;
  for (int i = 0; i < 60; ++i) {
    const int step = i < 20 ? 12 : i < 35 ? -15 : (i % 3 == 0 ? 9 : -5);
    const int32_t open = close;
    close += step + (i * 7) % 5 - 2;
    Bar bar;
    bar.date = DayToCompactInt(CompactToDay("20240101") + i);
    bar.open = open;
    bar.close = close;
    bar.high = std::max(open, close) + 3 + i % 4;
    bar.low = std::min(open, close) - 2 - i % 3;
    data.bars.Append(bar);
  }
  data.first_shown = 10;
  data.loaded = data.chart_shown = true;
  return data;
}

struct Oscillator {
  const char* name;
  DrawingResult (*draw)(const IndicatorContext&);
  const char* period;  // a box that, set beyond the data, leaves only the reference lines
  double upper;
  double lower;
  std::vector<int64_t> levels;
  std::vector<Color> colours;  // of the lines, as the default controls have them
};

const Oscillator kOscillators[] = {
    {"DMI",
     DrawDMI,
     "edpmdi",
     55,
     -10,
     {0, 20, 50},
     {Color::Rgb(0, 255, 255), Color::Rgb(255, 0, 0), Color::Rgb(128, 128, 0),
      Color::Rgb(255, 255, 0)}},
    {"stochastics",
     DrawStochastics,
     "edstk",
     110,
     -10,
     {0, 100, 50, 70, 30},
     {Color::Rgb(0, 255, 0), Color::Rgb(255, 0, 0), Color::Rgb(255, 255, 0)}},
};

ControlValues Controls(const Oscillator& oscillator, bool lines) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edpmdi", "5");
  controls.Set("edadx", "4");
  controls.Set("edstsd", "3");
  if (!lines) controls.Set(oscillator.period, "1000");
  return controls;
}

// The image after `runs` runs of the drawing on a white image.
QImage Draw(const Oscillator& oscillator, bool lines, int runs) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QImageCanvas canvas(image);
  canvas.Clear();
  const DataSet data = Trends();
  const ControlValues controls = Controls(oscillator, lines);
  std::string statistics;
  PriceScale scale;
  scale.margin = 3;
  for (int run = 0; run < runs; ++run) {
    EXPECT_EQ(oscillator.draw({data, controls, canvas, 1, scale, statistics}).message, "");
  }
  return image;
}

std::set<int> LevelRows(const Oscillator& oscillator) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QImageCanvas canvas(image);
  const DataSet data = Trends();
  const ControlValues controls = ControlValues::Defaults();
  std::string statistics;
  PriceScale scale;
  scale.margin = 3;
  const IndicatorFrame frame = OscillatorFrame({data, controls, canvas, 1, scale, statistics},
                                               oscillator.upper, oscillator.lower);
  std::set<int> rows;
  for (const int64_t level : oscillator.levels) rows.insert(frame.Y(level));
  return rows;
}

TEST(DmiStochasticsPixels, SecondRunErasesTheLinesAndKeepsTheReferenceLines) {
  for (const Oscillator& oscillator : kOscillators) {
    SCOPED_TRACE(oscillator.name);
    const QImage reference = Draw(oscillator, false, 1);
    const QImage once = Draw(oscillator, true, 1);
    const QImage twice = Draw(oscillator, true, 2);
    const std::set<int> rows = LevelRows(oscillator);

    int line_pixels = 0;
    std::set<QRgb> colours_on_white;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (once.pixel(x, y) != reference.pixel(x, y)) ++line_pixels;
        if (reference.pixel(x, y) == qRgb(255, 255, 255)) colours_on_white.insert(once.pixel(x, y));
        if (twice.pixel(x, y) == reference.pixel(x, y)) continue;
        // Only a reference line's dot that a line crossed stays changed: the second run drew
        // the dot again in copy mode before inverting it once more.
        ASSERT_TRUE(rows.count(y)) << x << "," << y;
        ASSERT_EQ(reference.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
        ASSERT_EQ(twice.pixel(x, y), once.pixel(x, y)) << x << "," << y;
      }
    }
    EXPECT_GT(line_pixels, 150);
    // Not-xor over white leaves each line in its own colour.
    for (const Color colour : oscillator.colours) {
      EXPECT_TRUE(colours_on_white.count(QImageCanvas::ToQRgb(colour))) << std::hex << colour.value;
    }
  }
}

}  // namespace
}  // namespace varnolt
