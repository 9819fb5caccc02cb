#pragma once

// The indicator families: one row per family with its pane, its list items and their drawings,
// its computation for the screening (if any), and its parameter boxes. The trend and oscillator
// commands, the computation lookup and the screening evaluator all read this one table.
//
// A computation fills result slots s1..s5 of the screening entries 1..N; the row's computation
// names what each slot holds. The main value of a family is s1. Charts that only turn (parabolic,
// new-price, renko, point-and-figure, kagi) put +1 in s1 while the chart is up or long, −1
// while it is down or short, and 0 before the first turn.

#include <array>
#include <span>
#include <string_view>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

enum class Pane { kTrend, kOscillator };

// An entry of the pane's list (cbchart1/cbchart2 or cbos1/cbos2) and the drawing it runs.
struct PaneItem {
  int index = -1;  // position in the list; -1 for an unused entry of the row
  std::string_view label;
  Drawing draw = nullptr;
};

struct IndicatorFamily {
  std::string_view name;
  Pane pane;
  std::array<PaneItem, 2> items;
  ComputationInfo computation;  // run is null for a family without one
  std::span<const ParameterBox> boxes;
  // The drawing covers the bars (Ichimoku's cloud): the trend command draws the price chart
  // again on top, twice, as it has always done.
  bool price_chart_on_top = false;
};

std::span<const IndicatorFamily> IndicatorFamilies();
// The family of that name, or null.
const IndicatorFamily* FindFamily(std::string_view name);
// The list item at `index` of the pane, or null when there is none.
const PaneItem* FindListItem(Pane pane, int index);
// The family drawing the pane's list item, or null.
const IndicatorFamily* FamilyOfItem(Pane pane, int index);
// How many entries the pane's list has: one past the highest item index.
int ListItemCount(Pane pane);

}  // namespace varnolt
