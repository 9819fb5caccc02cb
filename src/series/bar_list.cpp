#include "series/bar_list.h"

#include <algorithm>
#include <cstdint>

#include "base/numbers.h"

namespace varnolt {
namespace {

std::string SplitText(float factor) {
  if (factor > 1) {
    return " , 株式分割： １ 株 → " + FormatShortest(RoundHalfEven(factor * 1000.0) / 1000.0) +
           " 株";
  }
  return " , 株式併合： " + std::to_string(RoundHalfEven(1.0 / factor)) + " 株 → １ 株";
}

// Writes the number right-aligned in `width` characters, as "%*d" would; returns the end.
char* PutPadded(char* at, int32_t value, int width) {
  // Digits are produced last first and copied character by character: the lines are short
  // and a library copy call per number costs more than the copy.
  char digits[12];
  int length = 0;
  uint32_t rest = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    digits[length++] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  if (value < 0) digits[length++] = '-';
  for (int i = length; i < width; ++i) *at++ = ' ';
  while (length > 0) *at++ = digits[--length];
  return at;
}

char* PutText(char* at, std::string_view text) {
  return std::copy(text.begin(), text.end(), at);
}

}  // namespace

int BarListCount(const LoadedSeries& series) {
  return series.first_shown == 0 ? 0 : series.bars.Count() - series.first_shown + 1;
}

std::string BarListLine(const LoadedSeries& series, int row) {
  const Bar& bar = series.bars[series.first_shown + row];
  char buffer[160];
  char* at = PutPadded(buffer, bar.date, 8);
  for (int32_t price : {bar.open, bar.high, bar.low, bar.close}) {
    at = PutPadded(PutText(at, " , "), price, 9);
  }
  if (series.adjusted) at = PutText(at, " (調整値)");
  at = PutText(PutPadded(PutText(at, " , "), bar.volume, 0), VolumeLabel(series.volume_divisor));
  std::string line(buffer, at);
  if (bar.split != 0) line += SplitText(bar.split);
  return line;
}

std::string_view VolumeLabel(int divisor) {
  if (divisor == 10000) return " （万株)";
  if (divisor == 1000) return " （千株)";
  return "";
}

}  // namespace varnolt
