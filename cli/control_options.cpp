#include "base/settings_file.h"
#include "cli_context.h"

namespace varnolt::cli {

ControlValues ReadControlOptions(Args& args) {
  ControlValues controls = ControlValues::Defaults();
  if (const auto settings = args.TakeOption("--settings"))
    ApplySettings(ReadLines(*settings), controls);
  while (const auto assignment = args.TakeOption("--set")) {
    const auto equals = assignment->find('=');
    if (equals == std::string::npos) throw UsageError("--set needs CONTROL=TEXT");
    const std::string name = assignment->substr(0, equals);
    if (!controls.Has(name)) {
      throw UsageError("unknown control " + name + " (varnolt-cli controls lists them)");
    }
    controls.Set(name, assignment->substr(equals + 1));
  }
  return controls;
}

}  // namespace varnolt::cli
