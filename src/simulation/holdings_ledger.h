#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/program_folder.h"
#include "base/text_file.h"
#include "series/calendar.h"

namespace varnolt {

// The user's real holdings: one line per purchase with the date, the code, the purchase price,
// the shares bought and the shares held after later splits, kept in "data/possess.txt".

// The five fields of a holding as typed: the date is free text, the others whole numbers.
struct HoldingFields {
  std::string date;
  std::string code;
  std::string price;
  std::string shares_bought;
  std::string adjusted_shares;

  bool operator==(const HoldingFields&) const = default;
};

// "日付【date】 銘柄コード【code】 購入時株価【price】 購入株数【bought】 調整後株数【adjusted】"
std::string HoldingLine(const HoldingFields& fields);
// The texts between each "【" and the following "】", in order; fields a line lacks are empty.
HoldingFields ParseHoldingLine(std::string_view line);

// The fields of a new holding, or nothing when the code, the price or the shares bought do not
// read as whole numbers. An adjusted share count that does not read becomes the shares bought.
std::optional<HoldingFields> NewHolding(HoldingFields fields);
// The fields that replace a holding after a share count was edited, or nothing when the shares
// bought do not read; the adjusted count falls back as for a new holding.
std::optional<HoldingFields> ModifiedHolding(HoldingFields fields);

// The ledger file's lines; none when it does not exist. Throws FileError when it exists but
// cannot be read.
Lines LoadHoldings(const ProgramFolder& folder);
// Replaces the ledger file as a whole. Throws FileError when it cannot be written.
void SaveHoldings(const ProgramFolder& folder, const Lines& holdings);

// Today's close of a code in whole yen, 0 when it has none.
using ClosePrice = std::function<int32_t(int code)>;

// The profit-and-loss report of the holdings: per holding its catalogue name, purchase amount
// (price × shares bought), present value (today's close × adjusted shares) and profit, marked
// "◎" for a gain and "●" otherwise; then the totals. Amounts are computed in 64 bits, so large
// holdings do not wrap. Throws ConversionError when a holding's number does not read.
Lines ProfitAndLossReport(const Lines& holdings, const Lines& catalogue, const ClosePrice& close);
// The same with the catalogue of the program folder (names empty without one) and the latest
// closes of the store on or before `today`.
Lines ProfitAndLossReport(const ProgramFolder& folder, const Lines& holdings, DayNumber today);

}  // namespace varnolt
