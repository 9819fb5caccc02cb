// Kagi charts: a line follows the closes while they keep going its way and turns only when the
// close moves back by the reversal amount (edKagi yen, or that percentage of the line's end, or
// the variable scale's box). Off the time axis the lines stand side by side, thick red while
// the chart is yang and black while it is yin; it turns yin when a line falls below the last
// waist and yang when one rises above the last shoulder. On the time axis a green polyline
// joins the turning points. The screening computation gives the yin/yang state per bar.

#include "indicators/kagi.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "chart/price_chart.h"
#include "indicators/column_layout.h"
#include "indicators/kagi_construction.h"
#include "indicators/kagi_statistics.h"

namespace varnolt {
namespace {

constexpr Color kKagiTurnGreen = kGreen;

constexpr int kKagiPenWidth = 2;

// The reversal amount; with cbKagi the variable scale's box at `last_close`, whose complaint
// about its table goes to `message`.
KagiWidth ReadKagiWidth(const ControlValues& controls, int32_t last_close, std::string& message) {
  const bool percent = controls.ItemIndex("rgKagi") == 1;
  BoxSize box = ReadBoxSize(controls, "edKagi", FindBox(kKagiBoxes, "edKagi").when_drawn, "cbKagi",
                            last_close);
  message = std::move(box.message);
  return {box.box, percent};
}

}  // namespace

// The walk starts at bar 1 whatever the parameters; a year of bars gives it time to settle.
int KagiWarmUp(const ControlValues&) {
  return 250;
}

int CalcKagi(ScreeningSeries& series, int bars, const ControlValues& controls) {
  if (bars == 0) return KagiWarmUp(controls);
  std::string ignored;  // screening says nothing; the fallback box stands
  const KagiWidth width = ReadKagiWidth(controls, series[bars].close, ignored);
  KagiWalk walk(width, series[1].close);
  series[1].s1 = 0;
  float state = 0;
  for (int i = 2; i <= bars; ++i) {
    const int32_t close = series[i].close;
    const KagiMove move = walk.Step(i, close);
    // Still flat, or the bar that formed line 1: no state yet.
    if (move == KagiMove::kStart || !walk.Started()) {
      series[i].s1 = 0;
      if (walk.Started()) state = walk.Up() ? 1.0f : -1.0f;
      continue;
    }
    // Yang above the last shoulder, yin below the last waist: the start of the line before the
    // current one.
    if (walk.Lines() > 1) {
      const int32_t turn = walk.Previous().start;
      if (walk.Up() && state < 0 && close > turn) state = 1.0f;
      if (!walk.Up() && state > 0 && close < turn) state = -1.0f;
    }
    series[i].s1 = state;
  }
  return 0;
}

namespace {

// The statistics header: unit caption, then the first fields of the bar list's first and last
// lines (the date printed "%8d" followed by the blank before the list's comma).
std::string ListingHeader(const IndicatorContext& context) {
  const char* name_box = context.data_number == 2 ? "cbdata2" : "cbdata1";
  const std::string name = context.controls.Has(name_box) ? context.controls.Text(name_box) : "";
  const BarTable& bars = context.data.bars;
  char first[16];
  char last[16];
  std::snprintf(first, sizeof first, "%8d ", bars[context.data.first_shown].date);
  std::snprintf(last, sizeof last, "%8d ", bars[bars.Count()].date);
  return UnitCaption(name, context.data.unit) + "　" + first + " ～ " + last;
}

void AppendStatistics(const IndicatorContext& context, const KagiWidth& width,
                      const std::vector<KagiLine>& lines, bool time_axis) {
  const BarTable& bars = context.data.bars;
  KagiListing listing;
  listing.width = width;
  listing.lines = lines;
  listing.last_bar = bars.Count();
  listing.last_close = bars[bars.Count()].close;
  listing.time_axis = time_axis;
  const bool wanted = context.controls.Checked("cbshowosci");
  if (wanted) listing.header = ListingHeader(context);
  context.statistics += KagiStatisticsText(listing, wanted);
}

// The lines side by side from the left edge, each in a column w pixels wide. The yin/yang
// level J is the row of the last waist while the pen is red and of the last shoulder while it
// is black; a line crossing it changes colour exactly there.
void DrawKagiColumns(const IndicatorContext& context, const std::vector<KagiLine>& lines) {
  Canvas& canvas = context.canvas;
  const int count = static_cast<int>(lines.size());
  const ColumnLayout layout(context, count);
  const int w = layout.ElementWidth();
  auto pen = [&canvas](Color colour) { canvas.SetPen(colour, PenStyle::kSolid, kKagiPenWidth); };

  int x = 30 + w / 2;
  const KagiLine& first = lines.front();
  bool red = first.end >= first.start;
  pen(red ? kRed : kBlack);
  canvas.Line(x, layout.Y(first.start), x, layout.Y(first.end));
  int level = layout.Y(first.start);

  for (int k = 2; k <= count; ++k) {
    const KagiLine& line = lines[k - 1];
    const int previous_x = x;
    x = 30 + k * w - w / 2;
    const int top = layout.Y(line.start);
    const int bottom = layout.Y(line.end);
    canvas.Line(previous_x, top, x, top);
    // Rows grow downwards: a red line ends below the level at a larger row.
    const bool crosses = red ? bottom > level : bottom < level;
    if (crosses) {
      canvas.Line(x, top, x, level);
      red = !red;
      pen(red ? kRed : kBlack);
      canvas.Line(x, level, x, bottom);
      level = top;
    } else {
      canvas.Line(x, top, x, bottom);
      level = red ? std::max(top, bottom) : std::min(top, bottom);
    }
  }
  ResetPen(canvas);
}

void DrawTurningPoints(const IndicatorContext& context, const std::vector<KagiLine>& lines) {
  Canvas& canvas = context.canvas;
  const IndicatorFrame frame(context);
  canvas.SetPen(kKagiTurnGreen, PenStyle::kSolid, 1, PenMode::kNotXor);
  SegmentPen segments(canvas);
  segments.Start(frame.Point(frame.First(), context.data.bars[frame.First()].close));
  for (const KagiLine& line : lines) segments.To(frame.Point(line.bar, line.end));
  ResetPen(canvas);
}

// The lines of the displayed bars, or none when there is no second bar to draw from. A flat
// price scale maps nothing, so it draws nothing; the listing does not need it.
template <typename Draw>
DrawingResult DrawKagiWith(const IndicatorContext& context, bool time_axis, Draw draw) {
  const DataSet& data = context.data;
  const int first = data.first_shown;
  const int last = data.bars.Count();
  if (first < 1 || last <= first) return {};
  std::string message;
  const KagiWidth width = ReadKagiWidth(context.controls, data.bars[last].close, message);
  const std::vector<KagiLine> lines = KagiLines(data.bars, first, last, width);
  if (context.scale.upper != context.scale.lower) draw(context, lines);
  AppendStatistics(context, width, lines, time_axis);
  return DrawingInforms(message);
}

}  // namespace

DrawingResult DrawKagi(const IndicatorContext& context) {
  return DrawKagiWith(context, false, DrawKagiColumns);
}

DrawingResult DrawKagiTimeSeries(const IndicatorContext& context) {
  return DrawKagiWith(context, true, DrawTurningPoints);
}

}  // namespace varnolt
