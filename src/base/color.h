#pragma once

#include <cstdint>

namespace varnolt {

// A colour as the settings file stores it: 0x00BBGGRR, red in the low byte.
struct Color {
  uint32_t value = 0;
  constexpr int Red() const { return value & 0xFF; }
  constexpr int Green() const { return (value >> 8) & 0xFF; }
  constexpr int Blue() const { return (value >> 16) & 0xFF; }
  static constexpr Color Rgb(int r, int g, int b) {
    return {static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
            static_cast<uint32_t>(b) << 16};
  }
  bool operator==(const Color&) const = default;
};

inline constexpr Color kBlack = Color::Rgb(0, 0, 0);
inline constexpr Color kWhite = Color::Rgb(255, 255, 255);
inline constexpr Color kRed = Color::Rgb(255, 0, 0);
inline constexpr Color kYellow = Color::Rgb(255, 255, 0);
inline constexpr Color kGreen = Color::Rgb(0, 128, 0);
inline constexpr Color kAqua = Color::Rgb(0, 255, 255);
inline constexpr Color kBlue = Color::Rgb(0, 0, 255);
inline constexpr Color kPurple = Color::Rgb(128, 0, 128);

}  // namespace varnolt
