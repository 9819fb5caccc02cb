#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/dates.h"
#include "base/text_file.h"

namespace varnolt {

// The window's inputs of one run, as the controls hold them.
struct JobFields {
  std::string start, end;              // edst, eded: yyyymmdd
  std::string budget, upper, lower;    // edmoney, edmax, edmin: whole yen
  bool multi = false;                  // cbmulti: a held stock may be bought again
  bool over = false;                   // cbover: buy up to the upper amount
  std::vector<std::string> buy, sell;  // condition-set file paths
};

// A job as lines: "start,end,budget,upper,lower" (day numbers and whole yen), cbmulti and
// cbover as "true"/"false", the buy files and "-buy end-", the sell files and "-sell end-".
// Or the message that refuses the fields ("日付エラー", "数値エラー", "条件未設定", or the
// conversion message of an impossible date) and no lines.
struct BuiltJob {
  Lines lines;
  std::string message;
};
BuiltJob BuildJob(const JobFields& fields);

// One job read back from its lines.
struct SimulationJob {
  DayNumber start = 0, end = 0;
  int64_t budget = 0, upper = 0, lower = 0;
  bool multi = false, over = false;
  std::vector<std::string> buy, sell;
};

// Takes the job at the front of `lines` (they are consumed up to its "-sell end-"). Throws
// ConversionError when its first line does not hold five whole numbers.
SimulationJob TakeJob(Lines& lines);

inline constexpr std::string_view kReservationHead = "【予約】";

// The report text after 予約 added a job: a text that does not begin with "【予約】" is
// replaced by that line; the job's lines follow, then the separator with the next number.
Lines AddReservation(const Lines& memo, const Lines& job);
// "---以上　予約番号 < n >---"
std::string ReservationSeparator(int number);
bool IsReservationList(const Lines& memo);

}  // namespace varnolt
