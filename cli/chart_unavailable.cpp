// The chart command of a varnolt-cli built without Qt: the drawing needs its image.
#include "cli_context.h"

namespace varnolt::cli {

int ChartCommand(Context& /*context*/, Args& /*args*/) {
  throw UsageError("chart needs Qt; this varnolt-cli was built without it");
}

}  // namespace varnolt::cli
