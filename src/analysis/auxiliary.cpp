#include "analysis/auxiliary.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "analysis/clipped_line.h"
#include "base/numbers.h"

namespace varnolt {
namespace {

// The Ichimoku basic numbers of days, the starting day counted as day 1.
constexpr int kBasicNumbers[] = {1, 9, 17, 26, 33, 42, 65, 76, 129, 172};

// Drawing over the chart: the first line takes the undo snapshot and selects the inverting pen.
class Drawing {
 public:
  Drawing(const AnalysisChart& chart, Canvas& canvas, Color color,
          const std::function<void()>& snapshot)
      : chart_(chart), canvas_(canvas), color_(color), snapshot_(snapshot) {}
  ~Drawing() {
    if (started_) canvas_.SetPen(color_, PenStyle::kSolid, 1, PenMode::kCopy);
  }

  const RegionFrame& frame() const { return chart_.shown.frame; }
  bool calendar() const { return chart_.shown.calendar; }
  // Position of a 1-based offset from the first displayed position.
  double Position(double offset) const { return offset + static_cast<double>(frame().p0) - 1; }

  void Horizontal(int64_t price) {
    Start();
    const int y = RegionY(frame(), price);
    canvas_.Line(31, y, canvas_.Width() - 31, y);
  }
  void VerticalAtX(int x) {
    Start();
    canvas_.Line(x, chart_.axis, x, chart_.top);
  }
  void Vertical(int64_t position) { VerticalAtX(RegionX(frame(), position)); }
  void Label(int x, const std::string& text) {
    Start();
    canvas_.TextOut(x + 5, chart_.top + 5, text);
  }
  // The line through two pixels across the band, vertical when they share a column.
  void Through(PixelPoint p, PixelPoint q, std::initializer_list<double> parts = {1.0}) {
    Start();
    if (p.x == q.x) {
      VerticalAtX(p.x);
      return;
    }
    const double slope = double(q.y - p.y) / (q.x - p.x);
    for (double part : parts) {
      ClippedLineOf(p, slope * part);
    }
  }
  PixelPoint Map(double position, int64_t price) const {
    return RegionMap(frame(), RoundHalfEven(position), price);
  }

 private:
  void ClippedLineOf(PixelPoint p, double slope) {
    ClippedLine(canvas_, p.x, p.y, slope, chart_.top, chart_.axis);
  }
  void Start() {
    if (started_) return;
    started_ = true;
    if (snapshot_) snapshot_();
    canvas_.SetPen(color_, PenStyle::kSolid, 1, PenMode::kNotXor);
  }

  const AnalysisChart& chart_;
  Canvas& canvas_;
  Color color_;
  const std::function<void()>& snapshot_;
  bool started_ = false;
};

bool AllGiven(std::initializer_list<const std::string*> boxes) {
  for (const std::string* box : boxes) {
    if (box->empty()) return false;
  }
  return true;
}

// Two decimals, halves to even, as the multiples are written.
double Hundredths(double value) {
  return RoundHalfEven(value * 100) / 100.0;
}

}  // namespace

const std::array<const char*, kAuxiliaryOperationCount>& AuxiliaryOperationCaptions() {
  static const std::array<const char*, kAuxiliaryOperationCount> kCaptions = {
      "(a)の価格のラインを表示",
      "(1)から(b)期間前を表示（当日含む）",
      "(1)から(b)期間後を表示（当日含む）",
      "(b)を(a)の価格に加算し表示/結果(a)",
      "(b)を(a)の価格に減算し表示/結果(a)",
      "(a)を(c)にコピー",
      "(c)を(a)にコピー",
      "(c)を(b)にコピー",
      "(1)の価格を(a)にコピー",
      "(c)の数値を(b)倍/結果(b)",
      "(c)の数値を 1.28 倍/結果(b)",
      "(c)の数値を 1.382 倍/結果(b)",
      "(c)の数値を 1.618 倍/結果(b)",
      "(1)と(2)の期間を計算/結果(c)",
      "(1)と(2)を結ぶラインを表示/傾き(c)",
      "(1)と(2)からスピードラインを表示",
      "(1)から(c)の傾きのラインを表示",
      "(1)から一目均衡の基本数値を表示",
      "(1)-(3)のV計算値を表示/結果(a)",
      "(1)-(3)のN計算値を表示/結果(a)",
      "(1)-(3)のE計算値を表示/結果(a)",
      "(1)-(3)のNT計算値を表示/結果(a)",
      "(1)-(3)の背反値を表示/結果(a)",
      "(b)層倍のE計算値を表示/結果(a)",
      "(b)層倍のV計算値を表示/結果(a)",
  };
  return kCaptions;
}

std::string FormatShortestSingle(float value) {
  if (!std::isfinite(value)) return FormatShortest(value);
  for (int digits = 1; digits <= 9; ++digits) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, double(value));
    if (std::strtof(buffer, nullptr) == value) return FormatShortest(std::strtod(buffer, nullptr));
  }
  return FormatShortest(value);
}

void RunAuxiliary(int item, AuxiliaryBoxes& boxes, const AnalysisChart& chart, Canvas& canvas,
                  Color color, const std::function<void()>& snapshot) {
  Drawing draw(chart, canvas, color, snapshot);
  // Plain references rather than a structured binding: the lambdas below capture them.
  auto& date = boxes.date;
  auto& offset = boxes.offset;
  auto& price = boxes.price;
  auto& a = boxes.a;
  auto& b = boxes.b;
  auto& c = boxes.c;
  const auto number = [](const std::string& text) { return ToDecimal(text); };
  const auto single = [](const std::string& text) { return static_cast<float>(ToDecimal(text)); };
  // A result of the Ichimoku targets: written, then drawn at its whole-yen value.
  const auto target = [&](float value) {
    a = FormatShortestSingle(value);
    draw.Horizontal(RoundHalfEven(value));
  };
  const auto multiple = [&](double value) {
    a = FormatShortest(value);
    draw.Horizontal(RoundHalfEven(value));
  };

  switch (item) {
    case 0:
      if (AllGiven({&a})) draw.Horizontal(RoundHalfEven(number(a)));
      break;
    case 1:
    case 2: {
      if (!AllGiven({&offset[0], &b})) break;
      const double pos1 = draw.Position(number(offset[0]));
      const double count = number(b);
      const int64_t position = RoundHalfEven(item == 1 ? pos1 - count + 1 : pos1 + count - 1);
      // Before day 1 there is no calendar day to mark.
      if (item == 1 && draw.calendar() && position < 1) break;
      draw.Vertical(position);
      break;
    }
    case 3:
    case 4:
      if (!AllGiven({&b, &a})) break;
      multiple(item == 3 ? number(a) + number(b) : number(a) - number(b));
      break;
    case 5:
      c = a;
      break;
    case 6:
      a = c;
      break;
    case 7:
      b = c;
      break;
    case 8:
      a = price[0];
      break;
    case 9:
    case 10:
    case 11:
    case 12: {
      if (item == 9 ? !AllGiven({&b, &c}) : !AllGiven({&c})) break;
      static constexpr double kFactors[] = {1.28, 1.382, 1.618};
      const double factor = item == 9 ? number(b) : kFactors[item - 10];
      b = FormatShortest(Hundredths(number(c) * factor));
      break;
    }
    case 13:
      if (!AllGiven({&offset[0], &offset[1]})) break;
      c = FormatShortest(std::abs(number(offset[1]) - number(offset[0])) + 1);
      break;
    case 14:
    case 15: {
      if (!AllGiven({&date[0], &date[1]})) break;
      const double pos1 = draw.Position(number(offset[0]));
      const double pos2 = draw.Position(number(offset[1]));
      const int32_t p1 = ToInt(price[0]);
      const int32_t p2 = ToInt(price[1]);
      const PixelPoint one = draw.Map(pos1, p1);
      const PixelPoint two = draw.Map(pos2, p2);
      if (item == 14) {
        const float slope = pos1 == pos2 ? 0.0f : static_cast<float>((p2 - p1) / (pos2 - pos1));
        char text[40];
        std::snprintf(text, sizeof text, "%5.2f", RoundHalfEven(slope * 10.0) / 10.0);
        draw.Through(one, two);
        c = text;
      } else {
        draw.Through(one, two, {1.0, 1.0 / 3, 2.0 / 3});
      }
      break;
    }
    case 16: {
      if (!AllGiven({&date[0], &c})) break;
      const double pos1 = draw.Position(number(offset[0]));
      const int32_t p1 = ToInt(price[0]);
      draw.Through(draw.Map(pos1, p1), draw.Map(pos1 + 100, p1 + RoundHalfEven(number(c) * 100)));
      break;
    }
    case 17: {
      if (!AllGiven({&offset[0]})) break;
      const double pos1 = draw.Position(number(offset[0]));
      for (int n : kBasicNumbers) {
        const int x = RegionX(draw.frame(), RoundHalfEven(pos1 + n - 1));
        draw.VerticalAtX(x);
        draw.Label(x, std::to_string(n));
      }
      break;
    }
    case 18:
      if (AllGiven({&price[1], &price[2]})) target(2 * single(price[1]) - single(price[2]));
      break;
    case 19:
      if (AllGiven({&price[0], &price[1], &price[2]})) {
        target(single(price[1]) + single(price[2]) - single(price[0]));
      }
      break;
    case 20:
      if (AllGiven({&price[0], &price[1]})) target(2 * single(price[1]) - single(price[0]));
      break;
    case 21:
      if (AllGiven({&price[0], &price[2]})) target(2 * single(price[2]) - single(price[0]));
      break;
    case 22:
      if (AllGiven({&price[0], &price[1], &price[2]})) {
        target(single(price[0]) + single(price[2]) - single(price[1]));
      }
      break;
    case 23:
    case 24: {
      const std::string& other = item == 23 ? price[0] : price[2];
      if (!AllGiven({&b, &price[1], &other})) break;
      const float p2 = single(price[1]);
      multiple(Hundredths(p2 + (p2 - single(other)) * number(b)));
      break;
    }
    default:
      break;
  }
}

}  // namespace varnolt
