#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/price_store.h"

namespace varnolt::testing {

// A small invented market for tests that compare two ways of screening it: stocks with random
// walks over about two years (weekdays, with gaps), a few listed only weeks ago, some with
// splits (also after `last_day`), one with prices on weekends, a catalogue, and a finance.dat
// in which some codes have no record and some have EPS or BPS 0.
struct RandomMarket {
  RandomMarket(PriceStore& store, uint32_t seed, int stocks, int32_t first_day, int32_t last_day,
               int32_t split_until);

  std::vector<int> codes;          // in catalogue order
  std::vector<std::string> items;  // catalogue list items, in catalogue order
};

// data/finance.dat bytes from (code, record) pairs of six floats each.
void WriteFinanceFile(const PriceStore& store,
                      const std::vector<std::pair<int, std::array<float, 6>>>& records);

}  // namespace varnolt::testing
