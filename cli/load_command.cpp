#include "base/numbers.h"
#include "base/text_file.h"
#include "commands.h"
#include "series/bar_list.h"
#include "series/series_loader.h"

namespace varnolt::cli {
// load [--unit U] [--no-adjust] [--bars] TEXT START END: loads data 1 as the "選択" button does
// and prints the boxes, the bars, the list lines and the report.
int LoadCommand(Context& context, Args& args) {
  LoadRequest request;
  request.unit = ParseUnitArgument(args.TakeOption("--unit").value_or("day"));
  request.adjust = !args.TakeFlag("--no-adjust");
  const bool print_bars = args.TakeFlag("--bars");
  const auto words = args.Positionals(3);
  request.code_or_name = words[0];
  request.start = words[1];
  request.end = words[2];

  LoadedSeries data_set;
  const LoadOutcome outcome = LoadSeries(data_set, request, context.folder, context.today);
  if (!outcome.message.empty()) throw UserMessage(outcome.message);

  std::ostream& out = context.out;
  out << "box=" << outcome.code_box.value_or(request.code_or_name) << "\n";
  out << "start=" << outcome.start_box.value_or(request.start)
      << " end=" << outcome.end_box.value_or(request.end) << "\n";
  out << "first=" << data_set.first_shown << " count=" << data_set.bars.Count() << "\n";
  if (print_bars) {
    out << "bars:\n";
    for (int i = 1; i <= data_set.bars.Count(); ++i) {
      const Bar& bar = data_set.bars[i];
      out << i << ',' << bar.date << ',' << bar.open << ',' << bar.high << ',' << bar.low << ','
          << bar.close << ',' << bar.volume << ',' << FormatShortest(bar.split) << "\n";
    }
  }
  out << "list:\n";
  for (int row = 0; outcome.relist && row < BarListCount(data_set); ++row) {
    out << BarListLine(data_set, row) << "\n";
  }
  out << "report:\n";
  for (const auto& line : SplitLines(outcome.report.value_or(""))) out << line << "\n";
  return 0;
}

}  // namespace varnolt::cli
