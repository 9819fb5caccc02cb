#include "net/date_time.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "base/dates.h"

namespace varnolt {
namespace {

// Reads digits up to `stop` (or the end) from `text` at `at`; at most `max_digits` of them.
std::optional<int> Part(std::string_view text, size_t& at, char stop, size_t max_digits) {
  size_t end = stop == '\0' ? text.size() : text.find(stop, at);
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view digits = text.substr(at, end - at);
  if (digits.empty() || digits.size() > max_digits) return std::nullopt;
  int value = 0;
  const auto [last, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || last != digits.data() + digits.size()) return std::nullopt;
  at = end + (stop == '\0' ? 0 : 1);
  return value;
}

}  // namespace

std::optional<DateTime> ParseDateTime(std::string_view text) {
  size_t at = 0;
  const auto year = Part(text, at, '/', 4);
  const auto month = year ? Part(text, at, '/', 2) : std::nullopt;
  const auto day = month ? Part(text, at, ' ', 2) : std::nullopt;
  const auto hour = day ? Part(text, at, ':', 2) : std::nullopt;
  if (!hour) return std::nullopt;
  const bool has_seconds = text.find(':', at) != std::string_view::npos;
  const auto minute = Part(text, at, has_seconds ? ':' : '\0', 2);
  const auto second = has_seconds && minute ? Part(text, at, '\0', 2) : std::optional<int>(0);
  if (!minute || !second || !IsValidCivil(*year, *month, *day) || *hour > 23 || *minute > 59 ||
      *second > 59) {
    return std::nullopt;
  }
  return DayFromCivil(*year, *month, *day) + (*hour * 3600 + *minute * 60 + *second) / 86400.0;
}

std::string FormatDateTime(DateTime value) {
  long long seconds = std::llround(value * 86400.0);
  const long long day = seconds / 86400 - (seconds % 86400 < 0 ? 1 : 0);
  seconds -= day * 86400;
  const CivilDate date = CivilFromDay(static_cast<DayNumber>(day));
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02lld:%02lld:%02lld", date.year, date.month,
                date.day, seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

DateTime LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return DayFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
}

}  // namespace varnolt
