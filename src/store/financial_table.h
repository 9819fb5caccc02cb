#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "store/financial_data.h"

namespace varnolt {

// data/finance.dat read whole once, for a pass that looks up many codes.
class FinancialTable {
 public:
  // A file that is missing or cannot be read gives a table without records.
  static FinancialTable ReadOrEmpty(const std::filesystem::path& data_dir);

  // The record of a code; nothing when the index has none or points past the file's end.
  std::optional<FinancialRecord> Find(int code) const;

 private:
  std::string bytes_;
};

}  // namespace varnolt
