// Arbitrary bytes as a reply of the data server (a listing, a year list, a file name, a
// transfer file, the notices of ini2.dat) and as the downloader's request file. Every parser must
// give a result that keeps its promises (plain names only, part counts 1 to 1000, real days,
// requests that read back), and decompression must stop at its bound and leave no file
// behind when it fails. Files are made in the working folder (scripts/fuzz runs each target in
// a scratch one).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "acquisition/download_request.h"
#include "acquisition/server_notices.h"
#include "net/reply.h"
#include "net/server_config.h"
#include "net/transfer_file.h"

using namespace varnolt;

namespace {

[[noreturn]] void Finding(const char* what) {
  std::fprintf(stderr, "reply_fuzz: %s\n", what);
  std::abort();
}

void Require(bool ok, const char* what) {
  if (!ok) Finding(what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (const auto names = ParseListing(input)) {
    for (const std::string& name : *names)
      Require(IsPlainFileName(name), "listing gave a bad name");
  }
  for (bool with_day : {false, true}) {
    if (const auto list = ParseYearList(input, with_day)) {
      Require(!with_day || (list->last_day != 0 && CivilFromDay(list->last_day).year >= 1900),
              "year list without its day");
      for (const YearLine& line : list->years) {
        Require(line.parts >= 1 && line.parts <= 1000, "part count out of range");
        Require(IsPlainFileName(PartName(line.year, line.parts)), "part name not plain");
      }
    }
  }
  if (const auto notice = NoticeToShow(input, 1000)) {
    Require(notice->day == 0 || notice->day > 1000, "notice not later than the one shown");
  }
  if (const auto request = ParseDownloadRequest(SplitPlainLines(input))) {
    const auto again = ParseDownloadRequest(DownloadRequestLines(*request));
    Require(again && again->start == request->start && again->end == request->end &&
                again->mark_day == request->mark_day && again->daily == request->daily,
            "download request does not read back");
  }
  if (DayOfName(input) != 0) {
    Require(IsPlainFileName(input) && (input[0] == 'h' || input[0] == 'd'), "day of a bad name");
  }
  if (IsPlainFileName(input)) {
    Require(input.find('/') == std::string_view::npos && input.find("..") == std::string_view::npos,
            "plain name with a separator");
  }
  Require(IsValidReply(input) == (!input.empty() && input.find("<html") == std::string_view::npos &&
                                  input.find("<HTML") == std::string_view::npos &&
                                  input.find("<Html") == std::string_view::npos),
          "error page check");

  constexpr uint64_t kLimit = 1 << 16;
  const std::filesystem::path source = "reply_fuzz.dat", target = "reply_fuzz.out";
  std::ofstream(source, std::ios::binary).write(input.data(), static_cast<std::streamsize>(size));
  if (DecompressFile(source, target, kLimit)) {
    Require(std::filesystem::file_size(target) <= kLimit, "decompressed past the bound");
  } else {
    Require(!std::filesystem::exists(target), "failed decompression left a file");
  }
  std::filesystem::remove(target);
  return 0;
}
