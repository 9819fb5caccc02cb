#include "store/financial_table.h"

#include "base/file_error.h"
#include "base/text_file.h"
#include "store/binary_file.h"
#include "store/day_record.h"

namespace varnolt {

FinancialTable FinancialTable::ReadOrEmpty(const std::filesystem::path& data_dir) {
  FinancialTable table;
  try {
    table.bytes_ = ReadBytes(data_dir / "finance.dat");
  } catch (const FileError&) {
    table.bytes_.clear();
  }
  return table;
}

std::optional<FinancialRecord> FinancialTable::Find(int code) const {
  if (code < 0 || code >= kCodeCount || bytes_.size() < kFinancialIndexBytes) return std::nullopt;
  const auto* bytes = reinterpret_cast<const unsigned char*>(bytes_.data());
  const uint16_t number = Load16(bytes + 2 + 2 * code);
  if (number == 0) return std::nullopt;
  const size_t offset = kFinancialIndexBytes + size_t{number - 1u} * kFinancialRecordBytes;
  if (offset + kFinancialRecordBytes > bytes_.size()) return std::nullopt;
  return DecodeFinancialRecord(bytes + offset);
}

}  // namespace varnolt
