#pragma once

#include <bit>
#include <cstdint>

namespace varnolt {

// The fast paths of the computations work a value out in fewer or other steps than the plain
// arithmetic the results have always come from, so the two doubles may differ in their last
// bits. The slots keep single precision, though: when every double within the error bound of
// the fast value rounds to the same float, the plain value does too, and the slot is the same
// to the last bit.
//
// A double carries 29 bits more than a float; the doubles in between two floats that round
// either way sit where those 29 bits are 1 followed by zeros.
inline constexpr int32_t kRoundingDropped = (int32_t{1} << 29) - 1;
inline constexpr int32_t kRoundingHalfway = int32_t{1} << 28;

// True when every double within `ulps` units in the last place of `value` rounds to the same
// float as `value`: its dropped bits stay clear of the halfway pattern by `ulps`. Crossing to
// the next binade moves no closer to a rounding edge. For `ulps` below 2^26 and values that
// are zero or normal floats.
inline bool RoundsToOneFloat(double value, uint64_t ulps) {
  const uint64_t dropped = std::bit_cast<uint64_t>(value) & kRoundingDropped;
  return dropped - (kRoundingHalfway - ulps) > 2 * ulps;  // unsigned: below the band wraps round
}

// The largest error bound, in units in the last place, that RoundsToOneFloat takes.
inline constexpr uint64_t kMaxRoundingUlps = uint64_t{1} << 26;

}  // namespace varnolt
