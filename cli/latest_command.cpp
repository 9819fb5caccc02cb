#include "commands.h"
#include "series/latest_price.h"

namespace varnolt::cli {

// latest CODE DATE: prints what LatestPrice gives for the day at 00:00.
int LatestCommand(Context& context, Args& args) {
  const auto words = args.Positionals(2);
  const int code = ParseCodeArgument(words[0]);
  const DayNumber date = ParseDateArgument(words[1]);
  const LatestQuote quote = LatestPrice(context.folder, code, date, context.today);
  context.out << "close=" << quote.close << " open=" << quote.open << " volume=" << quote.volume
              << " date=" << DayToCompact(quote.date) << "\n";
  return 0;
}

}  // namespace varnolt::cli
