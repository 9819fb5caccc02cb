#pragma once

#include <optional>
#include <string>

#include "chart/canvas.h"
#include "chart/data_set.h"
#include "chart/region_map.h"
#include "store/financial_data.h"

namespace varnolt {

enum class ChartType { kCandles = 1, kCloseBars = 2, kCloseLine = 3 };

// The boxes of a basic settings page ("基本(ﾃﾞｰﾀ１)" or "基本(ﾃﾞｰﾀ2)") as the user left them.
struct PriceChartBoxes {
  std::string upper;          // edUP
  std::string lower;          // edDown
  std::string interval;       // edInter
  std::string margin = "10";  // edspc
  std::string region_from = "1";
  std::string region_to = "10";
  bool automatic = true;  // cbauto1
  bool auxiliary = true;  // cbsup
  bool calendar = false;  // cbcalen
  ChartType type = ChartType::kCandles;
};

// The price scale and regions a display used; indicators of the same data set draw on it.
struct PriceScale {
  int64_t upper = 0;
  int64_t lower = 0;
  int64_t interval = 1000;
  int64_t margin = 0;
  int from = 1;
  int to = 10;
  bool calendar = false;
};

struct PriceChartResult {
  std::string message;  // a warning; nothing was drawn
  PriceChartBoxes
      boxes;  // the boxes afterwards (the automatic scale writes upper, lower, interval)
  PriceScale scale;
  std::string caption;
};

// Interval of the scale lines: a fifth of the range cut to its leading digit (270 → 50).
int64_t TickInterval(int64_t high, int64_t low);

// " 日足　" etc. after the name box text.
std::string UnitCaption(const std::string& name_box, DataUnit unit);

// The mapping frame of a data set's price chart for a scale and an image size.
RegionFrame PriceFrame(const DataSet& data_set, const PriceScale& scale, int width, int height);

// The display command ("表示") after its undo snapshot: checks the boxes, works out the scale,
// draws the chart type, sets the chart-shown flag, appends to the command record and writes
// the caption with the financial summary.
PriceChartResult ShowPriceChart(DataSet& data_set, const PriceChartBoxes& boxes,
                                const std::string& name_box,
                                const std::optional<FinancialRecord>& financial, bool zoom,
                                Canvas& canvas);

// The three drawings over an already checked scale.
void DrawCandles(const DataSet& data_set, const PriceScale& scale, bool auxiliary, Canvas& canvas);
void DrawCloseBars(const DataSet& data_set, const PriceScale& scale, bool auxiliary,
                   Canvas& canvas);
void DrawCloseLine(const DataSet& data_set, const PriceScale& scale, bool auxiliary,
                   Canvas& canvas);

// The close line's segment cut to the rows top..bottom; nothing when it lies wholly outside.
std::optional<std::pair<Point, Point>> ClipSegment(Point a, Point b, int top, int bottom);

}  // namespace varnolt
