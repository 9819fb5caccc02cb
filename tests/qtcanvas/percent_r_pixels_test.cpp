#include <gtest/gtest.h>

#include <QImage>

#include <vector>

#include "indicators/parabolic.h"
#include "indicators/percent_r.h"
#include "indicators/psychological.h"
#include "qtcanvas/qimage_canvas.h"

namespace varnolt {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 120;

// Closes rising three bars in five, within a fixed range of 90..110: %R (period 3) stays
// between 55 and 75 and the psychological line (period 7) between 57 and 72, so neither line
// touches a reference line (those are redrawn in copy mode on every run).
DataSet Prices() {
  const std::vector<int32_t> closes = {95, 96, 97, 96, 97, 96, 97, 98, 97, 98, 97, 98, 99, 98, 99};
  DataSet data;
  for (size_t i = 0; i < closes.size(); ++i) {
    Bar bar;
    bar.date = 20240101 + static_cast<int32_t>(i);
    bar.open = bar.close = closes[i];
    bar.high = 110;
    bar.low = 90;
    data.bars.Append(bar);
  }
  data.first_shown = 1;
  data.loaded = data.chart_shown = true;
  return data;
}

using Drawing = DrawingResult (*)(const IndicatorContext&);

QImage Draw(Drawing drawing, const ControlValues& controls, int runs) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QImageCanvas canvas(image);
  canvas.Clear();
  const DataSet data = Prices();
  PriceScale scale;
  scale.upper = 120;
  scale.lower = 80;
  std::string statistics;
  const IndicatorContext context{data, controls, canvas, 1, scale, statistics};
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

TEST(PercentRPixelsTest, SecondRunErasesTheLinesAndKeepsTheReferenceLines) {
  struct Case {
    Drawing drawing;
    const char* period;
    const char* length;
    const char* colour;
  };
  for (const Case& c :
       {Case{DrawPercentR, "edr", "3", "lbr"}, Case{DrawPsychological, "edpsy", "7", "lbpsy"}}) {
    ControlValues controls = ControlValues::Defaults();
    controls.Set(c.period, c.length);
    const QImage once = Draw(c.drawing, controls, 1);
    const QImage twice = Draw(c.drawing, controls, 2);
    controls.Set(c.period, "99");  // longer than the series: reference lines alone
    const QImage reference_only = Draw(c.drawing, controls, 1);

    const Color colour = controls.ColorOf(c.colour);
    EXPECT_GT(CountColour(once, colour), 50) << c.period;
    EXPECT_NE(once, reference_only) << c.period;
    EXPECT_EQ(twice, reference_only) << c.period;
    EXPECT_GT(CountColour(reference_only, kBlack), 5 * 50) << "five dotted lines and labels";
  }
}

TEST(PercentRPixelsTest, ParabolicDotsStayOnASecondRun) {
  const ControlValues controls = ControlValues::Defaults();
  const QImage once = Draw(DrawParabolic, controls, 1);
  EXPECT_EQ(Draw(DrawParabolic, controls, 2), once);
  // Whole 4 × 4 squares in the side colours.
  const int dots =
      CountColour(once, controls.ColorOf("lbpalb")) + CountColour(once, controls.ColorOf("lbpals"));
  EXPECT_EQ(dots % 16, 0);
  EXPECT_GE(dots, 16 * 6);
}

}  // namespace
}  // namespace varnolt
