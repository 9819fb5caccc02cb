#pragma once

#include <optional>
#include <string>

#include "analysis/analysis_chart.h"
#include "base/color.h"
#include "chart/canvas.h"
#include "series/calendar.h"

namespace varnolt {

// The boxes of the Gann page that place the box.
struct GannBoxes {
  std::string date;             // edGdat: start date, compact; empty for the first displayed bar
  std::string high;             // edghi: empty for the chart's upper price
  std::string low;              // edglo: empty for the chart's lower price
  std::string unit = "1";       // edgpe
  bool time_per_price = false;  // cbghi item 1 "時間/価格": the unit is bars per yen
};

// The box in pixels: (x1, y1) at the start bar and the low, (x2, y2) at the end position and the
// high; top and bottom are the rows of the chart's band.
struct GannCorners {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int top = 0;
  int bottom = 0;
};

struct GannBoxResult {
  std::optional<GannCorners> box;
  std::string message;  // a warning when there is no box
  std::string date;     // the start bar's date for edGdat, once it is found
};

// The box over data set `data_number`'s chart. It starts at the first displayed bar dated on or
// after the date box and is (high − low) × bars-per-yen wide; with calendar spacing its ends
// stand where the bars of those numbers stand. Throws ConversionError for a box that does not
// read as a number.
GannBoxResult GannBox(const DataSet& data_set, const ControlValues& controls, int data_number,
                      const GannBoxes& boxes, const HolidayList& holidays, int width, int height);

// The grid command's check: date, high and low hold digits only (empty boxes pass).
bool GannBoxesReadable(const GannBoxes& boxes);

// The grid of `divisions` parts each way (2, 4 or 8) and the two diagonals extended across the
// plot, drawn with the inverting pen so that drawing it again erases it. A box without width has
// no diagonals.
void DrawGannGrid(Canvas& canvas, const GannCorners& box, int divisions, Color color);

// The fraction of a cbg1 … cbg4 item: 1, 7/8, … 0, and −1 for "ﾅｼ".
double GannFraction(int item);

enum class GannLineKind { kTwoPoints = 0, kFromHigh = 1, kFromLow = 2 };

// The line command: the line through the two fraction points A (fx1, fy1) and B (fx2, fy2), or
// the lines from the high or low corner through each of them; inverting pen. Returns a warning
// when the two-point line lacks its second point, and then draws nothing.
std::string DrawGannLines(Canvas& canvas, const GannCorners& box, GannLineKind kind, int fx1,
                          int fy1, int fx2, int fy2, Color color);

}  // namespace varnolt
