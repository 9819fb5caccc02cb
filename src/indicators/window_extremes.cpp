#include "indicators/window_extremes.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

namespace varnolt {
namespace {

template <typename Pick>
void SlidingExtreme(std::span<const int32_t> values, int width, std::span<int32_t> result,
                    std::span<int32_t> scratch, Pick pick) {
  assert(width >= 1);
  assert(result.size() >= values.size() && scratch.size() >= values.size());
  const size_t count = values.size();
  const size_t block = static_cast<size_t>(width);
  const int32_t* in = values.data();
  int32_t* out = result.data();
  int32_t* tail = scratch.data();
  for (size_t start = 0; start < count; start += block) {
    const size_t end = std::min(count, start + block);
    // out[k]: extreme of the block's values up to k; tail[k]: of those from k to its end.
    out[start] = in[start];
    for (size_t k = start + 1; k < end; ++k) out[k] = pick(out[k - 1], in[k]);
    tail[end - 1] = in[end - 1];
    for (size_t k = end - 1; k > start; --k) tail[k - 1] = pick(tail[k], in[k - 1]);
  }
  // Windows that start past the first value: the tail of the block holding their first value
  // and the head of the block holding their last; when the window is one whole block the two
  // are the same. Shorter windows begin at the first value, where out[] already is their
  // extreme.
  for (size_t k = block; k < count; ++k) out[k] = pick(tail[k - block + 1], out[k]);
}

}  // namespace

void SlidingHighest(std::span<const int32_t> values, int width, std::span<int32_t> result,
                    std::span<int32_t> scratch) {
  SlidingExtreme(values, width, result, scratch,
                 [](int32_t a, int32_t b) { return std::max(a, b); });
}

void SlidingLowest(std::span<const int32_t> values, int width, std::span<int32_t> result,
                   std::span<int32_t> scratch) {
  SlidingExtreme(values, width, result, scratch,
                 [](int32_t a, int32_t b) { return std::min(a, b); });
}

}  // namespace varnolt
