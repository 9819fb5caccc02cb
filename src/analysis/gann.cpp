#include "analysis/gann.h"

#include <algorithm>
#include <cmath>

#include "analysis/clipped_line.h"
#include "base/dates.h"
#include "base/messages.h"
#include "base/numbers.h"

namespace varnolt {
GannBoxResult GannBox(const DataSet& data_set, const ControlValues& controls, int data_number,
                      const GannBoxes& boxes, const HolidayList& holidays, int width, int height) {
  GannBoxResult result;
  const AnalysisChartOrMessage start =
      StartAnalysis(data_set, controls, data_number, width, height);
  if (!start.chart) {
    result.message = start.message;
    return result;
  }
  const AnalysisChart& chart = *start.chart;
  const RegionFrame& frame = chart.shown.frame;

  const int64_t from_date = boxes.date.empty() ? 0 : ToInt(boxes.date);
  int start_bar = 0;
  for (int i = data_set.first_shown; i <= data_set.bars.Count(); ++i) {
    if (data_set.bars[i].date >= from_date) {
      start_bar = i;
      break;
    }
  }
  if (start_bar == 0) {
    result.message = kBadGannDateMessage;
    return result;
  }
  result.date = std::to_string(data_set.bars[start_bar].date);

  const int64_t high = boxes.high.empty() ? frame.upper : ToInt(boxes.high);
  const int64_t low = boxes.low.empty() ? frame.lower : ToInt(boxes.low);
  double unit = boxes.unit.empty() ? 0 : ToDecimal(boxes.unit);
  if (unit == 0 || !std::isfinite(unit)) {
    result.message = kBadGannUnitMessage;
    return result;
  }
  if (!boxes.time_per_price) unit = 1 / unit;
  const double end = (high - low) * unit + start_bar;
  const int64_t end_bar = RoundHalfEven(std::clamp(end, -1e9, 1e9));

  const bool calendar = chart.shown.calendar;
  const PixelPoint low_start =
      RegionMap(frame, PositionOfBar(data_set, start_bar, calendar, holidays), low);
  const PixelPoint high_end =
      RegionMap(frame, PositionOfBar(data_set, end_bar, calendar, holidays), high);
  result.box = GannCorners{low_start.x, low_start.y, high_end.x, high_end.y, chart.top, chart.axis};
  return result;
}

bool GannBoxesReadable(const GannBoxes& boxes) {
  return IsAllDigits(boxes.date) && IsAllDigits(boxes.high) && IsAllDigits(boxes.low);
}

void DrawGannGrid(Canvas& canvas, const GannCorners& box, int divisions, Color color) {
  const int n = std::max(divisions, 1);
  const int left = 30;
  const int right = canvas.Width() - 30;
  canvas.SetPen(color, PenStyle::kSolid, 1, PenMode::kNotXor);
  for (int k = 0; k <= n; ++k) {
    const int y = static_cast<int>(int64_t{box.y2 - box.y1} * k / n + box.y1);
    if (y >= box.top && y <= box.bottom) {
      canvas.Line(std::clamp(box.x1, left, right), y, std::clamp(box.x2, left, right), y);
    }
    const int x = static_cast<int>(int64_t{box.x2 - box.x1} * k / n + box.x1);
    // y1 is the low, below y2: clamp each end into the band on its own.
    canvas.Line(x, std::clamp(box.y1, box.top, std::max(box.top, box.bottom)), x,
                std::clamp(box.y2, box.top, std::max(box.top, box.bottom)));
  }
  // A box without width has no diagonals to extend.
  if (box.x2 != box.x1) {
    canvas.SetPen(color, PenStyle::kDot, 1, PenMode::kNotXor);
    const double width = box.x2 - box.x1;
    ClippedLine(canvas, box.x1, box.y1, (box.y2 - box.y1) / width, box.top, box.bottom);
    ClippedLine(canvas, box.x1, box.y2, (box.y1 - box.y2) / width, box.top, box.bottom);
  }
  canvas.SetPen(color, PenStyle::kSolid, 1, PenMode::kCopy);
}

double GannFraction(int item) {
  // 2/3 and 1/3 as single-precision values, as the lists have always given them.
  static constexpr double kFractions[] = {
      1, 0.875, 0.75, double(2.0f / 3.0f), 0.625, 0.5, 0.375, double(1.0f / 3.0f), 0.25, 0.125, 0};
  if (item >= 0 && item < static_cast<int>(std::size(kFractions))) return kFractions[item];
  return -1;
}

std::string DrawGannLines(Canvas& canvas, const GannCorners& box, GannLineKind kind, int fx1,
                          int fy1, int fx2, int fy2, Color color) {
  const auto at = [&](double fx, double fy) {
    return Point{static_cast<int>(RoundHalfEven((box.x2 - box.x1) * fx) + box.x1),
                 static_cast<int>(box.y1 + RoundHalfEven((box.y2 - box.y1) * fy))};
  };
  const Point a = at(GannFraction(fx1), GannFraction(fy1));
  std::optional<Point> b;
  if (GannFraction(fx2) != -1 && GannFraction(fy2) != -1) {
    b = at(GannFraction(fx2), GannFraction(fy2));
  }
  if (kind == GannLineKind::kTwoPoints && !b) return kChooseTwoPointsMessage;

  canvas.SetPen(color, PenStyle::kSolid, 1, PenMode::kNotXor);
  if (kind == GannLineKind::kTwoPoints) {
    if (a.x == b->x) {
      canvas.Line(a.x, box.bottom, a.x, box.top);
    } else {
      ClippedLine(canvas, a.x, a.y, double(b->y - a.y) / (b->x - a.x), box.top, box.bottom);
    }
  } else {
    const int corner_y = kind == GannLineKind::kFromHigh ? box.y2 : box.y1;
    for (const std::optional<Point>& point : {std::optional<Point>(a), b}) {
      if (!point || point->x == box.x1) continue;
      ClippedLine(canvas, point->x, point->y, double(corner_y - point->y) / (box.x1 - point->x),
                  box.top, box.bottom);
    }
  }
  canvas.SetPen(color, PenStyle::kSolid, 1, PenMode::kCopy);
  return {};
}

}  // namespace varnolt
