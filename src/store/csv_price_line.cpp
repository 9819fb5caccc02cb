#include "store/csv_price_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "base/fields.h"
#include "base/file_error.h"
#include "base/messages.h"
#include "base/numbers.h"
#include "base/text_codec.h"

namespace varnolt {
namespace {

// Takes the text before the first comma out of `rest`, as SplitField does, without a copy.
std::string_view NextField(std::string_view& rest) {
  const size_t comma = rest.find(',');
  const std::string_view field = rest.substr(0, comma);
  rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  return field;
}

bool IsAscii(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
}

// The volume field; ten or more digits are stored negated in units of 10,000 shares, the last
// four digits dropped, so that the value fits 32 bits.
std::optional<int32_t> Volume(std::string_view trimmed) {
  if (!IsAscii(trimmed)) {
    // Not digits alone: cut by the length of the text as shown (its UTF-8 bytes), as it always
    // has been, so that the same file keeps giving the same rows and messages.
    std::string text = SjisToUtf8(trimmed);
    if (text.size() > 9) text = "-" + text.substr(0, text.size() - 4);
    return ParseInt(text);
  }
  if (trimmed.size() <= 9) return ParseInt(trimmed);
  // "-" put in front of the shortened text: a sign of its own does not read after it.
  const std::string_view kept = trimmed.substr(0, trimmed.size() - 4);
  if (kept.front() == '+' || kept.front() == '-') return std::nullopt;
  int64_t value = 0;
  const auto [end, error] = std::from_chars(kept.data(), kept.data() + kept.size(), value);
  if (error != std::errc() || end != kept.data() + kept.size() || value > int64_t{1} << 31) {
    return std::nullopt;
  }
  return static_cast<int32_t>(-value);
}

[[noreturn]] void FailLine(const std::filesystem::path& file, size_t number,
                           const std::string& what) {
  throw CsvLineError(CsvLineMessage(DisplayName(file), number, what));
}

}  // namespace

PriceLineReader::PriceLineReader(int year)
    : year_text_(std::to_string(year)),
      new_year_(DayFromCivil(year, 1, 1)),
      next_new_year_(DayFromCivil(year + 1, 1, 1)) {}

DayNumber PriceLineReader::DayOf(std::string_view date) {
  if (date.size() == last_date_size_ && std::memcmp(date.data(), last_date_, date.size()) == 0) {
    return last_day_;
  }
  const DayNumber day = SlashToDay(date);
  if (date.size() <= sizeof last_date_) {
    std::memcpy(last_date_, date.data(), date.size());
    last_date_size_ = date.size();
    last_day_ = day;
  }
  return day;
}

PriceLine PriceLineReader::Read(std::string_view line, const std::filesystem::path& file,
                                size_t number, DayRow& row) {
  if (line.compare(0, 4, year_text_) != 0 || TrimText(line).empty()) {
    return PriceLine::kPassedOver;
  }
  std::string_view rest = line;
  const std::string_view date = NextField(rest);
  const std::string_view code_text = NextField(rest);
  const auto code = ParseInt(TrimText(code_text));
  if (!code) FailLine(file, number, NotANumberMessage(SjisToUtf8(code_text)));
  const DayNumber day = DayOf(TrimText(date));
  if (day == 0 || day < new_year_ || day >= next_new_year_) {
    FailLine(file, number, NotADateMessage(SjisToUtf8(date)));
  }
  const int day_index = day - new_year_ + 1;
  if (*code < 1 || *code > 9999 || day_index > kDaysPerSlot) return PriceLine::kSkipped;

  row = DayRow{*code, day_index, {}, {}, {}, {}, {}, {}};
  // A price that does not read ("-", empty, a decimal) leaves the stored price as it is.
  for (auto* price : {&row.open, &row.high, &row.low, &row.close}) {
    *price = ParseInt(TrimText(NextField(rest)));
  }
  const std::string_view volume = NextField(rest);
  if (const std::string_view trimmed = TrimText(volume); !trimmed.empty()) {
    row.volume = Volume(trimmed);
    if (!row.volume) FailLine(file, number, NotANumberMessage(SjisToUtf8(volume)));
  }
  // The split text ends at "株"; a rest of ASCII has none.
  if (IsAscii(rest)) return PriceLine::kRow;
  const std::string decoded = SjisToUtf8(rest);
  const auto mark = decoded.find("株");
  const std::string_view split = TrimText(
      mark == std::string::npos ? std::string_view() : std::string_view(decoded).substr(0, mark));
  if (!split.empty()) {
    // The factor is stored as a 32-bit float: a number beyond its range would become infinite.
    const auto factor = ParseDecimal(split);
    if (!factor || std::fabs(*factor) > std::numeric_limits<float>::max()) {
      FailLine(file, number, NotANumberMessage(split));
    }
    row.split = static_cast<float>(*factor);
  }
  return PriceLine::kRow;
}

}  // namespace varnolt
