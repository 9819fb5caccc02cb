// What every indicator family must satisfy, run over the family table: a family added there is
// checked here without a test of its own for these points.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "base/file_error.h"
#include "indicators/indicator_family.h"
#include "support/indicator_data.h"
#include "support/recording_canvas.h"

namespace varnolt {
namespace {

using testing::RecordingCanvas;

constexpr DayNumber kFirstDay = 19723;  // 2024-01-01

// A data set from closes with a high and a low either side and a volume per bar.
DataSet DataFrom(const std::vector<int32_t>& closes, int spread, int32_t volume, int first_shown) {
  DataSet data = testing::DailyDataOf(closes, first_shown, kFirstDay, volume);
  for (int bar = 1; bar <= data.bars.Count(); ++bar) {
    data.bars[bar].high += spread * (bar % 3);
    data.bars[bar].low -= spread * ((bar + 1) % 3);
    if (volume > 0) data.bars[bar].volume += 37 * (bar % 5);
  }
  return data;
}

std::vector<int32_t> RandomCloses(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int32_t> move(-30, 30);
  return testing::ClampedWalk(random, move, 1000, count, 500, 1500);
}

struct DataCase {
  const char* name;
  DataSet data;
};

// Random data, and data no family can do much with.
std::vector<DataCase> DataCases() {
  return {{"random", DataFrom(RandomCloses(80, 5), 4, 1000, 20)},
          {"random from bar 1", DataFrom(RandomCloses(40, 9), 2, 500, 1)},
          {"flat", DataFrom(std::vector<int32_t>(40, 700), 0, 1000, 10)},
          {"one bar", DataFrom({700}, 3, 1000, 1)},
          {"zero volume", DataFrom(RandomCloses(40, 3), 3, 0, 5)}};
}

struct Bench {
  explicit Bench(DataSet data_set) : data(std::move(data_set)) {
    scale.upper = 1600;
    scale.lower = 400;
    scale.from = 1;
    scale.to = 10;
  }
  DrawingResult Draw(const PaneItem& item) {
    return item.draw({data, controls, canvas, 1, scale, statistics});
  }
  DataSet data;
  ControlValues controls = ControlValues::Defaults();
  RecordingCanvas canvas;
  std::string statistics;
  PriceScale scale;
};

// The pen and brush a drawing left: copy mode and a white brush.
void ExpectPenReset(const RecordingCanvas& canvas, const std::string& where) {
  if (canvas.Calls().empty()) return;  // nothing touched
  EXPECT_EQ(canvas.Calls().back().mode, PenMode::kCopy) << where;
  EXPECT_EQ(canvas.Calls().back().brush, kWhite) << where;
}

ScreeningSeries SeriesFrom(const DataSet& data, float leftover) {
  ScreeningSeries series;
  for (int bar = 1; bar <= data.bars.Count(); ++bar) {
    const Bar& from = data.bars[bar];
    series[bar] = {from.open, from.high, from.low, from.close, leftover,
                   leftover,  leftover,  leftover, leftover};
  }
  return series;
}

std::string Where(const IndicatorFamily& family, const PaneItem& item, const std::string& what) {
  return std::string(family.name) + " item " + std::to_string(item.index) + ", " + what;
}

TEST(IndicatorFamilies, WarmUpCallComputesNothing) {
  const DataSet data = DataFrom(RandomCloses(60, 1), 3, 1000, 1);
  for (const IndicatorFamily& family : IndicatorFamilies()) {
    const ComputationInfo& info = family.computation;
    if (!info.run) continue;
    ScreeningSeries series = SeriesFrom(data, -7);
    const ControlValues controls = ControlValues::Defaults();
    EXPECT_EQ(RunComputation(info, series, 0, controls), info.warm_up(controls)) << family.name;
    EXPECT_GE(info.warm_up(controls), 0) << family.name;
    for (int bar = 1; bar <= 60; ++bar) {
      const ScreeningEntry& e = series[bar];
      EXPECT_EQ(std::tie(e.s1, e.s2, e.s3, e.s4, e.s5), std::make_tuple(-7, -7, -7, -7, -7))
          << family.name << " bar " << bar;
    }
  }
}

// A box that does not read ends the drawing with the conversion error and the computation
// with the failure code; the pen is reset on that exit too.
TEST(IndicatorFamilies, UnreadableParameterBoxFails) {
  const DataSet data = DataFrom(RandomCloses(60, 2), 3, 1000, 10);
  for (const IndicatorFamily& family : IndicatorFamilies()) {
    for (const ParameterBox& box : family.boxes) {
      for (const PaneItem& item : family.items) {
        if (!item.draw) continue;
        Bench bench(data);
        bench.controls.Set(box.name, "x");
        EXPECT_THROW(bench.Draw(item), ConversionError) << Where(family, item, box.name.data());
        ExpectPenReset(bench.canvas, Where(family, item, box.name.data()));
      }
      if (!box.when_computed) continue;
      ControlValues controls = ControlValues::Defaults();
      controls.Set(box.name, "x");
      ScreeningSeries series = SeriesFrom(data, 0);
      EXPECT_EQ(RunComputation(family.computation, series, 60, controls),
                static_cast<int>(kFailureCode))
          << family.name << " " << box.name;
    }
  }
}

// A drawing in not-xor mode takes itself away when drawn again: everything it draws in that
// mode comes twice, and nothing but dotted reference lines and their labels is copied.
TEST(IndicatorFamilies, InvertingDrawingErasesItselfWhenDrawnTwice) {
  int inverting = 0;
  for (const IndicatorFamily& family : IndicatorFamilies()) {
    for (const PaneItem& item : family.items) {
      if (!item.draw) continue;
      Bench bench(DataFrom(RandomCloses(60, 6), 3, 1000, 10));
      bench.Draw(item);
      bench.Draw(item);
      std::map<std::tuple<std::string, uint32_t>, int> inverted;
      bool copied_lines = false;
      for (const RecordingCanvas::Call& call : bench.canvas.Calls()) {
        const bool picture = call.text.starts_with("line ") || call.text.starts_with("rect ") ||
                             call.text.starts_with("ellipse ") || call.text.starts_with("polygon ");
        if (!picture) continue;
        if (call.mode == PenMode::kNotXor) {
          ++inverted[{call.text, call.pen.value}];
        } else if (call.style != PenStyle::kDot) {
          copied_lines = true;
        }
      }
      if (inverted.empty()) continue;  // drawn in copy mode
      ++inverting;
      EXPECT_FALSE(copied_lines) << Where(family, item, "copy-mode drawing");
      for (const auto& [call, count] : inverted) {
        EXPECT_EQ(count % 2, 0) << Where(family, item, std::get<0>(call));
      }
    }
  }
  EXPECT_GE(inverting, 10);
}

// Random and degenerate data: no crash, no NaN in a listing or a slot, the pen reset, and a
// failure only as the failure code.
TEST(IndicatorFamilies, DegenerateDataNeverGivesNaN) {
  for (const DataCase& data_case : DataCases()) {
    for (const IndicatorFamily& family : IndicatorFamilies()) {
      for (const PaneItem& item : family.items) {
        if (!item.draw) continue;
        Bench bench(data_case.data);
        bench.controls.SetChecked("cbshowosci", true);
        bench.Draw(item);
        const std::string where = Where(family, item, data_case.name);
        EXPECT_EQ(bench.statistics.find("nan"), std::string::npos) << where;
        EXPECT_EQ(bench.statistics.find("inf"), std::string::npos) << where;
        ExpectPenReset(bench.canvas, where);
      }
      if (!family.computation.run) continue;
      const int bars = data_case.data.bars.Count();
      ScreeningSeries series = SeriesFrom(data_case.data, 0);
      const int returned =
          RunComputation(family.computation, series, bars, ControlValues::Defaults());
      EXPECT_TRUE(returned == 0 || returned == static_cast<int>(kFailureCode))
          << family.name << " " << data_case.name;
      if (returned != 0) continue;
      for (int bar = 1; bar <= bars; ++bar) {
        const ScreeningEntry& e = series[bar];
        for (const float slot : {e.s1, e.s2, e.s3, e.s4, e.s5}) {
          EXPECT_TRUE(std::isfinite(slot)) << family.name << " " << data_case.name << " " << bar;
        }
      }
    }
  }
}

}  // namespace
}  // namespace varnolt
