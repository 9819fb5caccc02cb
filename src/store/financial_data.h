#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace varnolt {

// One stock's record of data/finance.dat: six single-precision figures.
struct FinancialRecord {
  float dividend = 0;     // dividend per share, yen
  float earnings = 0;     // earnings per share
  float book_value = 0;   // book value per share
  float roe = 0;          // percent
  float roa = 0;          // percent
  float unit_shares = 0;  // 単元株数
};

inline constexpr size_t kFinancialIndexBytes = 20002;
inline constexpr size_t kFinancialRecordBytes = 24;

// The six little-endian floats of one record.
FinancialRecord DecodeFinancialRecord(const unsigned char* bytes);

// The record of a code, or nothing when the index has no record for it. Throws FileError when
// the file cannot be read or its index points past its end.
std::optional<FinancialRecord> ReadFinancialRecord(const std::filesystem::path& data_dir, int code);

// The same, but a missing or unreadable file also gives nothing: a chart caption then shows
// "-" rather than the chart being refused.
std::optional<FinancialRecord> ReadFinancialRecordOrNone(const std::filesystem::path& data_dir,
                                                         int code);

// PER, PBR, ROE, ROA, dividend yield and unit shares for a price. PER and PBR are 0 without
// earnings or book value; the yield is 0 at a price of 0.
std::array<double, 6> FinancialFigures(int32_t price, const FinancialRecord& record);

// Rounded to two decimals (halves to even) in the shortest form: 12.345 → "12.34".
std::string FormatFigure(double x);

// "PER: … PBR: … ROE: … ROA: … 配当利回り: … 単元株数: … " for the chart caption; each figure is
// "-" for a code without a record.
std::string FinancialSummary(int32_t price, const std::optional<FinancialRecord>& record);

}  // namespace varnolt
