#include "indicators/indicator_context.h"

#include "base/numbers.h"

namespace varnolt {

IndicatorFrame::IndicatorFrame(const IndicatorContext& context)
    : IndicatorFrame(context, static_cast<double>(context.scale.upper),
                     static_cast<double>(context.scale.lower), true) {}

IndicatorFrame::IndicatorFrame(const IndicatorContext& context, double upper, double lower,
                               bool reserve)
    : data_(context.data),
      calendar_(context.scale.calendar),
      first_(context.data.first_shown),
      last_(context.data.bars.Count()) {
  map_.width = context.canvas.Width();
  map_.height = context.canvas.Height();
  map_.p0 = Position(first_);
  map_.p1 = Position(last_) + context.scale.margin;
  map_.to = context.scale.to;
  map_.from = context.scale.from;
  map_.upper = static_cast<int64_t>(upper);
  map_.lower = static_cast<int64_t>(lower);
  map_.reserve = reserve;
}

int64_t IndicatorFrame::Position(int bar) const {
  if (!calendar_) return bar;
  return CompactToDay(std::to_string(data_.bars[bar].date));
}

int IntParameter(const ControlValues& controls, std::string_view name, int when_empty) {
  const std::string& text = controls.Text(name);
  return text.empty() ? when_empty : ToInt(text);
}

double RealParameter(const ControlValues& controls, std::string_view name, double when_empty) {
  const std::string& text = controls.Text(name);
  return text.empty() ? when_empty : ToDecimal(text);
}

void ResetPen(Canvas& canvas) {
  canvas.SetPen(kBlack);
  canvas.SetBrush(kWhite);
}

}  // namespace varnolt
