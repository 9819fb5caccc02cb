#include "simulation/simulation_job.h"

#include "base/fields.h"
#include "base/file_error.h"
#include "base/messages.h"
#include "base/numbers.h"

namespace varnolt {
namespace {

constexpr std::string_view kBuyEnd = "-buy end-";
constexpr std::string_view kSellEnd = "-sell end-";
constexpr std::string_view kSeparatorMark = "以上　予約番号";

// The day of a yyyymmdd text that has already passed the eight-digit test; 0 for an
// impossible date.
DayNumber DayOfDigits(const std::string& text) {
  const int year = std::stoi(text.substr(0, 4));
  const int month = std::stoi(text.substr(4, 2));
  const int day = std::stoi(text.substr(6, 2));
  return IsValidCivil(year, month, day) ? DayFromCivil(year, month, day) : 0;
}

bool EightDigits(const std::string& text) {
  return text.size() == 8 && IsAllDigits(text);
}

int64_t WholeYen(const std::string& text) {
  const auto value = ParseInt64(text);
  if (!value) throw ConversionError(text);
  return *value;
}

// Lines up to the end line, which is consumed with them; the rest when it is missing.
std::vector<std::string> TakeUntil(Lines& lines, size_t& at, std::string_view end) {
  std::vector<std::string> taken;
  while (at < lines.size() && lines[at] != end) taken.push_back(lines[at++]);
  if (at < lines.size()) ++at;
  return taken;
}

}  // namespace

BuiltJob BuildJob(const JobFields& fields) {
  if (!EightDigits(fields.start) || !EightDigits(fields.end)) return {{}, kDateErrorMessage};
  const DayNumber start = DayOfDigits(fields.start);
  if (start == 0) return {{}, NotADateMessage(fields.start)};
  const DayNumber end = DayOfDigits(fields.end);
  if (end == 0) return {{}, NotADateMessage(fields.end)};
  for (const std::string* amount : {&fields.budget, &fields.upper, &fields.lower}) {
    if (!ParseInt(*amount)) return {{}, kNumberErrorMessage};
  }
  if (fields.buy.empty() || fields.sell.empty()) return {{}, kNoConditionsMessage};
  BuiltJob job;
  job.lines.push_back(std::to_string(start) + "," + std::to_string(end) + "," +
                      std::to_string(*ParseInt(fields.budget)) + "," +
                      std::to_string(*ParseInt(fields.upper)) + "," +
                      std::to_string(*ParseInt(fields.lower)));
  job.lines.push_back(fields.multi ? "true" : "false");
  job.lines.push_back(fields.over ? "true" : "false");
  job.lines.insert(job.lines.end(), fields.buy.begin(), fields.buy.end());
  job.lines.emplace_back(kBuyEnd);
  job.lines.insert(job.lines.end(), fields.sell.begin(), fields.sell.end());
  job.lines.emplace_back(kSellEnd);
  return job;
}

SimulationJob TakeJob(Lines& lines) {
  SimulationJob job;
  size_t at = 0;
  std::string head = at < lines.size() ? lines[at++] : std::string();
  const std::string start = SplitField(head, ",");
  const std::string end = SplitField(head, ",");
  const std::string budget = SplitField(head, ",");
  const std::string upper = SplitField(head, ",");
  job.start = static_cast<DayNumber>(WholeYen(start));
  job.end = static_cast<DayNumber>(WholeYen(end));
  job.budget = WholeYen(budget);
  job.upper = WholeYen(upper);
  job.lower = WholeYen(head);
  job.multi = at < lines.size() && lines[at++] == "true";
  job.over = at < lines.size() && lines[at++] == "true";
  job.buy = TakeUntil(lines, at, kBuyEnd);
  job.sell = TakeUntil(lines, at, kSellEnd);
  lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(at));
  return job;
}

std::string ReservationSeparator(int number) {
  return "---" + std::string(kSeparatorMark) + " < " + std::to_string(number) + " >---";
}

bool IsReservationList(const Lines& memo) {
  return !memo.empty() && memo.front() == kReservationHead;
}

Lines AddReservation(const Lines& memo, const Lines& job) {
  Lines lines = IsReservationList(memo) ? memo : Lines{std::string(kReservationHead)};
  lines.insert(lines.end(), job.begin(), job.end());
  int last = 0;
  for (size_t i = lines.size(); i-- > 1;) {
    const std::string& line = lines[i];
    if (line.find(kSeparatorMark) == std::string::npos) continue;
    const size_t open = line.find('<');
    const size_t close = open == std::string::npos ? open : line.find('>', open);
    if (close != std::string::npos)
      last = ParseInt(TrimText(line.substr(open + 1, close - open - 1))).value_or(0);
    break;
  }
  lines.push_back(ReservationSeparator(last + 1));
  return lines;
}

}  // namespace varnolt
