#include <cstdio>
#include <iostream>

#include "base/fields.h"
#include "base/numbers.h"
#include "commands.h"
#include "indicators/computation.h"

namespace varnolt::cli {
namespace {

// Lines "open,high,low,close" into entries 1..K.
int ReadEntries(std::istream& in, ScreeningSeries& series) {
  int count = 0;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (TrimText(line).empty()) continue;
    if (count == kScreeningCapacity) throw UsageError("more than 999 entries on stdin");
    ScreeningEntry& entry = series[++count];
    std::string rest = line;
    for (int32_t* price : {&entry.open, &entry.high, &entry.low, &entry.close}) {
      const auto value = ParseInt(TrimText(SplitField(rest, ",")));
      if (!value) throw UsageError("line " + std::to_string(count) + " is not open,high,low,close");
      *price = *value;
    }
  }
  return count;
}

std::string Slot(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

}  // namespace

std::string ComputationNames(std::string_view before, std::string_view after) {
  std::string text;
  for (const ComputationInfo& info : Computations()) text.append(before).append(info.name) += after;
  return text;
}

// calc NAME [--settings FILE] [--set CONTROL=TEXT]... [--n N]: a computation over entries read
// from stdin, printed with its warm-up length, its return value and the five slots.
int CalcCommand(Context& context, Args& args) {
  const ControlValues controls = ReadControlOptions(args);
  const auto n_text = args.TakeOption("--n");
  const auto words = args.Positionals(1);
  const ComputationInfo* info = FindComputation(words[0]);
  if (info == nullptr) {
    throw UsageError("unknown computation " + words[0] +
                     "; the names are:" + ComputationNames("\n  ", ""));
  }
  ScreeningSeries series;
  const int count = ReadEntries(std::cin, series);
  int bars = count;
  if (n_text) {
    const auto n = ParseInt(*n_text);
    if (!n || *n < 1 || *n > count) throw UsageError("--n must lie in 1.." + std::to_string(count));
    bars = *n;
  }
  context.out << "warmup=" << RunComputation(*info, series, 0, controls) << "\n";
  const int returned = bars > 0 ? RunComputation(*info, series, bars, controls) : 0;
  context.out << "return=" << returned << "\n";
  if (returned == static_cast<int>(kFailureCode)) return 0;
  for (int i = 1; i <= bars; ++i) {
    const ScreeningEntry& e = series[i];
    context.out << i << ',' << Slot(e.s1) << ',' << Slot(e.s2) << ',' << Slot(e.s3) << ','
                << Slot(e.s4) << ',' << Slot(e.s5) << "\n";
  }
  return 0;
}

}  // namespace varnolt::cli
