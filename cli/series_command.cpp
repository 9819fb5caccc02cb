#include "commands.h"
#include "series/screening_loader.h"

namespace varnolt::cli {

// series [--no-adjust] CODE N END: loads the screening series as the evaluator does and prints
// the count and each entry's prices.
int SeriesCommand(Context& context, Args& args) {
  const bool adjust = !args.TakeFlag("--no-adjust");
  const auto words = args.Positionals(3);
  const int code = ParseCodeArgument(words[0]);
  const auto count = ParseInt(words[1]);
  if (!count || *count < 0) throw UsageError("not a trading-day count: " + words[1]);
  const DayNumber end = ParseDateArgument(words[2]);

  ScreeningSeries series;
  const int loaded =
      LoadScreeningSeries(context.folder, code, *count, adjust, end, context.today, series);
  std::ostream& out = context.out;
  out << "count=" << loaded << "\n";
  for (int i = 1; i <= loaded; ++i) {
    const ScreeningEntry& entry = series[i];
    out << i << ',' << entry.open << ',' << entry.high << ',' << entry.low << ',' << entry.close
        << "\n";
  }
  return 0;
}

}  // namespace varnolt::cli
