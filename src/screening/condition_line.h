#pragma once

#include <string>
#include <string_view>

namespace varnolt {

// Messages of the 追加 command when an entry does not read.
inline constexpr std::string_view kNumberEntryMessage = "数値を正しく入力してください";
inline constexpr std::string_view kDaysEntryMessage = "日数を正しく入力してください";

// The four entry boxes of the screening window, as typed.
struct ConditionEntries {
  std::string num1 = "1";
  std::string num2 = "2";
  std::string days1 = "7";
  std::string days2 = "7";
};

// Either the condition line or the message to show instead; exactly one is non-empty.
struct AddedCondition {
  std::string line;
  std::string message;
};

// Builds the stored form of a catalogue entry with its entries filled in:
// number "," days1 "," days2 ": " text, where the text shows the numbers as "[1.5]" and the
// day counts as "<7>日", and a day count the text does not ask for is stored as 0.
AddedCondition AddConditionLine(int number, std::string_view text, const ConditionEntries& entries);

// The fields of a condition line. A number, days1 or days2 field that does not read as a whole
// number gives number -1, which no stock passes.
struct ParsedCondition {
  int number = -1;
  int days1 = 0;
  int days2 = 0;
  std::string num1;  // the text between the first brackets; empty when there are none
  std::string num2;
};
ParsedCondition ParseConditionLine(std::string_view line);

}  // namespace varnolt
