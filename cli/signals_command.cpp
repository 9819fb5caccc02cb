#include "base/program_folder.h"
#include "commands.h"
#include "screening/signals.h"
#include "series/series_loader.h"

namespace varnolt::cli {

// signals [--settings F] [--set C=T]... [--unit U] [--no-adjust] [--buy SET.ini]...
// [--sell SET.ini]... TEXT START END: loads data 1 as "選択" does and lists the signal marks its
// chart would get with those buy and sell sets, in the order they are drawn.
int SignalsCommand(Context& context, Args& args) {
  const ControlValues controls = ReadControlOptions(args);
  LoadRequest request;
  request.unit = ParseUnitArgument(args.TakeOption("--unit").value_or("day"));
  request.adjust = !args.TakeFlag("--no-adjust");
  std::vector<std::string> buy_files;
  while (const auto file = args.TakeOption("--buy")) buy_files.push_back(*file);
  std::vector<std::string> sell_files;
  while (const auto file = args.TakeOption("--sell")) sell_files.push_back(*file);
  const auto words = args.Positionals(3);
  request.code_or_name = words[0];
  request.start = words[1];
  request.end = words[2];

  SignalSets sets;
  for (const std::string& file : buy_files) sets.buy.push_back(ReadSignalSet(Utf8Path(file)));
  for (const std::string& file : sell_files) sets.sell.push_back(ReadSignalSet(Utf8Path(file)));

  LoadedSeries data;
  const LoadOutcome outcome = LoadSeries(data, request, context.folder, context.today);
  if (!outcome.message.empty()) throw UserMessage(outcome.message);

  const SignalScope scope{context.folder, controls, context.today};
  for (const SignalMark& mark : FindSignals(data, sets, scope)) {
    context.out << data.bars[mark.bar].date << (mark.side > 0 ? ",buy," : ",sell,") << mark.number
                << "\n";
  }
  return 0;
}

}  // namespace varnolt::cli
