#include "indicators/indicator_family.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace varnolt {
namespace {

// Each pane's list runs 0..count − 1 without a gap or a repeat, and every family has a drawing.
TEST(IndicatorFamilyTable, ListItemsCoverEachPaneOnce) {
  for (const auto& [pane, count] : {std::pair{Pane::kTrend, 10}, {Pane::kOscillator, 11}}) {
    EXPECT_EQ(ListItemCount(pane), count);
    std::set<int> seen;
    for (const IndicatorFamily& family : IndicatorFamilies()) {
      ASSERT_NE(family.items[0].draw, nullptr) << family.name;
      if (family.pane != pane) continue;
      for (const PaneItem& item : family.items) {
        if (item.draw) {
          EXPECT_TRUE(seen.insert(item.index).second) << family.name;
        }
      }
    }
    for (int index = 0; index < count; ++index) {
      ASSERT_NE(FindListItem(pane, index), nullptr) << index;
      EXPECT_EQ(FindListItem(pane, index)->index, index);
    }
    EXPECT_EQ(FindListItem(pane, count), nullptr);
    EXPECT_EQ(FindListItem(pane, -1), nullptr);
  }
  EXPECT_EQ(FamilyOfItem(Pane::kTrend, 8), FindFamily("Kagi"));
  EXPECT_EQ(FindFamily("Nothing"), nullptr);
}

// The names the command-line tool and the conditions use all resolve, in their old order, each to
// its family's computation with a warm-up and at least slot 1 described.
TEST(IndicatorFamilyTable, ComputationsKeepTheirNames) {
  const char* names[] = {"CalcIchimoku",
                         "CalcBollinger",
                         "CalcParabolic",
                         "CalcRSI",
                         "CalcRCI",
                         "CalcDMI",
                         "CalcStochastics",
                         "CalcPercentR",
                         "CalcPsychological",
                         "CalcNewPrice",
                         "CalcRenko",
                         "CalcPointFigure",
                         "CalcKagi",
                         "CalcMACD",
                         "CalcMovingAverages:averages",
                         "CalcMovingAverages:deviation"};
  // In the order they have always been listed in.
  ASSERT_EQ(Computations().size(), std::size(names));
  for (size_t i = 0; i < std::size(names); ++i) {
    const char* name = names[i];
    EXPECT_EQ(Computations()[i].name, name);
    const ComputationInfo* info = FindComputation(name);
    ASSERT_NE(info, nullptr) << name;
    EXPECT_EQ(info->name, name);
    EXPECT_NE(info->warm_up, nullptr) << name;
    EXPECT_FALSE(info->slot_meanings[0].empty()) << name;
  }
  EXPECT_EQ(FindComputation("CalcMovingAverages"), nullptr);
  EXPECT_EQ(FindFamily("Deviation")->computation.name, "CalcMovingAverages:deviation");
}

}  // namespace
}  // namespace varnolt
