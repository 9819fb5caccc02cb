#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnolt {

// The texts of the fee schedule edits ed1 … ed13: six rows of an upper amount in units of
// 10,000 yen and its fee, then the fee of every larger amount, which is also the monthly fee.
inline constexpr size_t kChargeLineCount = 13;
using ChargeTexts = std::array<std::string, kChargeLineCount>;
ChargeTexts DefaultChargeTexts();

// The schedule the texts give; a text that is not a whole number counts as 0.
struct FeeSchedule {
  std::array<int64_t, 6> thresholds{};  // units of 10,000 yen; 0 never matches
  std::array<int64_t, 7> fees{};        // fees[6]: no upper limit
};
FeeSchedule ScheduleOf(const ChargeTexts& texts);

// The fee of the first row whose threshold × 10,000 is at least the amount.
int64_t FeeOf(const FeeSchedule& schedule, int64_t amount);

// How a broker charges: per day on the day's trade amounts, and per month.
class FeePlan {
 public:
  virtual ~FeePlan() = default;
  // The fee of a day with these trade amounts; nothing when the plan charges no daily fee, in
  // which case the day has no fee line.
  virtual std::optional<int64_t> DayFee(const std::vector<int64_t>& amounts) const = 0;
  // The fee charged at the start of a run and on the first trading day of every new month;
  // nothing for a plan without one.
  virtual std::optional<int64_t> MonthlyFee() const = 0;
};

// The plans of the 料金制度 group: 0 通常 (every trade), 1 一日定額 (the day's sum), 2 月定額.
// Any other index is the first plan.
std::unique_ptr<FeePlan> MakeFeePlan(int index, const FeeSchedule& schedule);

// charge.ini beside the program: the 13 texts, one a line. Each line the file has replaces its
// text; a missing file leaves them all. Reading throws FileError when the file exists but
// cannot be read; writing replaces the file atomically and throws FileError on failure.
void ReadChargeFile(const std::filesystem::path& path, ChargeTexts& texts);
void WriteChargeFile(const std::filesystem::path& path, const ChargeTexts& texts);

}  // namespace varnolt
