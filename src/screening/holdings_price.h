#pragma once

#include <cstdint>
#include <vector>

#include "base/text_file.h"

namespace varnolt {

// The average purchase price of a code in a holdings list (groups of four lines: the code, "*"
// + the amount paid, "*" + the shares held, the name): Round(amount / shares), halves to even,
// from the first line equal to the code's decimal text. 0 when the code is not held, and also
// when its amount or shares do not read or the shares are 0.
int32_t AveragePurchasePrice(const Lines& holdings, int code);

// AveragePurchasePrice of every code 0 … 9999 at once, indexed by code, for a pass over many
// stocks.
std::vector<int32_t> AveragePurchasePrices(const Lines& holdings);

}  // namespace varnolt
