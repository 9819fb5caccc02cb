#include "chart/zoom.h"

#include <algorithm>
#include <utility>

#include "base/numbers.h"

namespace varnolt {

ZoomBoxes PlanZoom(const ShownChart& chart1, const DataSet& data1, const HolidayList& holidays,
                   Point start, Point release, const std::string& start_box,
                   const std::string& end_box) {
  const PointerPoint first = PointAt(chart1, data1, holidays, release.x, release.y);
  const PointerPoint second = PointAt(chart1, data1, holidays, start.x, start.y);
  ZoomBoxes boxes;
  boxes.start = first.date.value_or(start_box);
  boxes.end = second.date.value_or(end_box);
  int64_t upper = std::max<int64_t>(first.price, 0);
  int64_t lower = std::max<int64_t>(second.price, 0);
  boxes.margin = first.beyond_last || second.beyond_last ? "10" : "0";
  // Dates compare as the numbers they spell; a box that holds no date is left for the load to
  // refuse.
  const auto start_date = ParseInt64(boxes.start);
  const auto end_date = ParseInt64(boxes.end);
  if (start_date && end_date && *start_date > *end_date) std::swap(boxes.start, boxes.end);
  if (upper < lower) std::swap(upper, lower);
  boxes.upper = std::to_string(upper);
  boxes.lower = std::to_string(lower);
  return boxes;
}

}  // namespace varnolt
