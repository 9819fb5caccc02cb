#include <gtest/gtest.h>

#include <QImage>

#include <set>
#include <string>
#include <vector>

#include "indicators/oscillator_frame.h"
#include "indicators/rci.h"
#include "indicators/rsi.h"
#include "qtcanvas/qimage_canvas.h"
#include "support/indicator_data.h"

namespace varnolt {
namespace {

constexpr int kWidth = 220;
constexpr int kHeight = 160;

// Closes that swing up and down, so the lines cross the reference levels.
DataSet Swings() {
  const std::vector<int32_t> closes = {100, 104, 101, 99,  103, 108, 106, 102, 97,  95,
                                       99,  104, 107, 103, 98,  96,  100, 105, 109, 104,
                                       100, 97,  94,  98,  103, 106, 102, 99,  101, 105};
  return testing::DataOf(closes, 5);
}

struct Oscillator {
  const char* name;
  DrawingResult (*draw)(const IndicatorContext&);
  std::vector<const char*> periods;  // the period boxes
  double upper;
  double lower;
  std::vector<int64_t> levels;
};

const Oscillator kOscillators[] = {
    {"RSI", DrawRSI, {"edRSI1", "edRSI2", "edRSI3"}, 110, -10, {0, 100, 50, 70, 30}},
    {"RCI", DrawRCI, {"edRci1", "edRci2", "edrci3"}, 110, -110, {0, 100, -100, 80, -80}},
};

// The image after `runs` runs of the drawing on a white image; no lines with `lines` false.
QImage Draw(const Oscillator& oscillator, bool lines, int runs) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QImageCanvas canvas(image);
  canvas.Clear();
  const DataSet data = Swings();
  ControlValues controls = ControlValues::Defaults();
  const char* periods[] = {"3", "5", "9"};
  for (size_t k = 0; k < 3; ++k) controls.Set(oscillator.periods[k], lines ? periods[k] : "");
  controls.SetChecked("cbrsi", false);
  std::string statistics;
  PriceScale scale;
  scale.margin = 2;
  for (int run = 0; run < runs; ++run) {
    EXPECT_EQ(oscillator.draw({data, controls, canvas, 1, scale, statistics}).message, "");
  }
  return image;
}

// Rows of the reference lines.
std::set<int> LevelRows(const Oscillator& oscillator) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QImageCanvas canvas(image);
  const DataSet data = Swings();
  const ControlValues controls = ControlValues::Defaults();
  std::string statistics;
  PriceScale scale;
  scale.margin = 2;
  const IndicatorFrame frame = OscillatorFrame({data, controls, canvas, 1, scale, statistics},
                                               oscillator.upper, oscillator.lower);
  std::set<int> rows;
  for (const int64_t level : oscillator.levels) rows.insert(frame.Y(level));
  return rows;
}

TEST(RsiRciPixels, SecondRunErasesTheLinesAndKeepsTheReferenceLines) {
  for (const Oscillator& oscillator : kOscillators) {
    SCOPED_TRACE(oscillator.name);
    const QImage reference = Draw(oscillator, false, 1);
    const QImage once = Draw(oscillator, true, 1);
    const QImage twice = Draw(oscillator, true, 2);
    const std::set<int> rows = LevelRows(oscillator);

    int line_pixels = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (once.pixel(x, y) != reference.pixel(x, y)) ++line_pixels;
        if (twice.pixel(x, y) == reference.pixel(x, y)) continue;
        // Only a dot of a reference line that a line crossed stays changed: the second run
        // drew the dot again in copy mode before inverting it once more.
        ASSERT_TRUE(rows.count(y)) << x << "," << y;
        ASSERT_EQ(reference.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
        ASSERT_EQ(twice.pixel(x, y), once.pixel(x, y)) << x << "," << y;
      }
    }
    EXPECT_GT(line_pixels, 100);
    // The lines are drawn in their colours on white: lime for line 1.
    EXPECT_TRUE([&] {
      for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
          if (reference.pixel(x, y) == qRgb(255, 255, 255) && once.pixel(x, y) == qRgb(0, 255, 0)) {
            return true;
          }
        }
      }
      return false;
    }());
  }
}

}  // namespace
}  // namespace varnolt
