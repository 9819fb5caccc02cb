#include "indicators/indicator_context.h"

#include <stdexcept>

#include "base/numbers.h"
#include "chart/bar_position.h"

namespace varnolt {

IndicatorFrame::IndicatorFrame(const IndicatorContext& context)
    : IndicatorFrame(context, static_cast<double>(context.scale.upper),
                     static_cast<double>(context.scale.lower), true) {}

IndicatorFrame::IndicatorFrame(const IndicatorContext& context, double upper, double lower,
                               bool reserve)
    : data_(context.data),
      calendar_(CalendarSpacing(context.data, context.scale.calendar)),
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
  return BarPosition(data_, bar, calendar_);
}

int IntParameter(const ControlValues& controls, std::string_view name, int when_empty) {
  const std::string& text = controls.Text(name);
  return text.empty() ? when_empty : ToInt(text);
}

double RealParameter(const ControlValues& controls, std::string_view name, double when_empty) {
  const std::string& text = controls.Text(name);
  return text.empty() ? when_empty : ToDecimal(text);
}

const ParameterBox& FindBox(std::span<const ParameterBox> boxes, std::string_view name) {
  for (const ParameterBox& box : boxes) {
    if (box.name == name) return box;
  }
  throw std::logic_error("parameter box not listed: " + std::string(name));
}

int IntParameter(const ControlValues& controls, std::span<const ParameterBox> boxes,
                 std::string_view name) {
  return IntParameter(controls, name, static_cast<int>(FindBox(boxes, name).when_drawn));
}

double RealParameter(const ControlValues& controls, std::span<const ParameterBox> boxes,
                     std::string_view name) {
  return RealParameter(controls, name, FindBox(boxes, name).when_drawn);
}

int ComputedIntParameter(const ControlValues& controls, std::span<const ParameterBox> boxes,
                         std::string_view name) {
  return IntParameter(controls, name, static_cast<int>(FindBox(boxes, name).when_computed.value()));
}

double ComputedRealParameter(const ControlValues& controls, std::span<const ParameterBox> boxes,
                             std::string_view name) {
  return RealParameter(controls, name, FindBox(boxes, name).when_computed.value());
}

void ResetPen(Canvas& canvas) {
  canvas.SetPen(kBlack);
  canvas.SetBrush(kWhite);
}

}  // namespace varnolt
