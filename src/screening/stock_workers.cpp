#include "screening/stock_workers.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace varnolt {
namespace {

// Below this many stocks per worker, starting threads costs more than it saves.
constexpr size_t kStocksPerWorker = 128;
// Stocks a worker takes at a time: small enough that the workers finish together.
constexpr size_t kChunk = 32;

bool Cancelled(const ScreeningRun& run) {
  return run.cancel != nullptr && run.cancel->load(std::memory_order_relaxed);
}

std::optional<std::vector<uint8_t>> TestOnCallingThread(
    size_t count, const std::function<bool(size_t, int)>& test, const ScreeningRun& run) {
  std::vector<uint8_t> passed(count, 0);
  for (size_t i = 0; i < count; ++i) {
    if (Cancelled(run)) return std::nullopt;
    passed[i] = test(i, 0) ? 1 : 0;
    if (run.progress) run.progress(i + 1, count);
  }
  return passed;
}

}  // namespace

int WorkerCount(size_t count, int requested) {
  const size_t most = std::max<size_t>(count, 1);
  if (requested > 0) return static_cast<int>(std::min<size_t>(requested, most));
  const size_t cores = std::max(1u, std::thread::hardware_concurrency());
  return static_cast<int>(std::min(cores, std::max<size_t>(1, count / kStocksPerWorker)));
}

std::optional<std::vector<uint8_t>> TestItems(size_t count, int workers,
                                              const std::function<bool(size_t, int)>& test,
                                              const ScreeningRun& run) {
  if (workers <= 1) return TestOnCallingThread(count, test, run);

  std::vector<uint8_t> passed(count, 0);
  std::atomic<size_t> next{0};
  std::atomic<size_t> done{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable finished;
  int running = workers;
  std::exception_ptr failure;

  const auto work = [&](int worker) {
    try {
      for (;;) {
        const size_t from = next.fetch_add(kChunk);
        if (from >= count) break;
        const size_t to = std::min(count, from + kChunk);
        for (size_t i = from; i < to; ++i) {
          if (stop.load(std::memory_order_relaxed) || Cancelled(run)) break;
          passed[i] = test(i, worker) ? 1 : 0;
          done.fetch_add(1, std::memory_order_relaxed);
        }
      }
    } catch (...) {
      const std::lock_guard lock(mutex);
      if (!failure) failure = std::current_exception();
      stop = true;
    }
    const std::lock_guard lock(mutex);
    --running;
    finished.notify_one();
  };

  {
    std::vector<std::jthread> threads;
    for (int w = 0; w < workers; ++w) threads.emplace_back(work, w);
    std::unique_lock lock(mutex);
    size_t reported = 0;
    while (running > 0) {
      finished.wait_for(lock, std::chrono::milliseconds(20));
      const size_t now = done.load(std::memory_order_relaxed);
      if (run.progress && now != reported) {
        reported = now;
        lock.unlock();
        run.progress(now, count);
        lock.lock();
      }
    }
  }
  const size_t finished_count = done.load();
  if (run.progress && finished_count > 0) run.progress(finished_count, count);
  if (failure) std::rethrow_exception(failure);
  if (Cancelled(run) || done.load() < count) return std::nullopt;
  return passed;
}

}  // namespace varnolt
