#pragma once

#include <string>
#include <string_view>

#include "series/calendar.h"

namespace varnolt {

// The three commands of the group "補助計算" on a data selection page. They only rewrite the
// start and end date boxes; `message` is set instead when an input does not convert.
struct DateBoxes {
  std::string start;
  std::string end;
  std::string message;  // a warning to show; the boxes are then unchanged
};

// "単位目の日": end := the end of the N-th period counted from the start's period.
DateBoxes EndAfterUnits(const DateBoxes& boxes, std::string_view count_text, DataUnit unit);
// "→" and "←": both dates move N periods, the start to the first day of its new period and
// the end to the last day of its new period.
DateBoxes ShiftLater(const DateBoxes& boxes, std::string_view count_text, DataUnit unit);
DateBoxes ShiftEarlier(const DateBoxes& boxes, std::string_view count_text, DataUnit unit);

}  // namespace varnolt
