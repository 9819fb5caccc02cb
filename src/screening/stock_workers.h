#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace varnolt {

// How a long screening run reports and stops: the progress callback runs on the calling
// thread with the stocks done so far and the stocks listed; setting `cancel` stops the run
// after the stocks under way.
struct ScreeningRun {
  std::function<void(size_t done, size_t total)> progress;
  const std::atomic<bool>* cancel = nullptr;
  int threads = 0;  // 0: one per core when the list is long; 1: the calling thread alone; N: N
};

// Workers for a list of `count` stocks: the requested number (at most one per stock), or for 0
// the machine's cores, but only one per stretch of the list long enough to be worth a thread.
int WorkerCount(size_t count, int requested);

// Tests items 0 … count-1 on `workers` threads (the calling thread alone for 1), each item
// once; `test` receives the item and the worker's number 0 … workers-1, so that each worker
// can keep buffers of its own. The outcomes come back in item order, the same whatever the
// number of workers; nothing when the run was cancelled. An exception thrown by a test stops
// the other workers and is thrown again on the calling thread.
std::optional<std::vector<uint8_t>> TestItems(size_t count, int workers,
                                              const std::function<bool(size_t, int)>& test,
                                              const ScreeningRun& run);

}  // namespace varnolt
