#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "store/year_file.h"
#include "support/temp_folder.h"

namespace varnolt {
namespace {

// Readers on several threads (a screening run) give codes without a slot one each: no two
// codes may end up sharing a slot, and no allocation may be lost.
TEST(SlotAllocationTest, ThreadsAllocatingInOneFileGetSlotsOfTheirOwn) {
  testing::TempFolder temp;
  const auto path = temp.Path() / "2024.kbk";
  CreateYearFile(path);
  constexpr int kThreads = 4;
  constexpr int kCodesEach = 40;
  std::vector<std::vector<uint64_t>> offsets(kThreads);
  {
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        for (int i = 0; i < kCodesEach; ++i) {
          offsets[t].push_back(FindOrAllocateSlot(path, 1000 + i * kThreads + t));
          // The same code again from another thread: the slot it already has.
          offsets[t].push_back(FindOrAllocateSlot(path, 1000 + i * kThreads + (t + 1) % kThreads));
        }
      });
    }
  }
  std::set<uint64_t> distinct;
  for (const auto& list : offsets) distinct.insert(list.begin(), list.end());
  EXPECT_EQ(distinct.size(), size_t{kThreads * kCodesEach});
  EXPECT_EQ(std::filesystem::file_size(path), kDirectoryBytes + kThreads * kCodesEach * kSlotBytes);
  for (int code = 1000; code < 1000 + kThreads * kCodesEach; ++code) {
    EXPECT_TRUE(distinct.count(FindOrAllocateSlot(path, code))) << code;
  }
}

}  // namespace
}  // namespace varnolt
