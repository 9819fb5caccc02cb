#include "acquisition/latest_update.h"

#include <algorithm>
#include <cmath>

#include "acquisition/server_notices.h"
#include "acquisition/update_run.h"
#include "base/file_error.h"
#include "base/numbers.h"
#include "base/text_codec.h"
#include "base/text_file.h"
#include "net/reply.h"
#include "net/text_cipher.h"
#include "net/transfer.h"
#include "net/transfer_file.h"
#include "series/calendar.h"
#include "store/csv_conversion.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;

bool IsServiceState(std::string_view line) {
  return line == "allstop" || line == "ok" || line == "stop";
}

DayNumber MarkDay(int64_t mark) {
  return static_cast<DayNumber>(mark / 10);
}

// The first line of files/all.txt must be digits only.
bool IsCodeList(std::string_view text) {
  const Lines lines = SplitLines(text);
  return !lines.empty() && ParseDigits(lines.front()).has_value();
}

// Fetches the parts of a year's transfer file from the file server, joins them and puts the
// decompressed year file in place of the local one; false leaves the local file as it was.
bool FetchYearFile(UpdateRun& run, const YearLine& line) {
  const std::string& base = run.config.files;
  for (int part = 1; part <= line.parts; ++part) {
    const std::string name = PartName(line.year, part);
    run.host.SetDetail(name);
    const fs::path local = run.Data(name);
    if (!GetFile(base + "kabuka/data/" + name, local, base, [&] { run.host.KeepResponsive(); }) ||
        !IsValidReply(ReadBytes(local))) {
      for (int k = 1; k <= part; ++k) fs::remove(run.Data(PartName(line.year, k)));
      return false;
    }
  }
  const fs::path joined = run.Data(std::to_string(line.year) + ".dat");
  if (!JoinParts(joined, line.parts)) return false;
  const bool installed = InstallDecompressed(joined, run.folder.YearFile(line.year), kYearFileLimit,
                                             IsWellFormedYearFile);
  fs::remove(joined);
  return installed;
}

// Financial data: fetched when the server's file is newer than the one last installed.
void FetchFinancialData(UpdateRun& run) {
  const int64_t installed = ParseDigits(run.state.Get("fnc").value_or("0")).value_or(0);
  const std::string& base = run.config.scripts;
  const std::string reply = GetText(base + "files/fnc.dat", base);
  const size_t marker = reply.find("fnc(");
  if (marker == std::string::npos) return;
  const size_t start = marker + 4;
  const DayNumber day = SlashToDay(reply.substr(start, reply.find(')', start) - start));
  if (day == 0 || installed >= day) return;
  const fs::path temp = run.Data("temp.dat");
  if (GetFile(base + "kabuka/daily/finance.dat", temp, base, [&] { run.host.KeepResponsive(); }) &&
      IsValidReply(ReadBytes(temp)) &&
      InstallDecompressed(temp, run.Data("finance.dat"), kFinanceFileLimit, {})) {
    run.state.Set("fnc", std::to_string(day));
  }
  fs::remove(temp);
}

class LatestUpdate {
 public:
  explicit LatestUpdate(UpdateRun& run) : run_(run) {}

  UpdateOutcome Run() {
    UpdateOutcome outcome;
    try {
      CheckConnection();
      const std::string service = RefreshReferenceFiles();
      run_.server.SendUsageLog("mainlog.cgi", run_.id, run_.options.program_stamp, "in", {});
      if (service != "allstop" || run_.options.unattended) {
        outcome.procedure_result = UpdateProcedure(service == "ok" || run_.options.unattended);
      }
      run_.host.KeepResponsive();
      run_.server.SendUsageLog("mainlog.cgi", run_.id, run_.options.program_stamp, "out", {});
      outcome.completed = true;
    } catch (const UpdateFailure& failure) {
      run_.Show(failure.what());
    } catch (const CsvLineError& error) {
      run_.Show(error.what());
    } catch (const FileError& error) {
      run_.Show(error.what());
    }
    run_.host.HideProgress();
    return outcome;
  }

 private:
  void CheckConnection() {
    run_.host.SetDetail("");
    run_.host.SetStatus(kConnectionCheckStatus);
    run_.host.KeepResponsive();
    if (!run_.server.MeasureClock()) throw UpdateFailure();
    if (std::abs(run_.server.ClockOffset()) > 2.0) throw UpdateFailure(kClockDateMessage);
    start_offset_ = run_.server.ClockOffset();
    for (const std::string* base :
         {&run_.config.homepage, &run_.config.files, &run_.config.scripts})
      GetText(*base, "");
  }

  // all.txt, holidays.txt, ini2.dat with the component refresh and the notices; gives the
  // service state.
  std::string RefreshReferenceFiles() {
    const std::string& base = run_.config.files;
    const std::string all = GetText(base + "files/all.txt", base);
    if (!IsCodeList(all)) throw UpdateFailure();
    run_.folder.EnsureDataDir();
    WriteBytesAtomically(run_.Data("all.txt"), all);
    const std::string holidays = GetText(base + "files/holidays.txt", base);
    if (!IsValidReply(holidays)) throw UpdateFailure();
    WriteBytesAtomically(run_.folder.File("holidays.txt"), holidays);

    Lines ini2 = SplitLines(GetText(base + "files/ini2.dat", base));
    if (ini2.empty() || !IsServiceState(ini2.front())) throw UpdateFailure();
    const std::string service = ini2.front();
    size_t next = 1;
    for (int component = 1; component <= 5; ++component, ++next) {
      const std::optional<int64_t> stamp =
          next < ini2.size() ? ParseDigits(ini2[next]) : std::nullopt;
      if (!stamp || *stamp > UINT32_MAX) throw UpdateFailure();
      if (!RefreshComponent(run_, component, static_cast<uint32_t>(*stamp))) throw UpdateFailure();
    }
    if (!run_.options.unattended) {
      const Lines rest(ini2.begin() + static_cast<std::ptrdiff_t>(std::min(next, ini2.size())),
                       ini2.end());
      ShowNotice(SjisToUtf8(JoinLines(rest)));
    }
    return service;
  }

  void ShowNotice(const std::string& text) {
    const DayNumber last_shown = SlashToDay(run_.state.Get("msg").value_or(""));
    const std::optional<ServerNotice> notice = NoticeToShow(text, last_shown);
    if (!notice) return;
    run_.host.ShowMessage(notice->text);
    if (notice->day != 0) run_.state.Set("msg", DayToSlash(notice->day));
  }

  bool UpdateProcedure(bool full) {
    try {
      return UpdateSteps(full);
    } catch (const UpdateFailure& failure) {
      // A conversion error ends the command itself; these end the procedure with its message.
      run_.Show(failure.what());
      return false;
    }
  }

  bool UpdateSteps(bool full) {
    const bool unattended = run_.options.unattended;
    run_.host.SetStatus(kDownloadStatus);
    const DayNumber today = static_cast<DayNumber>(std::trunc(run_.ServerNow()));
    if (!unattended) FetchFinancialData(run_);
    int64_t mark = unattended ? 0 : ReadUpdateMark(run_.folder);

    const std::string kbk2 = GetText(run_.config.files + "files/kbk2.dat", run_.config.files);
    if (kbk2.find(".dat") == std::string::npos) throw UpdateFailure();
    const std::optional<YearList> years = ParseYearList(kbk2, true);
    if (!years) throw UpdateFailure();
    const int64_t covered = int64_t{years->last_day} * 10 + 5;
    if (mark < covered) {
      if (mark == 0) mark = covered;
      if (!unattended) FetchYears(*years, CivilFromDay(MarkDay(mark)).year);
      mark = covered;
      run_.StoreMark(mark);
    }

    std::vector<fs::path> fetched;
    FetchMonthlyFiles(mark, fetched);
    const HolidayList holidays = LoadHolidayList(run_.folder.File("holidays.txt"));
    if (UpdateNeed(mark, run_.ServerNow(), unattended, holidays) == 1)
      FetchDailyFile(today, mark, fetched);

    if (!run_.server.MeasureClock()) throw UpdateFailure();
    if (std::abs(run_.server.ClockOffset() - start_offset_) > 1.0 / 1440)
      throw UpdateFailure(kClockMotionMessage);

    run_.host.SetDetail("");
    if (!unattended && !fetched.empty()) {
      run_.host.SetStatus(kConvertingStatus);
      ConvertCsvFiles(fetched, run_.folder.DataDir(), Grouping::kFirstLine);
      run_.StoreMark(mark);
      for (const fs::path& file : fetched) fs::remove(file);
    }

    if (full && UpdateNeed(mark, run_.ServerNow(), unattended, holidays) == 2) {
      run_.host.SetStatus(kRecentDataStatus);
      const auto first_due = static_cast<DayNumber>(static_cast<double>(mark) / 10 + 0.5);
      if (!run_.RunDownloader(false, first_due) || !run_.ProcessHistoricalResult(mark)) {
        return NoLaterData(mark);
      }
      if (!unattended) run_.StoreMark(mark);
    }
    if (full && UpdateNeed(mark, run_.ServerNow(), unattended, holidays) == 1 &&
        mark != int64_t{today} * 10) {
      run_.host.SetStatus(kTodayDataStatus);
      if (!run_.RunDownloader(true, MarkDay(mark)) || !run_.ProcessDailyResult(mark)) {
        return NoLaterData(mark);
      }
      if (!unattended) run_.StoreMark(mark);
    }

    const fs::path helper = run_.folder.File("VarnoltSub");
    if (fs::exists(helper)) run_.host.StartProgram(helper, run_.folder.Root());
    run_.Show(DayToSlash(MarkDay(mark)) + kLatestDataSuffix);
    return true;
  }

  bool NoLaterData(int64_t mark) {
    run_.Show(DayToSlash(MarkDay(mark)) + kNoLaterDataSuffix);
    return false;
  }

  // The year files from the year of the mark to the year of the list's last day.
  void FetchYears(const YearList& years, int from_year) {
    for (int year = from_year; year <= CivilFromDay(years.last_day).year; ++year) {
      const auto line = std::find_if(years.years.begin(), years.years.end(),
                                     [&](const YearLine& l) { return l.year == year; });
      if (line == years.years.end() || !FetchYearFile(run_, *line)) throw UpdateFailure();
    }
  }

  void FetchMonthlyFiles(int64_t& mark, std::vector<fs::path>& fetched) {
    const int64_t before = mark;
    const auto names = run_.server.ListDirectory("monthly");
    if (!names) throw UpdateFailure();
    for (const std::string& name : *names) {
      const int64_t complete = int64_t{DayOfName(name)} * 10 + 5;
      if (before >= complete && !name.starts_with('r')) continue;
      if (!name.ends_with(".dat")) continue;
      run_.host.SetDetail(name);
      if (!run_.options.unattended) {
        fs::path csv;
        if (!run_.FetchPriceFile("monthly", name, csv)) throw UpdateFailure();
        fetched.push_back(csv);
      }
      mark = std::max(mark, complete);
    }
  }

  void FetchDailyFile(DayNumber today, int64_t& mark, std::vector<fs::path>& fetched) {
    const auto names = run_.server.ListDirectory("daily");
    if (!names) throw UpdateFailure();
    const std::string name = "d" + DayToCompact(today) + ".dat";
    if (std::find(names->begin(), names->end(), name) == names->end()) return;
    if (!run_.options.unattended) {
      run_.host.SetDetail(name);
      fs::path csv;
      if (!run_.FetchPriceFile("daily", name, csv)) throw UpdateFailure();
      fetched.push_back(csv);
    }
    mark = std::max(mark, int64_t{today} * 10);
  }

  UpdateRun& run_;
  double start_offset_ = 0;
};

}  // namespace

UpdateRun::UpdateRun(const ProgramFolder& program_folder, ServerConfig& server_config,
                     UpdateHost& ui, const UpdateOptions& run_options)
    : folder(program_folder),
      config(server_config),
      host(ui),
      options(run_options),
      server(server_config, [&ui] { return ui.LocalNow(); }),
      state(program_folder),
      id(InstallationId(state)) {}

void UpdateRun::StoreMark(int64_t mark) {
  state.SetEnciphered("time", std::to_string(mark), CipherKey(CipherUse::kMark));
}

bool UpdateRun::FetchPriceFile(std::string_view folder_name, const std::string& name,
                               fs::path& csv) {
  const std::string& base = config.scripts;
  const fs::path temp = Data("temp.cs2");
  csv = Data(name.substr(0, name.size() - 3) + "csv");
  const bool ok = GetFile(base + "kabuka/" + std::string(folder_name) + "/" + name, temp, base,
                          [this] { host.KeepResponsive(); }) &&
                  IsValidReply(ReadBytes(temp)) &&
                  InstallDecompressed(temp, csv, kCsvTransferLimit, {});
  fs::remove(temp);
  return ok;
}

int64_t ReadUpdateMark(const ProgramFolder& folder) {
  const StateFile state(folder);
  return ParseDigits(state.GetEnciphered("time", CipherKey(CipherUse::kMark)).value_or(""))
      .value_or(0);
}

UpdateOutcome RunLatestUpdate(const ProgramFolder& folder, ServerConfig& config, UpdateHost& host,
                              const UpdateOptions& options) {
  UpdateRun run(folder, config, host, options);
  return LatestUpdate(run).Run();
}

}  // namespace varnolt
