#include <filesystem>

#include "base/fields.h"
#include "commands.h"
#include "simulation/fee_plan.h"
#include "simulation/simulation_job.h"
#include "simulation/simulation_run.h"

namespace varnolt::cli {
namespace {

std::vector<std::string> TakeAll(Args& args, const std::string& name) {
  std::vector<std::string> values;
  while (const auto value = args.TakeOption(name)) values.push_back(*value);
  return values;
}

// The fee schedule of a charge.ini, or the window's defaults without --charge.
ChargeTexts ChargeOf(const std::optional<std::string>& file) {
  ChargeTexts texts = DefaultChargeTexts();
  if (!file) return texts;
  const Lines lines = ReadLines(Utf8Path(*file));
  for (size_t i = 0; i < texts.size() && i < lines.size(); ++i) texts[i] = lines[i];
  return texts;
}

}  // namespace

// simulate [--settings F] [--set C=T]... [--charge FILE] [--plan 0|1|2] [--multi] [--over]
// --start D --end D --budget N --upper N --lower N --buy SET.ini... --sell SET.ini..., or
// simulate ... --reservations FILE: the simulation window's 仮想売買実行.
int SimulateCommand(Context& context, Args& args) {
  const ControlValues controls = ReadControlOptions(args);
  const ChargeTexts charge = ChargeOf(args.TakeOption("--charge"));
  int plan = 0;
  if (const auto text = args.TakeOption("--plan")) {
    const auto index = ParseInt(*text);
    if (!index || *index < 0 || *index > 2) throw UsageError("--plan needs 0, 1 or 2");
    plan = *index;
  }
  const std::unique_ptr<FeePlan> fees = MakeFeePlan(plan, ScheduleOf(charge));
  const SimulationScope scope{context.folder, controls, context.today, *fees};

  if (const auto file = args.TakeOption("--reservations")) {
    args.Positionals(0);
    const Lines reservations = ReadLines(Utf8Path(*file));
    if (!IsReservationList(reservations)) {
      throw UserMessage(*file + " は予約の一覧ではありません");
    }
    RunReservations(reservations, scope, {}, [&](int number, const Lines& report) {
      SaveSimulationReport(context.folder, number, report);
    });
    return 0;
  }

  JobFields fields;
  fields.multi = args.TakeFlag("--multi");
  fields.over = args.TakeFlag("--over");
  fields.start = args.TakeOption("--start").value_or("");
  fields.end = args.TakeOption("--end").value_or("");
  fields.budget = args.TakeOption("--budget").value_or("");
  fields.upper = args.TakeOption("--upper").value_or("");
  fields.lower = args.TakeOption("--lower").value_or("");
  fields.buy = TakeAll(args, "--buy");
  fields.sell = TakeAll(args, "--sell");
  args.Positionals(0);
  BuiltJob built = BuildJob(fields);
  if (!built.message.empty()) throw UserMessage(built.message);
  for (const std::string& line : RunJob(TakeJob(built.lines), scope)) {
    context.out << line << "\n";
  }
  return 0;
}

}  // namespace varnolt::cli
