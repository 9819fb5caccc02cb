#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace varnolt::demo {

// Stretches of the code range and the sector most of their codes belong to; the weight is the
// share of stocks drawn from the stretch.
struct CodeBand {
  int first;
  int last;
  std::string_view sector;
  int weight;
};

// All bands, in code order.
std::span<const CodeBand> CodeBands();

// Index of the band holding `code`; throws std::logic_error for a code outside every band.
int BandOf(int code);

// Stocks per band: the weights' shares of the count, whole parts first, then the largest
// remainders; the anchors take places of their own bands.
std::vector<int> BandQuotas(int stock_count);

}  // namespace varnolt::demo
