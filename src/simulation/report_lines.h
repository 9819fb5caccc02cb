#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/dates.h"

namespace varnolt {

// The lines of a simulation report. Widths are those of C's %Nd and %Ns; a text's width is
// counted in bytes of its Shift_JIS form, so a full-width character takes two positions.

// A whole number right-aligned in `width` positions (wider numbers keep every digit).
std::string PadNumber(int64_t value, int width);
// A text right-aligned in `width` Shift_JIS bytes.
std::string PadText(std::string_view text, int width);

// "○2001/06/04 : (1301)  name" for a sale, "●…" for a purchase.
std::string TradeHeadLine(bool sale, DayNumber day, std::string_view code, std::string_view name);
std::string SaleLine(int64_t shares, int64_t price, int64_t proceeds, int64_t cash, int64_t profit);
std::string PurchaseLine(int64_t shares, int64_t price, int64_t amount, int64_t cash);
std::string DayFeeLine(int64_t fee, int64_t cash, int64_t total);
std::string MonthlyFeeLine(int month, int64_t fee, int64_t cash, int64_t total);
// The holdings part: its head lines, each holding's two lines, the rule and the totals.
inline constexpr std::string_view kHoldingsHead = "------------ 保有株式 ------------";
inline constexpr std::string_view kTotalsRule = "---------------------------------";
std::string HoldingHeadLine(std::string_view code, std::string_view name);
std::string HoldingLine(int64_t shares, int64_t paid, int64_t value, DayNumber priced,
                        bool to_be_sold);
std::string TotalLine(std::string_view label, int64_t amount);

}  // namespace varnolt
