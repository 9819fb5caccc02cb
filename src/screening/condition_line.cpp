#include "screening/condition_line.h"

#include <optional>

#include "base/fields.h"
#include "base/numbers.h"

namespace varnolt {
namespace {

void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view by) {
  for (size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + by.size())) {
    text.replace(at, placeholder.size(), by);
  }
}

std::string Placeholder(std::string_view kind, int n) {
  return "（" + std::string(kind) + " " + std::to_string(n) + "）";
}

// Cuts the next whole-number field from the front of `rest`: up to the first ",", else up to
// the first ":", else everything.
std::string CutField(std::string_view& rest) {
  for (char separator : {',', ':'}) {
    const size_t at = rest.find(separator);
    if (at == std::string_view::npos) continue;
    std::string field(rest.substr(0, at));
    rest.remove_prefix(at + 1);
    return field;
  }
  std::string field(rest);
  rest = {};
  return field;
}

// Cuts the trimmed text between the next "[" and the "]" after it; empty without a "[".
std::string CutBracketed(std::string_view& rest) {
  const size_t open = rest.find('[');
  if (open == std::string_view::npos) return {};
  const size_t close = rest.find(']', open + 1);
  const size_t end = close == std::string_view::npos ? rest.size() : close;
  std::string field(TrimText(rest.substr(open + 1, end - open - 1)));
  rest.remove_prefix(close == std::string_view::npos ? rest.size() : close + 1);
  return field;
}

}  // namespace

AddedCondition AddConditionLine(int number, std::string_view text,
                                const ConditionEntries& entries) {
  std::string result(text);
  std::string tail;
  const std::string* numbers[] = {&entries.num1, &entries.num2};
  const std::string* days[] = {&entries.days1, &entries.days2};
  for (int n = 1; n <= 2; ++n) {
    const std::string number_placeholder = Placeholder("数値", n);
    if (result.find(number_placeholder) != std::string::npos) {
      if (!ParseDecimal(*numbers[n - 1])) return {{}, std::string(kNumberEntryMessage)};
      ReplaceAll(result, number_placeholder, "[" + std::string(TrimText(*numbers[n - 1])) + "]");
    }
    const std::string days_placeholder = Placeholder("日数", n);
    if (result.find(days_placeholder) != std::string::npos) {
      const std::optional<int32_t> count = ParseInt(*days[n - 1]);
      if (!count || *count < 1) return {{}, std::string(kDaysEntryMessage)};
      const std::string trimmed(TrimText(*days[n - 1]));
      tail += "," + trimmed;
      ReplaceAll(result, days_placeholder, "<" + trimmed + ">日");
    } else {
      tail += ",0";
    }
  }
  return {std::to_string(number) + tail + ": " + result, {}};
}

ParsedCondition ParseConditionLine(std::string_view line) {
  std::string_view rest = line;
  ParsedCondition parsed;
  const std::optional<int32_t> number = ParseInt(CutField(rest));
  const std::optional<int32_t> days1 = ParseInt(CutField(rest));
  const std::optional<int32_t> days2 = ParseInt(CutField(rest));
  parsed.num1 = CutBracketed(rest);
  parsed.num2 = CutBracketed(rest);
  if (number && days1 && days2) {
    parsed.number = *number;
    parsed.days1 = *days1;
    parsed.days2 = *days2;
  }
  return parsed;
}

}  // namespace varnolt
