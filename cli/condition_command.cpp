#include "commands.h"
#include "screening/condition_catalogue.h"
#include "screening/condition_line.h"

namespace varnolt::cli {

// condition NUMBER [--num1 TEXT] [--num2 TEXT] [--days1 TEXT] [--days2 TEXT]: the condition line
// the screening window's 追加 makes of a catalogue entry, with the window's entry defaults.
int ConditionCommand(Context& context, Args& args) {
  ConditionEntries entries;
  if (auto text = args.TakeOption("--num1")) entries.num1 = *text;
  if (auto text = args.TakeOption("--num2")) entries.num2 = *text;
  if (auto text = args.TakeOption("--days1")) entries.days1 = *text;
  if (auto text = args.TakeOption("--days2")) entries.days2 = *text;
  const auto words = args.Positionals(1);
  const auto number = ParseInt(words[0]);
  if (!number || *number < 0 || *number >= kConditionCount) {
    throw UsageError("not a condition number 0-83: " + words[0]);
  }
  const AddedCondition added = AddConditionLine(*number, ConditionText(*number), entries);
  if (!added.message.empty()) throw UserMessage(added.message);
  context.out << added.line << "\n";
  return 0;
}

}  // namespace varnolt::cli
