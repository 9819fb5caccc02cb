#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/tfsub2.h"
#include "base/controls.h"
#include "base/text_file.h"

// A screening run on its own thread. It owns copies of everything it reads, so the window
// stays free to change its lists and controls meanwhile.
struct Tfsub2::ScreeningJob {
  varnolt::ControlValues controls;
  varnolt::Lines holdings;  // empty: the purchase-price conditions fail outside the simulation
  varnolt::Lines conditions;
  std::vector<std::string> stocks;
  std::atomic<bool> cancel{false};
  std::atomic<int> reported{-1};
  std::string error;
  std::thread thread;
};
