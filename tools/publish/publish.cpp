#include "publish.h"

#include "stored_prices.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>
#include <vector>

#include "base/file_error.h"
#include "base/text_codec.h"
#include "base/text_file.h"
#include "net/durable_file.h"
#include "net/file_stamp.h"
#include "net/reply.h"
#include "net/server_config.h"
#include "net/transfer_file.h"
#include "store/csv_conversion.h"
#include "store/day_record.h"
#include "store/year_file.h"

namespace varnolt::publish {
namespace {

namespace fs = std::filesystem;

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

// Writes the lines (Shift_JIS, CR LF) as the zlib transfer file at `target`.
void WriteTransferFile(const Lines& lines, const fs::path& target) {
  const fs::path plain = fs::path(target).replace_extension(".csv");
  WriteFileDurably(plain, Utf8ToSjis(JoinLines(lines)));
  Compress(plain, target);
  fs::remove(plain);
}

std::string EightDigits(DayNumber day) {
  return DayToCompact(day);
}

// The days after the year files as the server offers them: the newest day as a daily file,
// every earlier day in its month's file, named by the month's last day with data.
void WriteLaterDays(const std::map<DayNumber, Lines>& later, const fs::path& kabuka) {
  if (later.empty()) return;
  const DayNumber newest = later.rbegin()->first;
  WriteTransferFile(later.rbegin()->second,
                    kabuka / "daily" / ("d" + EightDigits(newest) + ".dat"));
  std::map<std::pair<int, int>, std::pair<DayNumber, Lines>> months;
  for (const auto& [day, lines] : later) {
    if (day == newest) continue;
    const CivilDate date = CivilFromDay(day);
    auto& month = months[{date.year, date.month}];
    month.first = day;
    month.second.insert(month.second.end(), lines.begin(), lines.end());
  }
  for (const auto& [key, month] : months) {
    WriteTransferFile(month.second, kabuka / "monthly" / ("h" + EightDigits(month.first) + ".dat"));
  }
}

}  // namespace

std::string HomepageBase(const std::string& base) {
  return base + "home/";
}
std::string FileBase(const std::string& base) {
  return base + "file/";
}
std::string ScriptBase(const std::string& base) {
  return base + "script/";
}

void PublishFolder(const fs::path& program_folder, const fs::path& server_folder,
                   const Options& options) {
  const fs::path files = server_folder / "files";
  const fs::path kabuka = server_folder / "kabuka";
  const fs::path data = kabuka / "data";
  for (const fs::path& folder : {files, data, kabuka / "monthly", kabuka / "daily"}) {
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
  const int upto_year = options.upto != 0 ? CivilFromDay(options.upto).year : kLastStoreYear + 1;
  DayNumber last_day = 0;
  std::set<int> codes;
  std::map<DayNumber, Lines> later;
  Lines kbk1, kbk2;
  for (int year : years) {
    const fs::path year_file = program_folder / "data" / (std::to_string(year) + ".kbk");
    CheckYearFile(year_file);
    std::string bytes = ReadBytes(year_file);
    if (year == years.back()) codes = CodesWithSlot(bytes);
    const DayNumber first = DayFromCivil(year, 1, 1);
    const int keep_index = year < upto_year    ? kDaysPerSlot
                           : year == upto_year ? options.upto - first + 1
                                               : 0;
    ForEachDayWithData(bytes, [&](int code, int index, const DayRecord& record) {
      if (index > keep_index) {
        later[first + index - 1].push_back(CsvLine(first + index - 1, code, record));
      } else {
        last_day = std::max(last_day, first + index - 1);
      }
    });
    if (keep_index == 0) continue;
    ClearAfter(bytes, keep_index);
    const fs::path kept = data / (std::to_string(year) + ".kbk");
    WriteFileDurably(kept, bytes);
    const fs::path packed = data / (std::to_string(year) + ".dat");
    Compress(kept, packed);
    fs::remove(kept);
    (year < options.homepage_before ? kbk1 : kbk2)
        .push_back(std::to_string(year) + ".dat," +
                   std::to_string(WriteParts(packed, data, year, options.part_bytes)));
  }
  if (last_day == 0) throw FileError("公開する株価データがありません");
  if (options.quotes) {
    fs::create_directories(server_folder / "quotes" / "data");
    for (int year : years) {
      const std::string name = std::to_string(year) + ".kbk";
      WriteFileDurably(server_folder / "quotes" / "data" / name,
                       ReadBytes(program_folder / "data" / name));
    }
  }
  kbk2.insert(kbk2.begin(), DayToSlash(last_day));
  WriteFileDurably(files / "kbk2.dat", JoinLines(kbk2));
  if (!kbk1.empty()) WriteFileDurably(files / "kbk1.dat", JoinLines(kbk1));
  WriteLaterDays(later, kabuka);

  CopyIfPresent(program_folder / "codedata.txt", files / "codedata.txt");
  CopyIfPresent(program_folder / "holidays.txt", files / "holidays.txt");
  Lines all;
  for (int code : codes) all.push_back(std::to_string(code));
  WriteFileDurably(files / "all.txt", JoinLines(all));

  const fs::path finance = program_folder / "data" / "finance.dat";
  if (fs::exists(finance)) {
    Compress(finance, kabuka / "daily" / "finance.dat");
    WriteFileDurably(files / "fnc.dat", "fnc(" + DayToSlash(last_day) + ")\r\n");
  }
  // The catalogue's own stamp, so an installation without one (or with an older one) takes it.
  const uint32_t catalogue_stamp = FileStamp(program_folder / "codedata.txt").value_or(0);
  WriteFileDurably(files / "ini2.dat",
                   JoinLines({"ok", "0", std::to_string(catalogue_stamp), "0", "0", "0"}));
  // A stock web server runs a script only when its file exists: each stands for the handler
  // that answers it (varnolt-server as the CGI handler of ".cgi", see the README).
  fs::create_directories(server_folder / "cgi-bin");
  for (const char* script : {"webtime", "monthlydir", "dailydir", "mainlog", "monthlylog",
                             "dailylog", "list", "quote"}) {
    WriteFileDurably(server_folder / "cgi-bin" / (std::string(script) + ".cgi"),
                     "# answered by varnolt-server, the handler of .cgi files\n");
  }
  WriteServerConfig(files / "net.dat",
                    ServerConfig{HomepageBase(options.base), FileBase(options.base),
                                 ScriptBase(options.base), options.ftp_host, options.ftp_user});
}

}  // namespace varnolt::publish
