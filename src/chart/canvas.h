#pragma once

#include <cstdint>
#include <span>
#include <string_view>

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

enum class PenStyle { kSolid, kDot };
// kNotXor inverts what lies under the pen when the pen is black, so drawing a figure twice
// erases it.
enum class PenMode { kCopy, kNotXor };

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct TextSize {
  int width = 0;
  int height = 0;
};

// The chart image as every drawing sees it, with the conventions of the classic Windows
// drawing calls: LineTo leaves out its end point, Rectangle and FillRect cover x1..x2−1 and
// y1..y2−1, Rectangle outlines with the pen and fills with the brush, and TextOut paints the
// text's background with the brush colour.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void SetPen(Color color, PenStyle style = PenStyle::kSolid, int width = 1,
                      PenMode mode = PenMode::kCopy) = 0;
  virtual void SetBrush(Color color) = 0;

  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  virtual void Polygon(std::span<const Point> points) = 0;
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  virtual TextSize TextExtent(std::string_view text) = 0;

  void Line(int x1, int y1, int x2, int y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
  }
};

}  // namespace varnolt
