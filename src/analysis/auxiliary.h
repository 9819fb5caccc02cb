#pragma once

#include <array>
#include <functional>
#include <string>

#include "analysis/analysis_chart.h"
#include "base/color.h"
#include "chart/canvas.h"

namespace varnolt {

// The boxes of the page "補助": three chart points and the working values (a), (b), (c).
struct AuxiliaryBoxes {
  std::array<std::string, 3> date;    // edsdat1 … edsdat3, compact
  std::array<std::string, 3> offset;  // edsx1 … edsx3, 1 at the first displayed position
  std::array<std::string, 3> price;   // edsy1 … edsy3
  std::string a;                      // edsa: a price
  std::string b;                      // edsb: a count or factor
  std::string c;                      // edsc: a result

  bool operator==(const AuxiliaryBoxes&) const = default;
};

inline constexpr int kAuxiliaryOperationCount = 25;
// The captions of the operation list cbss, by item.
const std::array<const char*, kAuxiliaryOperationCount>& AuxiliaryOperationCaptions();

// Items the double click runs for its lines.
inline constexpr int kHorizontalAtA = 0;
inline constexpr int kPeriodsBefore = 1;

// Runs operation `item` on `boxes` over a chart that passed the common start: computes the
// working values it writes, and draws its lines with the inverting pen in `color`, so that
// running it again erases them. `snapshot` runs once before anything is drawn. An operation
// whose inputs are empty does nothing. Throws ConversionError for a box that does not read.
void RunAuxiliary(int item, AuxiliaryBoxes& boxes, const AnalysisChart& chart, Canvas& canvas,
                  Color color, const std::function<void()>& snapshot);

// The shortest text that reads back as the same single-precision value: 1300, 1200.5.
std::string FormatShortestSingle(float value);

}  // namespace varnolt
