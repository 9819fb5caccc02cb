#include "support/recording_canvas.h"

#include <algorithm>
#include <cstdio>

namespace varnolt::testing {
namespace {

std::string Hex(Color color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color.value));
  return text;
}

std::string Pair(int x, int y) {
  return std::to_string(x) + "," + std::to_string(y);
}

std::string Span(int x1, int y1, int x2, int y2) {
  return Pair(x1, y1) + "-" + Pair(x2, y2);
}

bool IsDrawing(const std::string& text) {
  return !text.starts_with("pen ") && !text.starts_with("brush ") && !text.starts_with("move ");
}

}  // namespace

void RecordingCanvas::Record(std::string text) {
  calls_.push_back({std::move(text), pen_, style_, mode_, brush_});
}

void RecordingCanvas::SetPen(Color color, PenStyle style, int width, PenMode mode) {
  pen_ = color;
  style_ = style;
  mode_ = mode;
  Record("pen " + Hex(color) + (style == PenStyle::kDot ? " dot " : " solid ") +
         std::to_string(width) + (mode == PenMode::kNotXor ? " notxor" : " copy"));
}

void RecordingCanvas::SetBrush(Color color) {
  brush_ = color;
  Record("brush " + Hex(color));
}

void RecordingCanvas::SetTextColor(Color color) {
  text_color_ = color;
  Record("textcolor " + Hex(color));
}

void RecordingCanvas::MoveTo(int x, int y) {
  at_ = {x, y};
  Record("move " + Pair(x, y));
}

void RecordingCanvas::LineTo(int x, int y) {
  Record("line " + Span(at_.x, at_.y, x, y));
  lines_.push_back({at_, {x, y}, pen_, style_});
  at_ = {x, y};
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Record("rect " + Span(x1, y1, x2, y2));
  rects_.push_back({{x1, y1}, {x2, y2}, pen_, brush_});
}

void RecordingCanvas::FillRect(int x1, int y1, int x2, int y2) {
  Record("fill " + Span(x1, y1, x2, y2));
}

void RecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Record("ellipse " + Span(x1, y1, x2, y2));
}

void RecordingCanvas::Polygon(std::span<const Point> points) {
  std::string text = "polygon";
  for (const Point& p : points) text += " " + Pair(p.x, p.y);
  Record(std::move(text));
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text) {
  Record("text " + Pair(x, y) + " " + std::string(text));
  texts_.push_back({x, y, std::string(text), brush_, text_color_});
}

TextSize RecordingCanvas::TextExtent(std::string_view text) {
  return {static_cast<int>(text.size()) * kCharWidth, kTextHeight};
}

std::vector<std::string> RecordingCanvas::CallTexts() const {
  std::vector<std::string> texts;
  for (const Call& call : calls_) texts.push_back(call.text);
  return texts;
}

std::vector<std::string> RecordingCanvas::DrawingTexts() const {
  std::vector<std::string> texts;
  for (const Call& call : calls_) {
    if (IsDrawing(call.text)) texts.push_back(call.text);
  }
  return texts;
}

std::vector<std::string> RecordingCanvas::Texts() const {
  std::vector<std::string> texts;
  for (const TextCall& call : texts_) texts.push_back(call.text);
  return texts;
}

std::vector<RecordingCanvas::TextCall> RecordingCanvas::TextCalls() const {
  return texts_;
}
std::vector<RecordingCanvas::LineCall> RecordingCanvas::Lines() const {
  return lines_;
}
std::vector<RecordingCanvas::RectCall> RecordingCanvas::Rects() const {
  return rects_;
}

bool RecordingCanvas::Contains(std::string_view call_text) const {
  return std::any_of(calls_.begin(), calls_.end(),
                     [&](const Call& call) { return call.text == call_text; });
}

void RecordingCanvas::Clear() {
  calls_.clear();
  lines_.clear();
  rects_.clear();
  texts_.clear();
}

}  // namespace varnolt::testing
