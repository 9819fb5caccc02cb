#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/dates.h"

namespace varnolt {

// A notice of the data server to show at this update.
struct ServerNotice {
  std::string text;
  DayNumber day = 0;  // a dated notice's day, to be remembered as shown; 0 for an "<all>" one
};

// The notice the rest of ini2.dat holds for a user who last saw the dated notice of
// `last_shown` (0: none yet): an "<all>" text every time, otherwise the first dated "<msg>"
// notice later than `last_shown`. Notices whose date does not read are passed over.
std::optional<ServerNotice> NoticeToShow(std::string_view text, DayNumber last_shown);

}  // namespace varnolt
