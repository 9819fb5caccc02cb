#include "simulation/fee_plan.h"

#include "base/numbers.h"
#include "base/text_codec.h"
#include "base/text_file.h"

namespace varnolt {
namespace {

int64_t WholeOrZero(const std::string& text) {
  return ParseInt64(text).value_or(0);
}

class PerTradePlan : public FeePlan {
 public:
  explicit PerTradePlan(const FeeSchedule& schedule) : schedule_(schedule) {}
  std::optional<int64_t> DayFee(const std::vector<int64_t>& amounts) const override {
    int64_t fee = 0;
    for (const int64_t amount : amounts) fee += FeeOf(schedule_, amount);
    return fee;
  }
  std::optional<int64_t> MonthlyFee() const override { return std::nullopt; }

 private:
  FeeSchedule schedule_;
};

class DailySumPlan : public FeePlan {
 public:
  explicit DailySumPlan(const FeeSchedule& schedule) : schedule_(schedule) {}
  std::optional<int64_t> DayFee(const std::vector<int64_t>& amounts) const override {
    int64_t sum = 0;
    for (const int64_t amount : amounts) sum += amount;
    return FeeOf(schedule_, sum);
  }
  std::optional<int64_t> MonthlyFee() const override { return std::nullopt; }

 private:
  FeeSchedule schedule_;
};

class MonthlyPlan : public FeePlan {
 public:
  explicit MonthlyPlan(const FeeSchedule& schedule) : fee_(schedule.fees[6]) {}
  std::optional<int64_t> DayFee(const std::vector<int64_t>&) const override { return std::nullopt; }
  std::optional<int64_t> MonthlyFee() const override { return fee_; }

 private:
  int64_t fee_;
};

}  // namespace

ChargeTexts DefaultChargeTexts() {
  return {"20", "472", "50", "472", "100", "840", "300", "1575", "", "", "", "", "1575"};
}

FeeSchedule ScheduleOf(const ChargeTexts& texts) {
  FeeSchedule schedule;
  for (size_t row = 0; row < 6; ++row) {
    schedule.thresholds[row] = WholeOrZero(texts[row * 2]);
    schedule.fees[row] = WholeOrZero(texts[row * 2 + 1]);
  }
  schedule.fees[6] = WholeOrZero(texts[12]);
  return schedule;
}

int64_t FeeOf(const FeeSchedule& schedule, int64_t amount) {
  for (size_t row = 0; row < 6; ++row) {
    if (schedule.thresholds[row] * 10000 >= amount) return schedule.fees[row];
  }
  return schedule.fees[6];
}

std::unique_ptr<FeePlan> MakeFeePlan(int index, const FeeSchedule& schedule) {
  if (index == 1) return std::make_unique<DailySumPlan>(schedule);
  if (index == 2) return std::make_unique<MonthlyPlan>(schedule);
  return std::make_unique<PerTradePlan>(schedule);
}

void ReadChargeFile(const std::filesystem::path& path, ChargeTexts& texts) {
  const auto lines = ReadLinesIfPresent(path);
  if (!lines) return;
  for (size_t i = 0; i < texts.size() && i < lines->size(); ++i) texts[i] = (*lines)[i];
}

void WriteChargeFile(const std::filesystem::path& path, const ChargeTexts& texts) {
  const Lines lines(texts.begin(), texts.end());
  WriteBytesAtomically(path, Utf8ToSjis(JoinLines(lines)));
}

}  // namespace varnolt
