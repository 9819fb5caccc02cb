#include "screening/signals.h"

#include <map>
#include <optional>

#include "base/dates.h"
#include "base/fields.h"
#include "base/numbers.h"
#include "screening/condition_list.h"
#include "screening/condition_pass.h"
#include "screening/condition_rules.h"
#include "screening/evaluate_condition.h"
#include "screening/financial_condition.h"
#include "series/screening_loader.h"
#include "store/financial_data.h"

namespace varnolt {
namespace {

constexpr int kFailure = static_cast<int>(kFailureCode);

bool ShowsSignals(const LoadedSeries& data) {
  return data.loaded && data.unit == DataUnit::kDay && data.first_shown >= 1 &&
         data.current_code >= 0 && data.current_code < kCodeCount;
}

// The 300 trading days ending at a bar: taken from the bar table when it holds them, read from
// the store by `load` (date, series) otherwise. Only the prices of the entries change. Returns
// the entry count.
template <typename Load>
int FillSeries(const LoadedSeries& data, int bar, ScreeningSeries& series, Load load) {
  if (bar >= kSignalSeriesLength) {
    const int first = bar - kSignalSeriesLength;
    for (int j = 1; j <= kSignalSeriesLength; ++j) {
      const Bar& from = data.bars[first + j];
      ScreeningEntry& entry = series[j];
      entry.open = from.open;
      entry.high = from.high;
      entry.low = from.low;
      entry.close = from.close;
    }
    return kSignalSeriesLength;
  }
  return load(CompactToDay(std::to_string(data.bars[bar].date)), series);
}

// The stock's slot of each year, read from the store once for the whole chart: the first 299
// bars each load their series from the same few slots.
class SlotCache {
 public:
  SlotCache(const ProgramFolder& folder, int code) : folder_(folder), code_(code) {}

  const SlotRecords* Slot(int year) {
    auto [at, added] = years_.try_emplace(year);
    if (added) {
      auto slot = std::make_unique<SlotRecords>();
      if (ReadYearSlot(folder_, year, code_, *slot)) at->second = std::move(slot);
    }
    return at->second.get();
  }

 private:
  const ProgramFolder& folder_;
  int code_;
  std::map<int, std::unique_ptr<SlotRecords>> years_;  // null: the year has no file
};

// The volume of a bar in shares: the bar table keeps it in units of the load's divisor.
int64_t VolumeOf(const LoadedSeries& data, int bar) {
  return int64_t{data.bars[bar].volume} * data.volume_divisor;
}

SignalMark MarkAt(const ScreeningSeries& series, int count, int bar, int side, int number) {
  const ScreeningEntry& last = series[count];
  return {bar, side, number, side > 0 ? last.high : last.low};
}

// Which computation fills a condition's slots: conditions naming the same one (with the same
// day count for the evaluator's own computations) see the same slots on the same series.
struct ComputationKey {
  OwnComputation own = OwnComputation::kNone;
  const ComputationInfo* indicator = nullptr;
  int days1 = 0;
  bool operator==(const ComputationKey&) const = default;
};

struct SetCondition {
  PreparedCondition prepared;
  int computation = -1;  // index into the run's computations; -1 for the financial tests
};

// A set made ready once for the whole chart.
struct PreparedSet {
  std::vector<SetCondition> conditions;
};

// The slots of one computation over the current bar's series, worked out on first use.
struct SharedComputation {
  ComputationKey key;
  std::unique_ptr<ScreeningSeries> series = std::make_unique<ScreeningSeries>();
  int result = 0;
  bool done = false;
};

class SignalRun {
 public:
  SignalRun(const LoadedSeries& data, const SignalSets& sets, const SignalScope& scope)
      : data_(data), scope_(scope), cache_(scope.folder, data.current_code) {
    slots_ = [this](int year) { return cache_.Slot(year); };
    const Lines no_holdings;
    // The evaluation date only places spans in the store, which a preloaded series never reads.
    const ScreeningScope screening{scope.folder, scope.controls, 0, scope.today, no_holdings};
    bool needs_record = false;
    for (const Lines& set : sets.buy) buy_.push_back(Prepare(set, screening, needs_record));
    for (const Lines& set : sets.sell) sell_.push_back(Prepare(set, screening, needs_record));
    if (needs_record)
      record_ = ReadFinancialRecordOrNone(scope.folder.DataDir(), data.current_code);
  }

  void Run(std::vector<SignalMark>& marks, SignalTrace* trace) {
    for (int bar = data_.first_shown; bar <= data_.bars.Count(); ++bar) {
      count_ = FillSeries(data_, bar, *base_, [&](DayNumber date, ScreeningSeries& series) {
        return LoadScreeningSeries(slots_, kSignalSeriesLength, data_.adjusted, date, scope_.today,
                                   series);
      });
      for (SharedComputation& computation : computations_) computation.done = false;
      last_used_ = base_.get();
      const int64_t volume = VolumeOf(data_, bar);
      for (int side : {+1, -1}) {
        const std::vector<PreparedSet>& sets = side > 0 ? buy_ : sell_;
        for (size_t k = 0; k < sets.size(); ++k) {
          if (Passes(sets[k], volume)) {
            marks.push_back(MarkAt(*base_, count_, bar, side, static_cast<int>(k) + 1));
          }
        }
      }
    }
    if (trace != nullptr && last_used_ != nullptr) {
      *trace->series = *last_used_;
      trace->count = count_;
    }
  }

 private:
  PreparedSet Prepare(const Lines& lines, const ScreeningScope& screening, bool& needs_record) {
    PreparedSet set;
    for (const std::string& line : lines) {
      SetCondition condition{PrepareCondition(line, screening, *base_)};
      const PreparedCondition& prepared = condition.prepared;
      if (prepared.usable && prepared.financial) {
        needs_record = needs_record || FinancialConditionNeedsRecord(prepared.line.number);
      } else if (prepared.usable) {
        condition.computation = ComputationIndex(prepared.line);
      }
      set.conditions.push_back(std::move(condition));
    }
    return set;
  }

  int ComputationIndex(const ParsedCondition& line) {
    const ConditionRule& rule = *RuleOf(line.number);
    ComputationKey key{rule.own, nullptr, 0};
    if (rule.own == OwnComputation::kNone) {
      key.indicator = IndicatorOf(rule);
    } else {
      key.days1 = line.days1;
    }
    for (size_t i = 0; i < computations_.size(); ++i) {
      if (computations_[i].key == key) return static_cast<int>(i);
    }
    computations_.push_back(SharedComputation{key});
    return static_cast<int>(computations_.size()) - 1;
  }

  // The computation's slots over the current series, or nothing when it fails.
  const ScreeningSeries* Computed(int index, int number, int days1) {
    SharedComputation& computation = computations_[index];
    if (!computation.done) {
      ScreeningSeries& series = *computation.series;
      for (int j = 1; j <= count_; ++j) {
        const ScreeningEntry& from = (*base_)[j];
        ScreeningEntry& entry = series[j];
        entry.open = from.open;
        entry.high = from.high;
        entry.low = from.low;
        entry.close = from.close;
      }
      // No holdings: the average purchase price is 0 and conditions on it fail.
      computation.result = ComputeForCondition(number, series, count_, days1, 0, scope_.controls);
      computation.done = true;
    }
    last_used_ = computation.series.get();
    return computation.result == kFailure ? nullptr : computation.series.get();
  }

  // A set passes when every condition does, so the conditions may be taken in any order: the
  // cheap ones first, then those whose computation another set already ran on this bar, then
  // the rest. A failing one spares the computations of those after it.
  bool Passes(const PreparedSet& set, int64_t volume) {
    if (count_ < 1) return false;
    for (const SetCondition& condition : set.conditions) {
      const PreparedCondition& prepared = condition.prepared;
      const ParsedCondition& line = prepared.line;
      if (!prepared.usable) return false;
      if (prepared.financial) {
        if (!TestFinancialCondition(line.number, line.num1, line.num2, (*base_)[count_].close,
                                    volume, record_)) {
          return false;
        }
      } else if (count_ < prepared.needed) {
        return false;
      }
    }
    for (const SetCondition& condition : set.conditions) {
      if (condition.computation >= 0 && computations_[condition.computation].done &&
          !PassesComputed(condition)) {
        return false;
      }
    }
    // Tested again when the loop above took it: the same slots, the same answer.
    for (const SetCondition& condition : set.conditions) {
      if (condition.computation >= 0 && !PassesComputed(condition)) return false;
    }
    return true;
  }

  bool PassesComputed(const SetCondition& condition) {
    const PreparedCondition& prepared = condition.prepared;
    const ParsedCondition& line = prepared.line;
    const ScreeningSeries* slots = Computed(condition.computation, line.number, line.days1);
    return slots != nullptr && TestComputedCondition(line.number, *slots, count_, line.num1,
                                                     line.num2, line.days1, prepared.window);
  }

  const LoadedSeries& data_;
  const SignalScope& scope_;
  SlotCache cache_;
  YearSlots slots_;
  std::unique_ptr<ScreeningSeries> base_ = std::make_unique<ScreeningSeries>();
  const ScreeningSeries* last_used_ = nullptr;
  int count_ = 0;
  std::vector<PreparedSet> buy_;
  std::vector<PreparedSet> sell_;
  std::vector<SharedComputation> computations_;
  std::optional<FinancialRecord> record_;
};

}  // namespace

std::string SignalListItem(int number, std::string_view path) {
  return "条件" + std::to_string(number) + ": " + std::string(path);
}

std::string SignalItemPath(std::string_view item) {
  const size_t colon = item.find(':');
  if (colon == std::string_view::npos) return {};
  return std::string(TrimText(item.substr(colon + 1)));
}

Lines ReadSignalSet(const std::filesystem::path& path) {
  Lines lines = ReadLines(path);
  if (!lines.empty()) lines.erase(lines.begin());
  return lines;
}

std::vector<SignalMark> FindSignals(const LoadedSeries& data, const SignalSets& sets,
                                    const SignalScope& scope, SignalTrace* trace) {
  std::vector<SignalMark> marks;
  if (!ShowsSignals(data)) return marks;
  SignalRun run(data, sets, scope);
  run.Run(marks, trace);
  return marks;
}

std::vector<SignalMark> FindSignalsBarByBar(const LoadedSeries& data, const SignalSets& sets,
                                            const SignalScope& scope) {
  std::vector<SignalMark> marks;
  if (!ShowsSignals(data)) return marks;
  auto series = std::make_unique<ScreeningSeries>();
  const Lines no_holdings;
  for (int bar = data.first_shown; bar <= data.bars.Count(); ++bar) {
    const int count = FillSeries(data, bar, *series, [&](DayNumber date, ScreeningSeries& into) {
      return LoadScreeningSeries(scope.folder, data.current_code, kSignalSeriesLength,
                                 data.adjusted, date, scope.today, into);
    });
    const DayNumber date = CompactToDay(std::to_string(data.bars[bar].date));
    const ScreeningScope screening{scope.folder, scope.controls, date, scope.today, no_holdings};
    const int64_t volume = VolumeOf(data, bar);
    for (int side : {+1, -1}) {
      const std::vector<Lines>& lists = side > 0 ? sets.buy : sets.sell;
      for (size_t k = 0; k < lists.size(); ++k) {
        if (EvaluateConditionList(lists[k], data.current_code, *series, count, volume, screening)) {
          marks.push_back(MarkAt(*series, count, bar, side, static_cast<int>(k) + 1));
        }
      }
    }
  }
  return marks;
}

Lines SignalTraceListing(const LoadedSeries& data, const SignalTrace& trace) {
  Lines lines;
  const auto tenth = [](float x) { return FormatShortest(RoundHalfEven(x * 10.0) / 10.0); };
  for (int j = 1; j <= trace.count; ++j) {
    const int bar = data.bars.Count() - trace.count + j;
    const ScreeningEntry& entry = (*trace.series)[j];
    // Early in the table the store gave the entries, and some may lie before the first bar.
    const std::string date = bar >= 1 ? std::to_string(data.bars[bar].date) : std::string();
    lines.push_back(date + ":" + std::to_string(entry.close));
    lines.push_back(tenth(entry.s1) + "/" + tenth(entry.s2) + "/" + tenth(entry.s3) + "/" +
                    tenth(entry.s4) + "/" + tenth(entry.s5));
  }
  return lines;
}

}  // namespace varnolt
