#pragma once

#include <string>
#include <string_view>

#include "base/program_folder.h"
#include "base/text_file.h"

namespace varnolt {

// Auto-display patterns of data set 1 or 2: the names in 自動表示n.txt and the command records
// in 自動処理n.txt, paired by line number. Pattern 0 is the installed standard pattern.
std::filesystem::path PatternNamesFile(const ProgramFolder& folder, int data_number);
std::filesystem::path PatternRecordsFile(const ProgramFolder& folder, int data_number);

// The pattern names; none when the file is missing.
Lines LoadPatternNames(const ProgramFolder& folder, int data_number);

// The warning that ends a memorise before the name is asked for, or "" to go on.
std::string MemoriseWarning(int data_number, std::string_view record);

// The outcome of a change to the pattern list: a warning (nothing written), or the new names.
struct PatternChange {
  std::string message;
  Lines names;
};

// Adds the pattern `name` with `record` to both files: the record first, so that an interrupted
// memorise leaves at most a record without a name. A name already in `names` (letter case
// ignored) is refused. The record file is first brought to one line per name (empty records
// added, records beyond the names dropped) so that the new pair shares one line number.
PatternChange MemorisePattern(const ProgramFolder& folder, int data_number, const Lines& names,
                              std::string_view name, std::string_view record);

// The warning that refuses deleting pattern `index` ("" when it may be deleted).
std::string DeleteWarning(int index);

// Removes line `index` of both files.
PatternChange DeletePattern(const ProgramFolder& folder, int data_number, const Lines& names,
                            int index);

// The command record of pattern `index`; "" when the record file lacks it.
std::string PatternRecord(const ProgramFolder& folder, int data_number, int index);

}  // namespace varnolt
