#pragma once

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "chart/data_set.h"
#include "chart/region_map.h"
#include "indicators/indicator_context.h"
#include "series/calendar.h"
#include "series/screening_series.h"
#include "support/recording_canvas.h"

// Inputs and read-backs shared by the indicator tests: data sets and screening series built
// from a few prices, and a recording canvas wired into an IndicatorContext.
namespace varnolt::testing {

// One bar's high, low and close; the open is taken to be the close.
struct Hlc {
  int32_t high;
  int32_t low;
  int32_t close;
};

// One bar's close (also its open, high and low) and volume.
struct CloseVolume {
  int32_t close;
  int32_t volume;
};

// Bars whose open, high, low and close are the close, dated 20240101 + i as plain numbers,
// so from the 32nd bar on the dates are no real days. Shown from `first_shown`, loaded and on
// the chart.
DataSet DataOf(const std::vector<int32_t>& closes, int first_shown = 1);

// Bars on consecutive calendar days from `first_day`, shown from `first_shown`, loaded and on
// the chart. Open, high, low and close are the close; every bar has `volume`.
DataSet DailyDataOf(const std::vector<int32_t>& closes, int first_shown, DayNumber first_day,
                    int32_t volume = 0);
// The same with a volume for each bar.
DataSet DailyDataOf(const std::vector<CloseVolume>& bars, int first_shown, DayNumber first_day);
// The same with high and low of their own; the open is the close.
DataSet DailyDataOf(const std::vector<Hlc>& bars, int first_shown, DayNumber first_day);

// Entries 1.. holding the closes as open, high, low and close, with `leftovers` in s1, s2, …
// as an earlier computation would have left them, so a test sees which slots are written.
ScreeningSeries SeriesWithLeftovers(const std::vector<int32_t>& closes,
                                    std::initializer_list<float> leftovers);
// The same with high and low of their own; the open is the close.
ScreeningSeries SeriesWithLeftovers(const std::vector<Hlc>& bars,
                                    std::initializer_list<float> leftovers);

// `count` closes from `first`, each the last moved by `move` and held within low..high.
std::vector<int32_t> ClampedWalk(std::mt19937& random, std::uniform_int_distribution<int32_t>& move,
                                 int32_t first, int count, int32_t low, int32_t high);

// One yen to one row on the default 660 × 400 canvas: all ten regions give a band of 385
// rows from row 0, so a price p sits on row 1385 − p.
PriceScale OneRowPerYen();

using IndicatorDrawing = Drawing;

// A recording canvas and what one drawing run left: the statistics page and the message.
struct Drawn {
  explicit Drawn(int width = 660) : canvas(width, 400) {}

  // Runs `drawing` once as data 1 onto this canvas and statistics page.
  void Run(IndicatorDrawing drawing, const DataSet& data, const ControlValues& controls,
           const PriceScale& scale);

  RecordingCanvas canvas;
  std::string statistics;
  std::string message;
};

// Everything an indicator drawing reads and writes, kept together so a test can change a
// control and draw again: the default controls, a 660 × 400 canvas, and a statistics page
// holding an earlier listing, which a drawing must replace or leave alone.
struct DrawingBench {
  explicit DrawingBench(DataSet data_set) : data(std::move(data_set)) {}

  IndicatorContext Context() { return {data, controls, canvas, 1, scale, statistics}; }

  DataSet data;
  ControlValues controls = ControlValues::Defaults();
  RecordingCanvas canvas;
  std::string statistics = "earlier listing";
  PriceScale scale;
};

// A segment as the recording canvas writes it: "line x1,y1-x2,y2".
std::string LineText(const PixelPoint& from, const PixelPoint& to);

// The texts of the solid not-xor segments drawn in a colour: an oscillator's line.
std::vector<std::string> DrawnSegments(const RecordingCanvas& canvas, Color colour);

}  // namespace varnolt::testing
