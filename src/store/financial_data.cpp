#include "store/financial_data.h"

#include <bit>

#include "base/file_error.h"
#include "base/numbers.h"
#include "store/binary_file.h"
#include "store/day_record.h"

namespace varnolt {
namespace {

float LoadFloat(const unsigned char* p) {
  return std::bit_cast<float>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                              uint32_t{p[3]} << 24);
}

}  // namespace

std::optional<FinancialRecord> ReadFinancialRecord(const std::filesystem::path& data_dir,
                                                   int code) {
  if (code < 0 || code >= kCodeCount) return std::nullopt;
  BinaryFile file(data_dir / "finance.dat", BinaryFile::Mode::kRead);
  unsigned char word[2];
  file.ReadAt(2 + 2 * static_cast<uint64_t>(code), word);
  const uint16_t number = Load16(word);
  if (number == 0) return std::nullopt;
  unsigned char bytes[kFinancialRecordBytes];
  file.ReadAt(kFinancialIndexBytes + uint64_t{number - 1u} * kFinancialRecordBytes, bytes);
  return DecodeFinancialRecord(bytes);
}

FinancialRecord DecodeFinancialRecord(const unsigned char* bytes) {
  return FinancialRecord{LoadFloat(bytes),      LoadFloat(bytes + 4),  LoadFloat(bytes + 8),
                         LoadFloat(bytes + 12), LoadFloat(bytes + 16), LoadFloat(bytes + 20)};
}

std::optional<FinancialRecord> ReadFinancialRecordOrNone(const std::filesystem::path& data_dir,
                                                         int code) {
  try {
    return ReadFinancialRecord(data_dir, code);
  } catch (const FileError&) {
    return std::nullopt;
  }
}

std::array<double, 6> FinancialFigures(int32_t price, const FinancialRecord& record) {
  const double p = price;
  return {record.earnings != 0 ? p / record.earnings : 0.0,
          record.book_value != 0 ? p / record.book_value : 0.0,
          record.roe,
          record.roa,
          price != 0 ? record.dividend / p * 100 : 0.0,
          static_cast<double>(Trunc(record.unit_shares))};
}

std::string FormatFigure(double x) {
  return FormatShortest(RoundHalfEven(x * 100) / 100.0);
}

std::string FinancialSummary(int32_t price, const std::optional<FinancialRecord>& record) {
  static constexpr const char* kLabels[] = {"PER", "PBR", "ROE", "ROA", "配当利回り", "単元株数"};
  std::array<double, 6> figures{};
  if (record) figures = FinancialFigures(price, *record);
  std::string text;
  for (size_t i = 0; i < figures.size(); ++i) {
    text += std::string(kLabels[i]) + ": " + (record ? FormatFigure(figures[i]) : "-") + " ";
  }
  return text;
}

}  // namespace varnolt
