#pragma once

#include <sys/resource.h>

namespace varnolt::bench {

// The most memory the process has held resident so far, in megabytes.
inline double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // Linux reports kilobytes
}

}  // namespace varnolt::bench
