#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnolt {

// A date and time as a day number with the time of day as its fraction (0.5 is noon), the form
// the server clock and the update marks compute with.
using DateTime = double;

// "yyyy/mm/dd hh:mm:ss" (one or two digits for each part but the year; the seconds may be left
// out); nothing for any other text or an impossible date or time.
std::optional<DateTime> ParseDateTime(std::string_view text);
// "yyyy/mm/dd hh:mm:ss", the time rounded to the nearest second.
std::string FormatDateTime(DateTime value);
// The local date and time of the machine's clock.
DateTime LocalNow();

}  // namespace varnolt
