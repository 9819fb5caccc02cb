#include "commands.h"

namespace varnolt::cli {

// controls: NAME=VALUE per control in name order, after --settings and --set.
int ControlsCommand(Context& context, Args& args) {
  const ControlValues controls = ReadControlOptions(args);
  args.Positionals(0);
  for (const auto& [name, value] : controls.All()) context.out << name << '=' << value << "\n";
  return 0;
}

}  // namespace varnolt::cli
