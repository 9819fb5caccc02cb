#include "indicators/computation.h"

#include "base/file_error.h"

namespace varnolt {

int RunComputation(const ComputationInfo& info, ScreeningSeries& series, int bars,
                   const ControlValues& controls) {
  try {
    return info.run(series, bars, controls);
  } catch (const ComputationFault&) {
    return static_cast<int>(kFailureCode);
  } catch (const ConversionError&) {
    return static_cast<int>(kFailureCode);
  }
}

}  // namespace varnolt
