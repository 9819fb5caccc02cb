#include "publish.h"

#include <algorithm>
#include <set>
#include <vector>

#include "base/file_error.h"
#include "base/text_file.h"
#include "net/durable_file.h"
#include "net/reply.h"
#include "net/server_config.h"
#include "net/transfer_file.h"
#include "series/calendar.h"
#include "store/day_record.h"
#include "store/year_file.h"

namespace varnolt::publish {
namespace {

namespace fs = std::filesystem;

uint32_t Load16At(const std::string& bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// The newest day with a close in a year file, 0 when none; the codes that have a slot.
struct YearSummary {
  DayNumber last_day = 0;
  std::set<int> codes;
};

YearSummary Summarise(const fs::path& path, int year) {
  CheckYearFile(path);
  const std::string bytes = ReadBytes(path);
  YearSummary summary;
  int last_index = 0;
  for (int code = 0; code < kCodeCount; ++code) {
    const uint32_t slot = Load16At(bytes, 2 + 2 * static_cast<size_t>(code));
    if (slot == 0) continue;
    summary.codes.insert(code);
    const size_t start = kDirectoryBytes + (slot - 1) * kSlotBytes;
    for (int index = kDaysPerSlot; index > last_index; --index) {
      DayRecord record;
      DecodeRecord(reinterpret_cast<const unsigned char*>(bytes.data()) + start +
                       static_cast<size_t>(index - 1) * kRecordBytes,
                   record);
      if (record.close != 0) {
        last_index = index;
        break;
      }
    }
  }
  if (last_index > 0) summary.last_day = DayFromCivil(year, 1, 1) + last_index - 1;
  return summary;
}

// Splits a compressed file into parts named by the year, removing the whole file.
int WriteParts(const fs::path& packed, const fs::path& folder, int year, size_t part_bytes) {
  const std::string bytes = ReadBytes(packed);
  fs::remove(packed);
  int parts = 0;
  for (size_t at = 0; at < bytes.size() || parts == 0; at += part_bytes) {
    ++parts;
    WriteFileDurably(folder / PartName(year, parts),
                     std::string_view(bytes).substr(at, part_bytes));
  }
  return parts;
}

void CopyIfPresent(const fs::path& from, const fs::path& to) {
  if (fs::exists(from)) WriteFileDurably(to, ReadBytes(from));
}

void Compress(const fs::path& from, const fs::path& to) {
  if (!CompressFile(from, to))
    throw FileError("ファイル " + DisplayName(from) + " を圧縮できません");
}

}  // namespace

void PublishFolder(const fs::path& program_folder, const fs::path& server_folder,
                   const Options& options) {
  const fs::path files = server_folder / "files";
  const fs::path data = server_folder / "kabuka" / "data";
  for (const fs::path& folder :
       {files, data, server_folder / "kabuka" / "monthly", server_folder / "kabuka" / "daily"}) {
    fs::create_directories(folder);
  }
  std::vector<int> years;
  for (const auto& entry : fs::directory_iterator(program_folder / "data")) {
    const std::string name = entry.path().filename().string();
    if (name.size() == 8 && name.ends_with(".kbk") && IsAllDigits(name.substr(0, 4))) {
      years.push_back(std::stoi(name.substr(0, 4)));
    }
  }
  std::sort(years.begin(), years.end());
  DayNumber last_day = 0;
  std::set<int> codes;
  Lines year_lines;
  for (int year : years) {
    const fs::path year_file = program_folder / "data" / (std::to_string(year) + ".kbk");
    const YearSummary summary = Summarise(year_file, year);
    last_day = std::max(last_day, summary.last_day);
    if (year == years.back()) codes = summary.codes;
    const fs::path packed = data / (std::to_string(year) + ".dat");
    Compress(year_file, packed);
    year_lines.push_back(std::to_string(year) + ".dat," +
                         std::to_string(WriteParts(packed, data, year, options.part_bytes)));
  }
  if (last_day == 0) throw FileError("公開する株価データがありません");
  Lines kbk2{DayToSlash(last_day)};
  kbk2.insert(kbk2.end(), year_lines.begin(), year_lines.end());
  WriteFileDurably(files / "kbk2.dat", JoinLines(kbk2));

  CopyIfPresent(program_folder / "codedata.txt", files / "codedata.txt");
  CopyIfPresent(program_folder / "holidays.txt", files / "holidays.txt");
  Lines all;
  for (int code : codes) all.push_back(std::to_string(code));
  WriteFileDurably(files / "all.txt", JoinLines(all));

  const fs::path finance = program_folder / "data" / "finance.dat";
  if (fs::exists(finance)) {
    Compress(finance, server_folder / "kabuka" / "daily" / "finance.dat");
    WriteFileDurably(files / "fnc.dat", "fnc(" + DayToSlash(last_day) + ")\r\n");
  }
  WriteFileDurably(files / "ini2.dat", JoinLines({"ok", "0", "0", "0", "0", "0"}));
  WriteServerConfig(files / "net.dat", ServerConfig{options.base, options.base, options.base,
                                                    options.ftp_host, options.ftp_user});
}

}  // namespace varnolt::publish
