#include "acquisition/history_download.h"

#include <filesystem>

#include "acquisition/latest_update.h"
#include "base/messages.h"
#include "base/text_file.h"
#include "net/state_file.h"
#include "net/text_cipher.h"
#include "net/transfer.h"
#include "net/transfer_file.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;

// The year lines of a list; nothing when a non-empty line is no year line.
std::optional<std::vector<YearLine>> YearLines(const Lines& lines) {
  std::vector<YearLine> years;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    const std::optional<YearLine> year = ParseYearLine(line);
    if (!year) return std::nullopt;
    years.push_back(*year);
  }
  return years;
}

bool FetchParts(const ProgramFolder& folder, const std::string& base, const YearLine& year,
                int& parts_done, int parts_total, const HistoryProgress& progress) {
  for (int part = 1; part <= year.parts; ++part) {
    const std::string name = PartName(year.year, part);
    progress(name, parts_done, parts_total);
    const fs::path local = folder.DataDir() / name;
    if (!GetFile(base + "kabuka/data/" + name, local, base) || !IsValidReply(ReadBytes(local)))
      return false;
    ++parts_done;
  }
  return true;
}

void RaiseMark(const ProgramFolder& folder, int year) {
  const int64_t candidate = int64_t{DayFromCivil(year + 1, 1, 1)} * 10;
  if (ReadUpdateMark(folder) >= candidate) return;
  StateFile(folder).SetEnciphered("time", std::to_string(candidate), CipherKey(CipherUse::kMark));
}

}  // namespace

HistoryOffer OfferHistory(const ProgramFolder& folder, const ServerConfig& config) {
  HistoryOffer offer;
  for (const std::string* base : {&config.homepage, &config.files, &config.scripts})
    GetText(*base, "");
  const std::string kbk1 = GetText(config.homepage + "files/kbk1.dat", config.homepage);
  const std::string kbk2 = GetText(config.files + "files/kbk2.dat", config.files);
  Lines listed2 = SplitLines(kbk2);
  if (kbk1.find(".dat") == std::string::npos || kbk2.find(".dat") == std::string::npos ||
      listed2.empty()) {
    offer.message = kHomepageUnreachableMessage;
    return offer;
  }
  // The current year's file is incomplete until the list covers 31 December.
  const std::string last_day = listed2.front();
  listed2.erase(listed2.begin());
  while (!listed2.empty() && listed2.back().empty()) listed2.pop_back();
  if (last_day.find("/12/31") == std::string::npos && !listed2.empty()) listed2.pop_back();
  const auto years1 = YearLines(SplitLines(kbk1));
  const auto years2 = YearLines(listed2);
  if (!years1 || !years2) {
    offer.message = kHomepageUnreachableMessage;
    return offer;
  }
  for (const auto& [years, on_homepage] : {std::pair{*years1, true}, std::pair{*years2, false}}) {
    for (const YearLine& year : years) {
      if (!fs::exists(folder.YearFile(year.year))) offer.entries.push_back({year, on_homepage});
    }
  }
  if (offer.entries.empty()) {
    offer.message = kAllYearsPresentMessage;
    return offer;
  }
  const std::string newest = std::to_string(offer.entries.back().year.year);
  for (size_t i = 0; i + 1 < offer.entries.size(); ++i) {
    offer.items.push_back(std::to_string(offer.entries[i].year.year) + "～" + newest +
                          "年の全データ");
  }
  offer.items.push_back(newest + "年の全データ");
  return offer;
}

std::string DownloadHistory(const ProgramFolder& folder, const ServerConfig& config,
                            const std::vector<HistoryEntry>& entries, size_t first,
                            const HistoryProgress& progress) {
  if (first >= entries.size()) return kHomepageUnreachableMessage;
  int parts_total = 0, parts_done = 0;
  for (size_t i = first; i < entries.size(); ++i) parts_total += entries[i].year.parts;
  try {
    folder.EnsureDataDir();
    for (size_t i = entries.size(); i-- > first;) {
      const YearLine& year = entries[i].year;
      const std::string& base = entries[i].on_homepage ? config.homepage : config.files;
      const std::string failed = std::to_string(year.year) + kYearDownloadFailedSuffix;
      if (!FetchParts(folder, base, year, parts_done, parts_total, progress)) return failed;
      const fs::path joined = folder.DataDir() / (std::to_string(year.year) + ".dat");
      // The local file is replaced only by a complete, well-formed one.
      const bool installed = JoinParts(joined, year.parts) &&
                             InstallDecompressed(joined, folder.YearFile(year.year), kYearFileLimit,
                                                 IsWellFormedYearFile);
      fs::remove(joined);
      if (!installed) return failed;
      RaiseMark(folder, year.year);
    }
  } catch (const std::exception&) {
    return kHomepageUnreachableMessage;
  }
  return kDownloadDoneMessage;
}

}  // namespace varnolt
