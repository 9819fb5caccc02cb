#pragma once

#include <string>
#include <string_view>

#include "indicators/indicator_command.h"

namespace varnolt {

// Runs a data set's command record again, as the auto display replays a pattern: a price
// chart item sets the chart type and the regions of the basic settings page and runs the
// display command; a trend or oscillator item selects its page's list item and regions and runs
// that page's command. Stops at the first message, which it returns ("" when every item ran);
// the items before it stay drawn. A record that does not read throws ConversionError.
std::string ReplayCommandRecord(std::string_view record, IndicatorCommandEnvironment& environment);

}  // namespace varnolt
