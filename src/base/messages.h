#pragma once

// Texts shown to the user, each defined once.

namespace varnolt {

// ---- Indicator drawings ----

// Regions outside 1..10, or the lower region above the upper one.
inline constexpr const char* kBadRegionsMessage = "表示領域を正しく設定して下さい";
// A drawing met a zero divisor or a period with no data to work on: it stops at that bar.
inline constexpr const char* kSkewedDataMessage = "データの偏りが大きいため演算不適当";
// A box size of zero or below, or one so small that box positions stop being whole numbers.
inline constexpr const char* kBadBoxSizeMessage = "値幅を正しく設定して下さい";
// An RCI period beyond the longest the ranks support.
inline constexpr const char* kPeriodTooLongMessage = "周期が長すぎます";
// A box of the variable scale does not read; the chart is drawn with the fallback box.
inline constexpr const char* kBadVariableScaleMessage = "変動スケールが正しく設定されていません";

}  // namespace varnolt
