#pragma once

#include <string>

#include "series/calendar.h"

// The local date of the machine's clock as a day number.
varnolt::DayNumber LocalToday();

// The start date the selection pages open with: the first day of the month five months before
// today's month, so that the period covers six calendar months including the current one.
std::string StartupStartDate(varnolt::DayNumber today);
