#pragma once

#include <cstdint>
#include <span>

namespace varnolt {

// The highest, or the lowest, of the last `width` values at every position of `values`, the
// windows cut at the first value: result[k] covers values[max(0, k − width + 1) .. k].
//
// The values are cut into blocks of `width` from the first one. Any full window is the tail of
// one block followed by the head of the next, so with each block's running extreme taken once
// forwards (into `result`) and once backwards (into `scratch`), every window needs a single
// comparison of the two. That is three comparisons per value whatever the width, and none of
// them branches on the data.
//
// `result` and `scratch` hold at least values.size() entries and overlap neither `values` nor
// each other; `width` is at least 1.
void SlidingHighest(std::span<const int32_t> values, int width, std::span<int32_t> result,
                    std::span<int32_t> scratch);
void SlidingLowest(std::span<const int32_t> values, int width, std::span<int32_t> result,
                   std::span<int32_t> scratch);

}  // namespace varnolt
